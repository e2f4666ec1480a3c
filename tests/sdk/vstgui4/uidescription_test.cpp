// Reading UI descriptions: the resources and templates a good file gives, and
// that a broken file builds nothing instead of crashing.
#include "gui_test_support.h"

#include "vstgui/lib/controls/cbuttons.h"
#include "vstgui/lib/controls/cknob.h"
#include "vstgui/lib/controls/coptionmenu.h"
#include "vstgui/lib/controls/ctextlabel.h"
#include "vstgui/lib/cviewcontainer.h"
#include "vstgui/uidescription/uidescription.h"

#include "support/pngpixels.h"

#include <gtest/gtest.h>
#include <cstdint>
#include <memory>
#include <string>

using namespace VSTGUI;
using ferrulith::test::TempResourceFolder;

namespace
{
const char* kGoodDescription = R"(<?xml version="1.0" encoding="UTF-8"?>
<vstgui-ui-description version="1">
  <bitmaps>
    <bitmap name="background" path="background.png"/>
    <bitmap name="knob" path="knob.png"/>
    <bitmap name="gone" path="gone.png"/>
  </bitmaps>
  <fonts>
    <font name="label" font-name="DejaVu Sans" size="11" bold="true"/>
  </fonts>
  <colors>
    <color name="ink" rgba="#e8e2d0ff"/>
  </colors>
  <control-tags>
    <control-tag name="Preamp" tag="0"/>
    <control-tag name="Bypass" tag="8"/>
    <control-tag name="Presets" tag="9"/>
  </control-tags>
  <template name="view" class="CViewContainer" origin="0, 0" size="300, 200"
            minSize="250, 150" maxSize="600, 400" bitmap="background" background-color="#102030ff">
    <view class="CTextLabel" origin="10, 10" size="80, 16" title="Preamp" font="label"
          font-color="ink" transparent="true" text-alignment="left" style-no-frame="true"/>
    <view class="CAnimKnob" origin="10, 30" size="32, 32" control-tag="Preamp" bitmap="knob"
          height-of-one-image="32" sub-pixmaps="4"/>
    <view class="CViewContainer" origin="100, 20" size="150, 100" transparent="true">
      <view class="COnOffButton" origin="5, 5" size="20, 20" control-tag="Bypass"/>
      <view class="COptionMenu" origin="5, 40" size="100, 20" control-tag="Presets"
            back-color="#101010ff" frame-color="#808080ff" font-color="ink"/>
      <view class="CKnob" origin="5, 70" size="24, 24" control-tag="3"
            corona-color="~ RedCColor" corona-drawing="true" angle-range="300"/>
      <view class="CNoSuchClass" origin="0, 0" size="10, 10"/>
    </view>
  </template>
  <template name="second" class="CViewContainer" size="10, 10"/>
</vstgui-ui-description>
)";

// A PNG that is only its signature, a well-formed IHDR of width x height and
// IEND: what a hostile file needs to ask the decoder for any size.
std::string pngHeaderOnly(uint32_t width, uint32_t height)
{
    auto crc32 = [](const std::string& bytes)
    {
        uint32_t crc = 0xffffffffu;
        for (unsigned char c : bytes)
        {
            crc ^= c;
            for (int k = 0; k < 8; ++k)
                crc = (crc >> 1) ^ (0xedb88320u & (0u - (crc & 1u)));
        }
        return ~crc;
    };
    auto word = [](uint32_t v)
    {
        return std::string{static_cast<char>(v >> 24), static_cast<char>(v >> 16),
                           static_cast<char>(v >> 8), static_cast<char>(v)};
    };
    auto chunk = [&](const std::string& type, const std::string& data)
    { return word(static_cast<uint32_t>(data.size())) + type + data + word(crc32(type + data)); };
    std::string ihdr = word(width) + word(height) + std::string("\x08\x06\x00\x00\x00", 5);
    return std::string("\x89PNG\r\n\x1a\n", 8) + chunk("IHDR", ihdr) + chunk("IEND", "");
}

std::unique_ptr<CViewContainer> build(UIDescription& description, const char* name = "view")
{
    return std::unique_ptr<CViewContainer>(
        dynamic_cast<CViewContainer*>(description.createView(name, nullptr)));
}
} // namespace

TEST(UIDescriptionReading, GoodFileGivesResourcesTagsAndTheTemplatesViewTree)
{
    TempResourceFolder folder;
    folder.write("editor.uidesc", kGoodDescription);
    folder.writeBandsPNG("background.png", 300, 200, 200);
    folder.writeBandsPNG("knob.png", 32, 128, 32);

    UIDescription description("editor.uidesc");
    ASSERT_TRUE(description.parse());

    CColor ink;
    ASSERT_TRUE(description.getColor("ink", ink));
    EXPECT_EQ(ink, CColor(0xe8, 0xe2, 0xd0, 0xff));
    EXPECT_FALSE(description.getColor("nothing", ink));
    EXPECT_EQ(description.getTagForName("Presets"), 9);
    EXPECT_EQ(description.getTagForName("7"), 7);
    EXPECT_EQ(description.getTagForName("Noise"), -1);
    auto font = description.getFont("label");
    ASSERT_TRUE(font);
    EXPECT_EQ(font->getSize(), 11);
    EXPECT_EQ(font->getStyle(), kBoldFace);
    ASSERT_TRUE(description.getBitmap("knob"));
    EXPECT_EQ(description.getBitmap("knob")->getSize(), CPoint(32, 128));
    EXPECT_FALSE(description.getBitmap("gone")) << "a missing image file is no bitmap";

    const UIAttributes* attributes = description.getViewAttributes("view");
    ASSERT_TRUE(attributes);
    CPoint minSize;
    ASSERT_TRUE(attributes->getPointAttribute("minSize", minSize));
    EXPECT_EQ(minSize, CPoint(250, 150));

    auto root = build(description);
    ASSERT_TRUE(root);
    EXPECT_EQ(root->getViewSize(), CRect(0, 0, 300, 200));
    EXPECT_EQ(root->getBackgroundColor(), CColor(0x10, 0x20, 0x30, 0xff));
    EXPECT_TRUE(root->getBackground());
    ASSERT_EQ(root->getNbViews(), 3u);

    auto* label = dynamic_cast<CTextLabel*>(root->getView(0));
    ASSERT_TRUE(label);
    EXPECT_EQ(label->getText(), "Preamp");
    EXPECT_EQ(label->getFontColor(), ink);
    EXPECT_EQ(label->getHoriAlign(), kLeftText);
    EXPECT_TRUE(label->getTransparency());
    EXPECT_TRUE(label->getStyle() & CParamDisplay::kNoFrame);

    auto* animKnob = dynamic_cast<CAnimKnob*>(root->getView(1));
    ASSERT_TRUE(animKnob);
    EXPECT_EQ(animKnob->getTag(), 0);
    EXPECT_EQ(animKnob->getNumSubPixmaps(), 4);
    EXPECT_EQ(animKnob->getViewSize(), CRect(10, 30, 42, 62));

    auto* group = dynamic_cast<CViewContainer*>(root->getView(2));
    ASSERT_TRUE(group);
    ASSERT_EQ(group->getNbViews(), 3u) << "an unknown class is left out, its siblings stay";
    auto* button = dynamic_cast<COnOffButton*>(group->getView(0));
    ASSERT_TRUE(button);
    EXPECT_EQ(button->getTag(), 8);
    auto* menu = dynamic_cast<COptionMenu*>(group->getView(1));
    ASSERT_TRUE(menu);
    EXPECT_EQ(menu->getTag(), 9);
    auto* knob = dynamic_cast<CKnob*>(group->getView(2));
    ASSERT_TRUE(knob);
    EXPECT_EQ(knob->getTag(), 3);
    EXPECT_EQ(knob->getRangeAngle(), 300.f);
    EXPECT_TRUE(knob->getDrawStyle() & CKnob::kCoronaDrawing);

    EXPECT_EQ(root->getViewAt(CPoint(110, 30), true), button) << "hit test goes into groups";
    EXPECT_EQ(root->getViewAt(CPoint(20, 12), true), nullptr) << "labels let clicks through";
}

TEST(UIDescriptionReading, BrokenOrMissingFilesBuildNothing)
{
    TempResourceFolder folder;
    folder.write("truncated.uidesc",
                 std::string(kGoodDescription).substr(0, std::string(kGoodDescription).size() / 2));
    folder.write("notxml.uidesc", "\x89PNG\r\n\x1a\n binary junk");
    folder.write("empty.uidesc", "");
    folder.write("otherroot.uidesc", "<html><template name=\"view\" size=\"10, 10\"/></html>");
    folder.write("tworoots.uidesc", "<vstgui-ui-description/><vstgui-ui-description/>");
    std::string deep = "<vstgui-ui-description><template name=\"view\">";
    for (int i = 0; i < 5000; ++i)
        deep += "<view class=\"CViewContainer\">";
    folder.write("deep.uidesc", deep);

    for (const char* name : {"missing.uidesc", "truncated.uidesc", "notxml.uidesc", "empty.uidesc",
                             "otherroot.uidesc", "tworoots.uidesc", "deep.uidesc"})
    {
        UIDescription description(name);
        EXPECT_FALSE(description.parse()) << name;
        EXPECT_EQ(description.createView("view", nullptr), nullptr) << name;
        EXPECT_EQ(description.getViewAttributes("view"), nullptr) << name;
    }
}

TEST(UIDescriptionReading, MissingTemplateOrOddValuesDoNotBreakTheBuild)
{
    TempResourceFolder folder;
    folder.write("odd.uidesc", R"(<vstgui-ui-description>
  <template name="view" size="abc" origin="1e999, 2">
    <view class="CAnimKnob" size="-5, 20" sub-pixmaps="-3" height-of-one-image="0"
          control-tag="NoSuchTag" bitmap="nothing" min-value="x"/>
    <view class="CParamDisplay" size="10, 10" font="nofont" font-color="#zzzzzz"/>
  </template>
</vstgui-ui-description>)");
    UIDescription description("odd.uidesc");
    ASSERT_TRUE(description.parse());
    EXPECT_EQ(description.createView("other", nullptr), nullptr);
    EXPECT_EQ(description.createView(nullptr, nullptr), nullptr);

    auto root = build(description);
    ASSERT_TRUE(root);
    EXPECT_EQ(root->getViewSize(), CRect()) << "unreadable sizes fall back to empty";
    auto* knob = dynamic_cast<CAnimKnob*>(root->getView(0));
    ASSERT_TRUE(knob);
    EXPECT_EQ(knob->getTag(), -1);
    EXPECT_EQ(knob->getWidth(), 0);
    EXPECT_EQ(knob->getNumSubPixmaps(), 0);
    EXPECT_EQ(knob->getMin(), 0.f);

    // Drawing a tree without bitmaps or with empty sizes must not fail either.
    auto image = getPlatformFactory().createOffscreen(10, 10);
    ASSERT_TRUE(image);
    root->draw(&image->getDrawContext());
}

TEST(UIDescriptionReading, ImagesDecodeOnlyWithinWhatTheWholeDescriptionMayCost)
{
    // 2900 x 2900 decodes to 33.6 MB: one fits the budget, a second does not.
    TempResourceFolder folder;
    folder.writeBandsPNG("big.png", 2900, 2900, 2900);
    folder.writeBandsPNG("small.png", 16, 16, 16);
    folder.write("images.uidesc", R"(<vstgui-ui-description><bitmaps>
    <bitmap name="first" path="big.png"/><bitmap name="again" path="big.png"/>
    <bitmap name="small" path="small.png"/></bitmaps></vstgui-ui-description>)");
    UIDescription description("images.uidesc");
    ASSERT_TRUE(description.parse());
    const uint64_t start = description.memoryBudget().remaining();
    ASSERT_TRUE(description.getBitmap("first"));
    EXPECT_EQ(start - description.memoryBudget().remaining(), surfaceBytes(2900, 2900));
    EXPECT_FALSE(description.getBitmap("again")) << "a second copy passes the total";
    EXPECT_TRUE(description.getBitmap("small")) << "what still fits is decoded";

    // A 3 MB text whose tree would pass the budget is refused while it is read.
    std::string elements;
    for (int i = 0; i < 300000; ++i)
        elements += "<a b=\"c\"/>";
    folder.write("long.uidesc", "<vstgui-ui-description>" + elements + "</vstgui-ui-description>");
    UIDescription tooLong("long.uidesc");
    EXPECT_FALSE(tooLong.parse());
}

TEST(UIDescriptionReading, HostileSizesCountsAndImagesStillGiveAnEditorThatDraws)
{
    TempResourceFolder folder;
    folder.writeBandsPNG("knob.png", 32, 128, 32);
    folder.write("huge.png", pngHeaderOnly(30000, 30000));
    folder.write("toomany.png", pngHeaderOnly(8192, 8193));
    folder.write("gif.png", "GIF89a\x01\x00\x01\x00");
    folder.write("cut.png", std::string("\x89PNG\r\n\x1a\n", 8));
    folder.write("hostile.uidesc", R"(<vstgui-ui-description>
  <bitmaps>
    <bitmap name="knob" path="knob.png"/>
    <bitmap name="huge" path="huge.png"/>
    <bitmap name="toomany" path="toomany.png"/>
    <bitmap name="gif" path="gif.png"/>
    <bitmap name="cut" path="cut.png"/>
  </bitmaps>
  <template name="view" size="20, 20" background-color="#000000ff">
    <view class="CAnimKnob" origin="-1e30, -1e30" size="1e30, 1e30" bitmap="knob"
          height-of-one-image="1e-300" sub-pixmaps="2147483647" control-tag="2147483647"/>
    <view class="CAnimKnob" origin="0, 0" size="32, 32" bitmap="knob" sub-pixmaps="2147483647"/>
    <view class="CKnob" origin="0, 0" size="1e30, 1e30" corona-drawing="true"
          corona-line-width="1e30" bitmap="huge"/>
    <view class="CViewContainer" origin="0, 0" size="10, 10" background-color="#ff0000ff"/>
  </template>
</vstgui-ui-description>)");
    UIDescription description("hostile.uidesc");
    ASSERT_TRUE(description.parse());
    EXPECT_TRUE(description.getBitmap("knob"));
    for (const char* refused : {"huge", "toomany", "gif", "cut"})
        EXPECT_FALSE(description.getBitmap(refused)) << refused;

    auto root = build(description);
    ASSERT_TRUE(root);
    ASSERT_EQ(root->getNbViews(), 4u);
    for (uint32_t i = 0; i < 3; ++i)
    {
        const CRect& size = root->getView(i)->getViewSize();
        EXPECT_TRUE(size.left >= -32768 && size.right <= 65534 && size.getHeight() <= 32767)
            << "view " << i << " stays within what a window can show";
    }

    // Drawn after the hostile views, the last one must still reach the image.
    auto image = getPlatformFactory().createOffscreen(20, 20);
    ASSERT_TRUE(image);
    root->draw(&image->getDrawContext());
    std::string path = (folder.path / "drawn.png").string();
    ASSERT_TRUE(ferrulith::test::writeOffscreenPNG(*image, path));
    const auto drawn = ferrulith::test::readPngPixels(path);
    ASSERT_TRUE(drawn.loaded);
    EXPECT_EQ(drawn.at(0, 0) & 0xffffffu, 0xff0000u) << "the red square drawn last";
}
