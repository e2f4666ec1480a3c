// How the stock controls behave under the mouse and on screen, as plug-in
// users know them from other editors: knobs that follow the host's knob mode,
// film strips that round down, menus that centre their text and open a plain
// system list.
#include "editor_test_support.h"
#include "recording_draw_context.h"

#include "vstgui/lib/cframe.h"
#include "vstgui/lib/controls/cknob.h"
#include "vstgui/lib/controls/coptionmenu.h"
#include "vstgui/lib/controls/coptionmenupopup.h"
#include "vstgui/plugin-bindings/vst3editor.h"

#include <gtest/gtest.h>
#include <vector>

using namespace ferrulith::test;
using namespace VSTGUI;

namespace
{
// Presses at the first point, moves through the others and releases: the
// knob's value after the press and after each move.
std::vector<float> drag(CFrame& frame, CControl& knob, const std::vector<CPoint>& path)
{
    knob.setValue(0.25f);
    std::vector<float> values;
    frame.platformOnMouseDown(path.front(), kLButton);
    values.push_back(knob.getValue());
    for (size_t i = 1; i < path.size(); ++i)
    {
        frame.platformOnMouseMoved(path[i], kLButton);
        values.push_back(knob.getValue());
    }
    frame.platformOnMouseUp(path.back(), kLButton);
    return values;
}

void expectValues(const std::vector<float>& actual, const std::vector<float>& expected,
                  const char* mode)
{
    ASSERT_EQ(actual.size(), expected.size()) << mode;
    for (size_t i = 0; i < actual.size(); ++i)
        EXPECT_NEAR(actual[i], expected[i], 1e-5) << mode << ", step " << i;
}
} // namespace

TEST(KnobDrag, FollowsTheHostsKnobModeAndIsCircularUntilTheHostSaysOtherwise)
{
    IPtr<TestController> controller(new TestController, false);
    IPtr<VST3Editor> editor(new VST3Editor(controller, "view", "none.uidesc"), false);
    CFrame frame(CRect(0, 0, 100, 100), editor);
    auto* knob = new CAnimKnob(CRect(10, 10, 42, 42), nullptr, 0);
    frame.addView(knob);
    IEditController2* host = controller;

    // The dial runs clockwise from lower left (135 degrees) over 270 degrees;
    // the centre is (26, 26). Pressed on the right, then to the top, back to
    // the right and on across the gap at the bottom to the lower left.
    const std::vector<CPoint> around = {{40, 26}, {26, 12}, {40, 26}, {16, 36}};
    // A press alone changes nothing; then the value is where the pointer
    // points, and across the gap it stays at the end it came from.
    const std::vector<float> circular = {0.25f, 0.5f, 5.f / 6, 1.f};
    // Pressed in the middle, then 20 up and 10 right, then 100 down.
    const std::vector<CPoint> straight = {{26, 26}, {36, 6}, {26, 126}};
    // 200 pixels of travel up or right sweep the whole range.
    const std::vector<float> linear = {0.25f, 0.4f, 0.f};

    expectValues(drag(frame, *knob, around), circular, "before any mode is set");
    for (auto [mode, name] : {std::pair{Vst::kCircularMode, "circular"},
                              std::pair{Vst::kRelativCircularMode, "relative"}})
    {
        ASSERT_EQ(host->setKnobMode(mode), kResultTrue);
        expectValues(drag(frame, *knob, around), circular, name);
    }
    ASSERT_EQ(host->setKnobMode(Vst::KnobMode{7}), kResultTrue);
    expectValues(drag(frame, *knob, around), circular, "a mode the editor does not know");
    ASSERT_EQ(host->setKnobMode(Vst::kLinearMode), kResultTrue);
    expectValues(drag(frame, *knob, straight), linear, "linear");
    EXPECT_NE(drag(frame, *knob, around)[1], 0.5f) << "linear does not follow the angle";

    host->setKnobMode(Vst::kCircularMode); // the mode is the module's, not this controller's
}

TEST(FilmStrip, ShowsTheFrameTheValueHasReachedRoundingDown)
{
    TempResourceFolder folder;
    folder.writeBandsPNG("strip.png", 8, 64 * 101, 64);
    auto strip = std::make_shared<CBitmap>("strip.png");
    ASSERT_TRUE(strip->isLoaded());
    CAnimKnob knob(CRect(0, 0, 8, 64), nullptr, 0, strip);
    knob.setHeightOfOneImage(64);
    knob.setNumSubPixmaps(101);

    // 0.95f is 0.94999999 and 0.01f 0.0099999998: just short of frames 95 and 1.
    const std::pair<float, int> shown[] = {{0.f, 0},    {0.01f, 0},   {0.0101f, 1},  {0.5f, 50},
                                           {0.95f, 94}, {0.951f, 95}, {0.9999f, 99}, {1.f, 100}};
    for (auto [value, frame] : shown)
    {
        RecordingDrawContext drawn;
        knob.setValue(value);
        knob.draw(&drawn);
        ASSERT_EQ(drawn.bitmapOffsets.size(), 1u);
        EXPECT_EQ(drawn.bitmapOffsets[0].y, 64.0 * frame) << value;
    }
}

TEST(OptionMenu, ShowsItsTextCentredAndOpensAPlainSystemListThatDoesNotMarkTheCurrentEntry)
{
    CFrame frame(CRect(0, 0, 300, 300));
    auto* menu = new COptionMenu(CRect(20, 20, 220, 46));
    menu->setFont(std::make_shared<CFontDesc>("DejaVu Sans", 14, kBoldFace));
    menu->setBackColor(CColor(9, 10, 10));
    for (const char* entry : {"first", "second", "third"})
        menu->addEntry(entry);
    menu->setCurrent(1);
    frame.addView(menu);

    RecordingDrawContext shut;
    menu->draw(&shut);
    ASSERT_EQ(shut.texts.size(), 1u);
    EXPECT_EQ(shut.texts[0].text, "second");
    EXPECT_EQ(shut.texts[0].align, kCenterText);

    frame.platformOnMouseDown(menu->getViewSize().getCenter(), kLButton);
    auto* list = dynamic_cast<COptionMenuPopup*>(frame.getModalView());
    ASSERT_TRUE(list);
    EXPECT_EQ(list->entryRect(0).top, 46) << "opens below the menu";
    EXPECT_EQ(list->entryRect(0).getHeight(), 20) << "the system font's 12 pixels and 8";

    RecordingDrawContext open;
    list->draw(&open);
    ASSERT_EQ(open.fills.size(), 1u) << "the panel only: the current entry is not lit";
    EXPECT_EQ(open.fills[0].color, CColor(0x39, 0x3c, 0x3f, 252));
    ASSERT_EQ(open.edges.size(), 1u);
    EXPECT_EQ(open.edges[0].color, CColor(40, 42, 44));
    ASSERT_EQ(open.texts.size(), 3u);
    for (const auto& text : open.texts)
    {
        EXPECT_EQ(text.font->getName(), "Arial") << text.text;
        EXPECT_EQ(text.font->getSize(), 12);
        EXPECT_EQ(text.font->getStyle(), kNormalFace) << "regular, whatever the menu's own font";
        EXPECT_EQ(text.color, kWhiteCColor);
        EXPECT_EQ(text.align, kLeftText);
    }

    // The entry under the pointer is lit.
    frame.platformOnMouseMoved(list->entryRect(2).getCenter(), 0);
    RecordingDrawContext hovered;
    list->draw(&hovered);
    ASSERT_EQ(hovered.fills.size(), 2u);
    EXPECT_EQ(hovered.fills[1].rect, list->entryRect(2));
    EXPECT_EQ(hovered.fills[1].color, CColor(200, 200, 200, 235));
    EXPECT_EQ(hovered.texts[2].color, kBlackCColor);
    EXPECT_EQ(hovered.texts[1].color, kWhiteCColor);
}
