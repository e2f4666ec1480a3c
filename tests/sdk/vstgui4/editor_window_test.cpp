// The editor in a host's window: repeated attach, resize and remove without
// leaking handlers, and a window that actually shows something.
#include "editor_test_support.h"
#include "support/editor_pictures.h"
#include "hostkit/x11/x11_plug_view_host.h"

#include "vstgui/lib/cframe.h"
#include "vstgui/plugin-bindings/vst3editor.h"

#include <gtest/gtest.h>
#include <cstdlib>

using namespace ferrulith::test;
using namespace VSTGUI;
using ferrulith::host::X11PlugViewHost;

namespace
{
IPtr<VST3Editor> makeEditor(TestController* controller)
{
    return IPtr<VST3Editor>(new VST3Editor(controller, "view", "test.uidesc"), false);
}
} // namespace

TEST(EditorWindow, AttachResizeAndRemoveRepeatedlyLeaveNothingBehind)
{
    if (!std::getenv("DISPLAY"))
        GTEST_SKIP() << "needs an X display (scripts/test.sh runs the tests under Xvfb)";
    TempResourceFolder folder;
    writeEditorResources(folder);
    IPtr<TestController> controller(new TestController, false);
    auto editor = makeEditor(controller);
    X11PlugViewHost host;
    ASSERT_TRUE(host.isConnected());

    for (int round = 0; round < 12; ++round)
    {
        ASSERT_TRUE(host.attach(editor)) << "round " << round << ": " << host.lastError();
        EXPECT_EQ(host.registeredHandlerCount(), 2u) << "its X connection and one timer";
        ASSERT_TRUE(editor->getFrame());
        EXPECT_EQ(editor->attached(reinterpret_cast<void*>(host.getWindow()),
                                   kPlatformTypeX11EmbedWindowID),
                  kResultFalse)
            << "attached twice";
        host.run(15);
        ASSERT_TRUE(host.resize(300 + round, 150));
        host.run(15);
        ViewRect size;
        editor->getSize(&size);
        EXPECT_EQ(size.getWidth(), 300 + round);
        EXPECT_EQ(editor->getFrame()->getViewSize().getWidth(), 300 + round);
        EXPECT_EQ(editor->getFrame()->getView(0)->getViewSize().getWidth(), 300 + round);
        if (round == 0)
        {
            // The X server draws asynchronously, and on a loaded machine the
            // first drawing (fonts included) can take seconds: give the run
            // loop up to five to have the editor on screen.
            std::string shot = (folder.path / "window.png").string();
            Picture facts;
            for (int wait = 0; wait < 250 && facts.distinctColours < 4; ++wait)
            {
                host.run(20);
                ASSERT_TRUE(host.capturePNG(shot));
                facts = readPicture(shot);
            }
            EXPECT_EQ(facts.width, 300);
            EXPECT_GE(facts.distinctColours, 4u) << "the window shows the editor";
        }
        host.detach();
        EXPECT_EQ(host.registeredHandlerCount(), 0u);
        EXPECT_FALSE(editor->getFrame());
        ViewRect back(0, 0, 200, 100);
        editor->onSize(&back);
    }
    EXPECT_EQ(editor->getRefCount(), 1) << "the host frame holds no reference after removal";
}
