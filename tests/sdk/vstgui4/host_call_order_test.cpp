// The editor driven the way real Linux hosts drive an IPlugView: frames set
// late or never, run loops that call back after removal, sizes out of range,
// views released while still attached, and controllers that go away first.
#include "editor_test_support.h"
#include "hostkit/x11/host_frame.h"
#include "hostkit/x11/xcb_calls.h"
#include "x11_window_queries.h"

#include "vstgui/lib/cframe.h"
#include "vstgui/lib/controls/ccontrol.h"
#include "vstgui/lib/controls/cknob.h"
#include "vstgui/plugin-bindings/vst3editor.h"

#include <gtest/gtest.h>
#include <climits>
#include <sys/socket.h>
#include <cstdlib>
#include <vector>
#include <xcb/xcb.h>

using namespace ferrulith::test;
using namespace VSTGUI;
using ferrulith::host::HostFrame;
using ferrulith::host::internAtom;

namespace
{
// A plain top-level X11 window standing for the host's editor window.
class ParentWindow
{
public:
    ParentWindow()
    {
        connection = xcb_connect(nullptr, nullptr);
        if (xcb_connection_has_error(connection))
            return;
        xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(connection)).data;
        window = xcb_generate_id(connection);
        xcb_create_window(connection, XCB_COPY_FROM_PARENT, window, screen->root, 0, 0, 400, 300, 0,
                          XCB_WINDOW_CLASS_INPUT_OUTPUT, screen->root_visual, 0, nullptr);
        xcb_map_window(connection, window);
        xcb_flush(connection);
    }
    ~ParentWindow()
    {
        if (window)
            xcb_destroy_window(connection, window);
        xcb_disconnect(connection);
    }
    void* handle() const { return reinterpret_cast<void*>(static_cast<uintptr_t>(window)); }
    bool ok() const { return window != 0; }

    // The one window a view created inside this one, or 0.
    xcb_window_t child() const
    {
        auto* tree = xcb_query_tree_reply(connection, xcb_query_tree(connection, window), nullptr);
        xcb_window_t found = tree && xcb_query_tree_children_length(tree) == 1
                                 ? xcb_query_tree_children(tree)[0]
                                 : 0;
        std::free(tree);
        return found;
    }
    bool isMapped(xcb_window_t other) const { return windowIsMapped(connection, other); }
    // (version, flags) of other's _XEMBED_INFO, empty without one.
    std::vector<uint32_t> xembedInfo(xcb_window_t other) const
    {
        xcb_atom_t info = internAtom(connection, "_XEMBED_INFO");
        auto* reply = xcb_get_property_reply(
            connection, xcb_get_property(connection, 0, other, info, info, 0, 2), nullptr);
        std::vector<uint32_t> words;
        if (reply && reply->format == 32)
        {
            auto* data = static_cast<const uint32_t*>(xcb_get_property_value(reply));
            words.assign(data, data + xcb_get_property_value_length(reply) / 4);
        }
        std::free(reply);
        return words;
    }
    // Sends other an XEmbed message as an embedder would.
    void sendXEmbed(xcb_window_t other, uint32_t code) const
    {
        xcb_client_message_event_t event{};
        event.response_type = XCB_CLIENT_MESSAGE;
        event.format = 32;
        event.window = other;
        event.type = internAtom(connection, "_XEMBED");
        event.data.data32[1] = code;
        event.data.data32[3] = window;
        xcb_send_event(connection, 0, other, XCB_EVENT_MASK_NO_EVENT,
                       reinterpret_cast<const char*>(&event));
        xcb_flush(connection);
    }

private:
    xcb_connection_t* connection{nullptr};
    xcb_window_t window{0};
};

// A host frame without a run loop, as some hosts hand before they have one.
class FrameWithoutRunLoop final : public FObject, public IPlugFrame
{
public:
    tresult PLUGIN_API resizeView(IPlugView*, ViewRect*) override { return kResultFalse; }
    OBJ_METHODS(FrameWithoutRunLoop, FObject)
    FUNKNOWN_METHODS(IPlugFrame, FObject)
};

// A run loop that remembers every handler it was given, for calling them
// after the view said goodbye, and that can refuse timers.
class StickyRunLoop final : public FObject, public IPlugFrame, public Linux::IRunLoop
{
public:
    tresult PLUGIN_API resizeView(IPlugView*, ViewRect*) override { return kResultFalse; }
    tresult PLUGIN_API registerEventHandler(Linux::IEventHandler* h,
                                            Linux::FileDescriptor fd) override
    {
        events.push_back(h);
        descriptors.push_back(fd);
        ++live;
        return kResultOk;
    }
    tresult PLUGIN_API unregisterEventHandler(Linux::IEventHandler*) override
    {
        --live;
        return kResultOk;
    }
    tresult PLUGIN_API registerTimer(Linux::ITimerHandler* h, Linux::TimerInterval) override
    {
        if (refuseTimers)
            return kNotImplemented;
        timers.push_back(h);
        ++live;
        return kResultOk;
    }
    tresult PLUGIN_API unregisterTimer(Linux::ITimerHandler*) override
    {
        --live;
        return kResultOk;
    }
    void callEverything()
    {
        for (auto& h : events)
            h->onFDIsSet(0);
        for (auto& h : timers)
            h->onTimer();
    }
    std::vector<IPtr<Linux::IEventHandler>> events;
    std::vector<Linux::FileDescriptor> descriptors;
    std::vector<IPtr<Linux::ITimerHandler>> timers;
    int live{0};
    bool refuseTimers{false};
    OBJ_METHODS(StickyRunLoop, FObject)
    DEFINE_INTERFACES
    DEF_INTERFACE(IPlugFrame)
    DEF_INTERFACE(Linux::IRunLoop)
    END_DEFINE_INTERFACES(FObject)
    REFCOUNT_METHODS(FObject)
};

struct HostCallOrder : ::testing::Test
{
    void SetUp() override
    {
        if (!std::getenv("DISPLAY"))
            GTEST_SKIP() << "needs an X display (scripts/test.sh runs the tests under Xvfb)";
        writeEditorResources(folder);
        controller = IPtr<TestController>(new TestController, false);
        handler = IPtr<RecordingHandler>(new RecordingHandler, false);
        controller->setComponentHandler(handler);
        frame = IPtr<HostFrame>(new HostFrame([](int32_t, int32_t) { return true; }), false);
        ASSERT_TRUE(parent.ok());
    }
    IPtr<VST3Editor> makeEditor()
    {
        return IPtr<VST3Editor>(new VST3Editor(controller, "view", "test.uidesc"), false);
    }
    TempResourceFolder folder;
    IPtr<TestController> controller;
    IPtr<RecordingHandler> handler;
    IPtr<HostFrame> frame;
    ParentWindow parent;
};

bool attach(IPlugView* view, const ParentWindow& parent)
{
    return view->attached(parent.handle(), kPlatformTypeX11EmbedWindowID) == kResultOk;
}

// Points the knob of the test description (tag 0) straight up, the middle of
// its dial, then turns the wheel a notch up.
void dragAndTurn(CFrame* frame)
{
    CPoint knob(26, 36);
    frame->platformOnMouseDown(knob, kLButton);
    frame->platformOnMouseMoved(knob - CPoint(0, 10), kLButton);
    frame->platformOnMouseUp(knob - CPoint(0, 10), kLButton);
    frame->platformOnMouseWheel(knob, 1.f);
}
} // namespace

TEST_F(HostCallOrder, AttachNeedsAFrameServingARunLoopAndFailsCleanlyWithout)
{
    auto editor = makeEditor();
    EXPECT_FALSE(attach(editor, parent)) << "attached before setFrame";
    EXPECT_FALSE(editor->getFrame());

    IPtr<FrameWithoutRunLoop> plain(new FrameWithoutRunLoop, false);
    EXPECT_EQ(editor->setFrame(plain), kResultTrue);
    EXPECT_FALSE(attach(editor, parent)) << "a frame without Linux::IRunLoop";
    EXPECT_FALSE(editor->getFrame());

    IPtr<StickyRunLoop> refusing(new StickyRunLoop, false);
    refusing->refuseTimers = true;
    editor->setFrame(refusing);
    EXPECT_FALSE(attach(editor, parent)) << "a run loop without timers";
    EXPECT_EQ(refusing->live, 0) << "the X connection it did take is given back";
    refusing->callEverything();

    editor->setFrame(frame);
    ASSERT_TRUE(attach(editor, parent)) << "a failed attach leaves the view usable";
    EXPECT_EQ(frame->handlerCount(), 2u);
    frame->dispatch(20, -1);
    // Some hosts drop the frame before removing the view.
    EXPECT_EQ(editor->setFrame(nullptr), kResultTrue);
    frame->dispatch(20, -1);
    EXPECT_EQ(editor->removed(), kResultOk);
    EXPECT_EQ(frame->handlerCount(), 0u);
    EXPECT_EQ(editor->removed(), kResultFalse) << "removed twice";
    EXPECT_EQ(plain->getRefCount(), 1);
    EXPECT_EQ(refusing->getRefCount(), 1);
}

TEST_F(HostCallOrder, RunLoopCallsAfterRemovalOrReleaseReachNothing)
{
    IPtr<StickyRunLoop> loop(new StickyRunLoop, false);
    auto editor = makeEditor();
    editor->setFrame(loop);
    ASSERT_TRUE(attach(editor, parent));
    loop->callEverything();
    EXPECT_EQ(editor->removed(), kResultOk);
    EXPECT_EQ(loop->live, 0);
    loop->callEverything(); // a host dispatching what it polled before the removal

    // The host forgets removed() and releases the view while it is shown.
    ASSERT_TRUE(attach(editor, parent));
    editor = nullptr;
    EXPECT_EQ(loop->live, 0) << "a released view leaves nothing registered";
    loop->callEverything();
    EXPECT_TRUE(handler->edits.empty());
    EXPECT_EQ(controller->getRefCount(), 1) << "the view gave its controller back";
}

TEST_F(HostCallOrder, ControllerTerminatedOrReleasedUnderAnOpenEditor)
{
    auto editor = makeEditor();
    editor->setFrame(frame);
    ASSERT_TRUE(attach(editor, parent));
    frame->dispatch(20, -1);

    // Still initialized but with no host handler: gestures go nowhere.
    controller->setComponentHandler(nullptr);
    dragAndTurn(editor->getFrame());
    EXPECT_NEAR(controller->getParamNormalized(0), 0.6, 1e-6)
        << "the controller still follows the editor";

    controller->setComponentHandler(handler);
    controller->terminate();
    controller = nullptr; // the host lets go; the view keeps it alive
    dragAndTurn(editor->getFrame());
    frame->dispatch(20, -1);
    EXPECT_EQ(editor->removed(), kResultOk);
    EXPECT_TRUE(handler->edits.empty()) << "a terminated controller sends nothing";
    ASSERT_TRUE(attach(editor, parent)) << "shown again, without parameters to bind";
    dragAndTurn(editor->getFrame());
    frame->dispatch(20, -1);
    EXPECT_EQ(editor->removed(), kResultOk);
    EXPECT_TRUE(handler->edits.empty());
}

TEST_F(HostCallOrder, ALostXServerConnectionStopsAskingTheRunLoop)
{
    IPtr<StickyRunLoop> loop(new StickyRunLoop, false);
    auto editor = makeEditor();
    editor->setFrame(loop);
    ASSERT_TRUE(attach(editor, parent));
    ASSERT_EQ(loop->live, 2);
    ASSERT_EQ(loop->descriptors.size(), 1u);

    // What the editor sees when the X server goes away: a descriptor that
    // reads as ready forever.
    ::shutdown(loop->descriptors[0], SHUT_RDWR);
    loop->callEverything();
    EXPECT_EQ(loop->live, 0) << "a dead connection must not keep the host's loop spinning";
    loop->callEverything();
    EXPECT_EQ(editor->removed(), kResultOk);
    EXPECT_EQ(loop->live, 0);
}

TEST_F(HostCallOrder, EditorWindowFollowsXEmbedAndMapsItselfForHostsWithout)
{
    auto editor = makeEditor();
    editor->setFrame(frame);
    ASSERT_TRUE(attach(editor, parent));
    xcb_window_t window = parent.child();
    ASSERT_NE(window, 0u);
    EXPECT_EQ(parent.xembedInfo(window), (std::vector<uint32_t>{1, 0}))
        << "XEmbed version 1, not asking to be mapped";
    EXPECT_FALSE(parent.isMapped(window)) << "an XEmbed client waits for its host";

    // This host never speaks XEmbed: the window shows all the same.
    for (int turn = 0; turn < 50 && !parent.isMapped(window); ++turn)
        frame->dispatch(20, -1);
    EXPECT_TRUE(parent.isMapped(window));

    // Activation, focus and messages it does not know change nothing.
    for (uint32_t code : {1u, 4u, 5u, 2u, 3u, 10u, 99u, 0u})
        parent.sendXEmbed(window, code);
    frame->dispatch(20, -1);
    EXPECT_TRUE(parent.isMapped(window));
    dragAndTurn(editor->getFrame());
    EXPECT_FALSE(handler->edits.empty()) << "still takes the mouse";
    EXPECT_EQ(editor->removed(), kResultOk);
}
