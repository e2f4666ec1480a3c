// The VST 3 editor as a host sees it: its size and limits, what an editor
// without a usable description does, and control <-> parameter binding in
// both directions through a real (virtual) X11 window.
#include "editor_test_support.h"
#include "hostkit/x11/x11_plug_view_host.h"

#include "vstgui/lib/cframe.h"
#include "vstgui/lib/controls/ccontrol.h"
#include "vstgui/lib/controls/cknob.h"
#include "vstgui/lib/controls/coptionmenu.h"
#include "vstgui/lib/controls/coptionmenupopup.h"
#include "vstgui/lib/controls/cparamdisplay.h"
#include "vstgui/plugin-bindings/vst3editor.h"

#include <gtest/gtest.h>
#include <cstdint>
#include <cstdlib>

using namespace ferrulith::test;
using namespace VSTGUI;
using ferrulith::host::X11PlugViewHost;

namespace
{
struct EditorFixture : ::testing::Test
{
    void SetUp() override
    {
        writeEditorResources(folder);
        controller = IPtr<TestController>(new TestController, false);
        handler = IPtr<RecordingHandler>(new RecordingHandler, false);
        controller->setComponentHandler(handler);
    }
    IPtr<VST3Editor> makeEditor(const char* templateName = "view", const char* file = "test.uidesc")
    {
        return IPtr<VST3Editor>(new VST3Editor(controller, templateName, file), false);
    }
    TempResourceFolder folder;
    IPtr<TestController> controller;
    IPtr<RecordingHandler> handler;
};

ViewRect sizeOf(IPlugView* view)
{
    ViewRect rect;
    view->getSize(&rect);
    return rect;
}

// The control with tag, searched depth first.
template <class T> T* findControl(CViewContainer* container, int32_t tag)
{
    for (uint32_t i = 0; i < container->getNbViews(); ++i)
    {
        CView* view = container->getView(i);
        if (auto* control = dynamic_cast<T*>(view); control && control->getTag() == tag)
            return control;
        if (auto* inner = dynamic_cast<CViewContainer*>(view))
            if (auto* found = findControl<T>(inner, tag))
                return found;
    }
    return nullptr;
}

CPoint centreInFrame(CView* view)
{
    return view->parentToFrame(view->getViewSize().getCenter());
}

bool haveDisplay()
{
    return std::getenv("DISPLAY") != nullptr;
}
} // namespace

TEST_F(EditorFixture, SizeAndResizeLimitsComeFromTheTemplate)
{
    auto editor = makeEditor();
    ViewRect size = sizeOf(editor);
    EXPECT_EQ(size.getWidth(), 200);
    EXPECT_EQ(size.getHeight(), 100);
    EXPECT_EQ(editor->canResize(), kResultTrue);

    ViewRect tooBig(10, 10, 1010, 1010);
    ASSERT_EQ(editor->checkSizeConstraint(&tooBig), kResultTrue);
    EXPECT_EQ(tooBig.left, 10);
    EXPECT_EQ(tooBig.getWidth(), 400);
    EXPECT_EQ(tooBig.getHeight(), 200);
    ViewRect tooSmall(0, 0, 5, 5);
    editor->checkSizeConstraint(&tooSmall);
    EXPECT_EQ(tooSmall.getWidth(), 150);
    EXPECT_EQ(tooSmall.getHeight(), 80);

    ViewRect wanted(0, 0, 1000, 150);
    EXPECT_EQ(editor->onSize(&wanted), kResultTrue);
    EXPECT_EQ(sizeOf(editor).getWidth(), 400) << "a host's size is kept within the limits";
    EXPECT_EQ(sizeOf(editor).getHeight(), 150);
    EXPECT_EQ(editor->checkSizeConstraint(nullptr), kInvalidArgument);
    EXPECT_EQ(editor->onSize(nullptr), kInvalidArgument);

    auto fixed = makeEditor("fixed");
    EXPECT_EQ(sizeOf(fixed).getWidth(), 120);
    EXPECT_EQ(fixed->canResize(), kResultFalse) << "no minSize/maxSize: the size is fixed";
}

TEST_F(EditorFixture, EditorWithoutUsableDescriptionShowsNothingAndNeverCrashes)
{
    folder.write("broken.uidesc", "<vstgui-ui-description><template name=\"view\"");
    // Drawn at its full size, this one would take 4 GB.
    folder.write("vast.uidesc", "<vstgui-ui-description><template name=\"view\" "
                                "size=\"32767, 32767\"/></vstgui-ui-description>");
    for (auto [templateName, file] :
         {std::pair{"view", "missing.uidesc"}, std::pair{"view", "broken.uidesc"},
          std::pair{"view", "vast.uidesc"}, std::pair{"nosuch", "test.uidesc"},
          std::pair{"view", static_cast<const char*>(nullptr)}})
    {
        auto editor = makeEditor(templateName, file);
        EXPECT_EQ(sizeOf(editor).getWidth(), 0);
        EXPECT_EQ(editor->isPlatformTypeSupported(kPlatformTypeX11EmbedWindowID), kResultTrue);
        EXPECT_NE(editor->attached(reinterpret_cast<void*>(1), kPlatformTypeX11EmbedWindowID),
                  kResultOk);
        EXPECT_EQ(editor->removed(), kResultFalse);
    }
    auto editor = makeEditor();
    EXPECT_EQ(editor->isPlatformTypeSupported(kPlatformTypeHWND), kResultFalse);
    EXPECT_EQ(editor->attached(reinterpret_cast<void*>(1), kPlatformTypeHWND), kInvalidArgument);
    EXPECT_EQ(editor->attached(nullptr, kPlatformTypeX11EmbedWindowID), kInvalidArgument);
    EXPECT_TRUE(handler->edits.empty());
}

TEST_F(EditorFixture, UserGesturesBecomeEditsAndHostChangesMoveTheControls)
{
    if (!haveDisplay())
        GTEST_SKIP() << "needs an X display (scripts/test.sh runs the tests under Xvfb)";
    auto editor = makeEditor();
    X11PlugViewHost host;
    ASSERT_TRUE(host.isConnected());
    ASSERT_TRUE(host.attach(editor)) << host.lastError();
    host.run(20);
    CFrame* frame = editor->getFrame();
    ASSERT_TRUE(frame);
    auto* root = dynamic_cast<CViewContainer*>(frame->getView(0));
    ASSERT_TRUE(root);
    auto* knob = findControl<CControl>(root, 0);
    auto* display = findControl<CParamDisplay>(root, 0);
    auto* button = findControl<CControl>(root, 1);
    auto* menu = findControl<COptionMenu>(root, 2);
    ASSERT_TRUE(knob && display && button && menu);
    EXPECT_FLOAT_EQ(knob->getValue(), 0.25f) << "controls start at the parameter's value";
    EXPECT_EQ(display->getDisplayText(), "0.2500") << "the parameter's own text";
    ASSERT_EQ(menu->getNbEntries(), 3);
    EXPECT_EQ(*menu->getEntry(1), "second");

    // Point the knob straight up: the middle of its dial.
    CPoint start = centreInFrame(knob);
    frame->platformOnMouseDown(start, kLButton);
    frame->platformOnMouseMoved(start - CPoint(0, 50), kLButton);
    frame->platformOnMouseUp(start - CPoint(0, 50), kLButton);
    EXPECT_EQ(handler->edits, (std::vector<std::string>{"begin 0", "perform 0 0.5000", "end 0"}));
    EXPECT_DOUBLE_EQ(controller->getParamNormalized(0), 0.5);
    EXPECT_EQ(display->getDisplayText(), "0.5000");

    handler->edits.clear();
    frame->platformOnMouseWheel(start, 1.f);
    EXPECT_EQ(handler->edits, (std::vector<std::string>{"begin 0", "perform 0 0.6000", "end 0"}));

    handler->edits.clear();
    frame->platformOnMouseDown(centreInFrame(button), kLButton);
    frame->platformOnMouseUp(centreInFrame(button), kLButton);
    EXPECT_EQ(handler->edits, (std::vector<std::string>{"begin 1", "perform 1 1.0000", "end 1"}));

    // Open the menu, then pick its third entry from the list below it.
    handler->edits.clear();
    frame->platformOnMouseDown(centreInFrame(menu), kLButton);
    ASSERT_TRUE(frame->getModalView()) << "a click opens the list";
    EXPECT_TRUE(handler->edits.empty());
    auto* list = dynamic_cast<COptionMenuPopup*>(frame->getModalView());
    ASSERT_TRUE(list);
    frame->platformOnMouseDown(list->entryRect(2).getCenter(), kLButton);
    EXPECT_FALSE(frame->getModalView());
    EXPECT_EQ(handler->edits, (std::vector<std::string>{"begin 2", "perform 2 1.0000", "end 2"}));
    EXPECT_EQ(menu->getCurrentIndex(), 2);
    host.run(20);

    // The host (automation, a program change) sets parameters: controls follow
    // and nothing is sent back.
    handler->edits.clear();
    controller->setParamNormalized(0, 0.8);
    controller->setParamNormalized(1, 0.0);
    controller->setParamNormalized(2, 0.5);
    EXPECT_FLOAT_EQ(knob->getValue(), 0.8f);
    EXPECT_EQ(display->getDisplayText(), "0.8000");
    EXPECT_FLOAT_EQ(button->getValue(), 0.f);
    EXPECT_EQ(menu->getCurrentIndex(), 1);
    EXPECT_TRUE(handler->edits.empty());
    host.detach();

    // Once the editor is gone, parameter changes reach no dead control.
    controller->setParamNormalized(0, 0.1);
}

TEST_F(EditorFixture, ClosingTheEditorDuringADragEndsTheGesture)
{
    if (!haveDisplay())
        GTEST_SKIP() << "needs an X display";
    auto editor = makeEditor();
    X11PlugViewHost host;
    ASSERT_TRUE(host.attach(editor)) << host.lastError();
    CFrame* frame = editor->getFrame();
    auto* knob = findControl<CControl>(dynamic_cast<CViewContainer*>(frame->getView(0)), 0);
    ASSERT_TRUE(knob);
    frame->platformOnMouseDown(centreInFrame(knob), kLButton);
    host.detach();
    EXPECT_EQ(handler->edits, (std::vector<std::string>{"begin 0", "end 0"}))
        << "the host must never be left inside an open edit";
}

TEST_F(EditorFixture, HostSizesAnywhereInTheIntegerRangeComeBackWithinTheLimits)
{
    auto editor = makeEditor();
    const ViewRect hostile[] = {
        {INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX},
        {INT32_MAX - 5, INT32_MAX - 5, INT32_MAX, INT32_MAX},
        {INT32_MAX, 0, INT32_MIN, 10},
        {100, 100, 100, 100},
    };
    for (ViewRect rect : hostile)
    {
        ASSERT_EQ(editor->checkSizeConstraint(&rect), kResultTrue);
        int64_t width = static_cast<int64_t>(rect.right) - rect.left;
        int64_t height = static_cast<int64_t>(rect.bottom) - rect.top;
        EXPECT_TRUE(width >= 150 && width <= 400) << width;
        EXPECT_TRUE(height >= 80 && height <= 200) << height;
    }
    ViewRect huge(INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX);
    ASSERT_EQ(editor->onSize(&huge), kResultTrue);
    ViewRect size = sizeOf(editor);
    EXPECT_EQ(size.getWidth(), 400);
    EXPECT_EQ(size.getHeight(), 200);
}

TEST_F(EditorFixture, ADragWhoseReleaseWentElsewhereEndsInsteadOfFollowingThePointer)
{
    if (!haveDisplay())
        GTEST_SKIP() << "needs an X display";
    auto editor = makeEditor();
    X11PlugViewHost host;
    ASSERT_TRUE(host.attach(editor)) << host.lastError();
    CFrame* frame = editor->getFrame();
    auto* knob = findControl<CControl>(dynamic_cast<CViewContainer*>(frame->getView(0)), 0);
    ASSERT_TRUE(knob);
    CPoint start = centreInFrame(knob);

    // The button comes up outside our window and the release goes to another
    // client: the next move arrives with no button held.
    frame->platformOnMouseDown(start, kLButton);
    frame->platformOnMouseMoved(start - CPoint(0, 20), kLButton);
    frame->platformOnMouseMoved(start + CPoint(20, 0), 0);
    frame->platformOnMouseMoved(start + CPoint(20, 10), 0);
    EXPECT_EQ(handler->edits, (std::vector<std::string>{"begin 0", "perform 0 0.5000", "end 0"}));
    EXPECT_NEAR(controller->getParamNormalized(0), 0.5, 1e-6) << "hovering turns nothing";

    // The pointer is taken away mid-drag (a grab elsewhere, the window hidden).
    handler->edits.clear();
    frame->platformOnMouseDown(start, kLButton);
    frame->platformOnMouseCancel();
    frame->platformOnMouseUp(start, kLButton);
    EXPECT_EQ(handler->edits, (std::vector<std::string>{"begin 0", "end 0"}));
    host.detach();
}
