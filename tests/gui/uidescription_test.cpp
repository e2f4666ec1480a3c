// Reading UI descriptions: the resources and templates a good file gives, and
// that a broken file builds nothing instead of crashing.
#include "gui_test_support.h"

#include "vstgui/lib/controls/cbuttons.h"
#include "vstgui/lib/controls/cknob.h"
#include "vstgui/lib/controls/coptionmenu.h"
#include "vstgui/lib/controls/ctextlabel.h"
#include "vstgui/lib/cviewcontainer.h"
#include "vstgui/uidescription/uidescription.h"

#include <gtest/gtest.h>
#include <memory>

using namespace VSTGUI;
using ferrulith_test::TempResourceFolder;

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
