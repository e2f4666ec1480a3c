// The shipped editor design: the UI description in resource/ read by the
// editor library, as the plug-in's editor reads it from the bundle. Every
// parameter must have its control and read-out, the images must fit the
// controls that show them, and nothing may sit off the panel or on another
// control.
#include "vstgui/lib/controls/cbuttons.h"
#include "vstgui/lib/controls/cknob.h"
#include "vstgui/lib/controls/coptionmenu.h"
#include "vstgui/lib/controls/cparamdisplay.h"
#include "vstgui/lib/controls/ctextlabel.h"
#include "vstgui/lib/cviewcontainer.h"
#include "vstgui/lib/platform/linux/linuxfactory.h"
#include "vstgui/lib/platform/platformfactory.h"
#include "vstgui/uidescription/uidescription.h"

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

using namespace VSTGUI;

namespace
{

const char* const kTitles[] = {"Preamp", "Noise", "Volume", "Lo",     "Res",
                               "Cut",    "Hi",    "Boost",  "Bypass", "Presets"};

bool overlap(const CRect& a, const CRect& b)
{
    return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

// The root view of the shipped template and every view in it, outermost first.
class ShippedDesign : public ::testing::Test
{
protected:
    void SetUp() override
    {
        getPlatformFactory().asLinuxFactory()->setResourcePath(FERRULITH_RESOURCE_DIR);
        description = std::make_unique<UIDescription>("ferrulitheditor.uidesc");
        ASSERT_TRUE(description->parse());
        root.reset(dynamic_cast<CViewContainer*>(description->createView("view", nullptr)));
        ASSERT_NE(root, nullptr);
        collect(root.get());
    }
    void TearDown() override { getPlatformFactory().asLinuxFactory()->setResourcePath(""); }

    void collect(CViewContainer* container)
    {
        for (uint32_t i = 0; i < container->getNbViews(); ++i)
        {
            CView* view = container->getView(i);
            views.push_back(view);
            if (auto* inner = dynamic_cast<CViewContainer*>(view))
                collect(inner);
        }
    }

    template <typename T> std::vector<T*> all() const
    {
        std::vector<T*> found;
        for (CView* view : views)
            if (auto* typed = dynamic_cast<T*>(view))
                found.push_back(typed);
        return found;
    }

    // A read-out: a parameter display that is neither a label nor a menu.
    static bool isReadout(CView* view)
    {
        return dynamic_cast<CParamDisplay*>(view) && !dynamic_cast<CTextLabel*>(view) &&
               !dynamic_cast<COptionMenu*>(view);
    }

    std::unique_ptr<UIDescription> description;
    std::unique_ptr<CViewContainer> root;
    std::vector<CView*> views;
};

TEST_F(ShippedDesign, TemplateIsTheBackgroundsFixedSize)
{
    const UIAttributes* attributes = description->getViewAttributes("view");
    ASSERT_NE(attributes, nullptr);
    CPoint size, minSize, maxSize;
    ASSERT_TRUE(attributes->getPointAttribute("size", size));
    ASSERT_TRUE(attributes->getPointAttribute("minSize", minSize));
    ASSERT_TRUE(attributes->getPointAttribute("maxSize", maxSize));
    EXPECT_EQ(minSize, size);
    EXPECT_EQ(maxSize, size);

    EXPECT_EQ(root->getWidth(), size.x);
    EXPECT_EQ(root->getHeight(), size.y);
    const CBitmapRef& background = root->getBackground();
    ASSERT_TRUE(background && background->isLoaded());
    EXPECT_EQ(background->getSize(), size);
}

TEST_F(ShippedDesign, EveryParameterHasOneControlAndEverySoundParameterAReadout)
{
    std::map<int32_t, int> editors;
    std::map<int32_t, int> readouts;
    for (CControl* control : all<CControl>())
    {
        const int32_t tag = control->getTag();
        if (dynamic_cast<CTextLabel*>(control))
        {
            EXPECT_EQ(tag, -1) << "a label edits nothing";
            continue;
        }
        ASSERT_GE(tag, 0);
        ASSERT_LE(tag, 9);
        ++(isReadout(control) ? readouts : editors)[tag];
    }
    for (int32_t tag = 0; tag < 10; ++tag)
        EXPECT_EQ(editors[tag], 1) << kTitles[tag];
    for (int32_t tag = 0; tag < 9; ++tag)
        EXPECT_EQ(readouts[tag], 1) << kTitles[tag];

    for (CAnimKnob* knob : all<CAnimKnob>())
        EXPECT_LE(knob->getTag(), 7) << "knobs are for the sound parameters";
    const auto switches = all<COnOffButton>();
    ASSERT_EQ(switches.size(), 1u);
    EXPECT_EQ(switches[0]->getTag(), 8);
    const auto menus = all<COptionMenu>();
    ASSERT_EQ(menus.size(), 1u);
    EXPECT_EQ(menus[0]->getTag(), 9);
}

TEST_F(ShippedDesign, EveryControlIsTitledWithItsParametersName)
{
    std::set<std::string> titles;
    for (CTextLabel* label : all<CTextLabel>())
        titles.insert(label->getText());
    for (int32_t tag = 0; tag < 9; ++tag)
        EXPECT_EQ(titles.count(kTitles[tag]), 1u) << kTitles[tag];
}

TEST_F(ShippedDesign, ImagesMatchTheControlsThatShowThem)
{
    for (CAnimKnob* knob : all<CAnimKnob>())
    {
        const CBitmapRef& strip = knob->getDrawBackground();
        ASSERT_TRUE(strip && strip->isLoaded()) << kTitles[knob->getTag()];
        EXPECT_EQ(strip->getWidth(), knob->getWidth());
        EXPECT_EQ(knob->getHeightOfOneImage(), knob->getHeight());
        EXPECT_GE(knob->getNumSubPixmaps(), 2);
        EXPECT_EQ(strip->getHeight(), knob->getHeightOfOneImage() * knob->getNumSubPixmaps());
    }
    for (COnOffButton* button : all<COnOffButton>())
    {
        const CBitmapRef& states = button->getDrawBackground();
        ASSERT_TRUE(states && states->isLoaded());
        EXPECT_EQ(states->getWidth(), button->getWidth());
        EXPECT_EQ(states->getHeight(), 2 * button->getHeight()) << "off above, on below";
    }
}

TEST_F(ShippedDesign, ViewsLieOnThePanelAndControlsDoNotOverlap)
{
    const CRect panel(0, 0, root->getWidth(), root->getHeight());
    std::vector<CRect> taken;
    for (CView* view : views)
    {
        const CRect rect = view->getViewSize();
        EXPECT_TRUE(rect.left >= panel.left && rect.top >= panel.top && rect.right <= panel.right &&
                    rect.bottom <= panel.bottom);
        if (!dynamic_cast<CControl*>(view))
            continue;
        for (const CRect& other : taken)
            EXPECT_FALSE(overlap(rect, other));
        taken.push_back(rect);
    }
}

} // namespace
