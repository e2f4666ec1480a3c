// The editor of the built bundle, as a host meets it: loaded through the
// module's entry points, with its design read from Contents/Resources, in a
// real window (an X11 one served by the host's run loop, or a Win32 one),
// and as the host program's pictures.
#include "support/editor_pictures.h"

#include "hostkit/plugin_instance.h"
#include "hostkit/plugin_module.h"

#include "pluginterfaces/gui/iplugview.h"
#include "common/plugviewsnapshot.h"
#include "hostkit/platform_view_host.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <unistd.h>

using namespace Steinberg;
using ferrulith::host::PluginInstance;
using ferrulith::host::PluginModule;
using ferrulith::test::differingPixels;
using ferrulith::test::drawToPNG;
using ferrulith::test::readPicture;

namespace
{

constexpr int32 kPanelWidth = 950;
constexpr int32 kPanelHeight = 288;

bool haveDisplay()
{
#if defined(_WIN32)
    return true;
#else
    return std::getenv("DISPLAY") != nullptr;
#endif
}

class BundleEditor : public ::testing::Test
{
protected:
    void SetUp() override
    {
        folder = std::filesystem::temp_directory_path() /
                 ("ferrulith-bundle-editor-" + std::to_string(::getpid()) + "-" +
                  ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::create_directories(folder);
    }
    void TearDown() override { std::filesystem::remove_all(folder); }

    std::string file(const char* name) const { return (folder / name).string(); }

    // Runs the host program (behind prefix, a command that runs it); returns
    // its exit status.
    static int runHost(const std::string& arguments, const std::string& prefix = "")
    {
#if defined(_WIN32)
        // Through cmd.exe, which takes a program's path with backslashes only.
        const std::string program =
            std::filesystem::path(FERRULITH_HOST_PATH).make_preferred().string();
        const std::string quiet = " >NUL 2>&1";
#else
        const std::string program = FERRULITH_HOST_PATH;
        const std::string quiet = " >/dev/null 2>&1";
#endif
        const std::string command =
            prefix + program + " --bundle " + FERRULITH_BUNDLE_PATH + " " + arguments + quiet;
        return std::system(command.c_str());
    }

    PluginModule module{FERRULITH_BUNDLE_PATH};
    PluginInstance instance{module};
    std::filesystem::path folder;
};

IPlugView* createEditor(PluginInstance& instance)
{
    return instance.controller()->createView("editor");
}

TEST_F(BundleEditor, LoadedControllerMakesTheEditorOnlyForItsName)
{
    for (const char* name : {"Editor", "editor ", "", "view"})
        EXPECT_EQ(instance.controller()->createView(name), nullptr) << '"' << name << '"';
    EXPECT_EQ(instance.controller()->createView(nullptr), nullptr);

    IPlugView* view = createEditor(instance);
    IPlugView* another = instance.controller()->createView(Vst::ViewType::kEditor);
    ASSERT_NE(view, nullptr);
    ASSERT_NE(another, nullptr);
    EXPECT_NE(view, another) << "each call makes a new editor";
    ViewRect size;
    ASSERT_EQ(view->getSize(&size), kResultOk);
    EXPECT_EQ(size.getWidth(), kPanelWidth);
    EXPECT_EQ(size.getHeight(), kPanelHeight);
    // Each comes with the one reference the host owns.
    EXPECT_EQ(view->release(), 0u);
    EXPECT_EQ(another->release(), 0u);
}

TEST_F(BundleEditor, DesignFromTheBundlesResourcesDrawsWithoutADisplay)
{
    IPlugView* view = createEditor(instance);
    ASSERT_NE(view, nullptr);
    ASSERT_TRUE(drawToPNG(view, file("editor.png")));
    view->release();
    const auto picture = readPicture(file("editor.png"));
    ASSERT_TRUE(picture.loaded);
    EXPECT_EQ(picture.width, kPanelWidth);
    EXPECT_EQ(picture.height, kPanelHeight);
    EXPECT_GT(picture.distinctColours, 500u);
}

// Attaches the view to the window, lets it draw and checks that the window
// shows what the view draws offscreen; then removes it and checks that it
// left nothing registered in the host's run loop (on Linux, where it has one).
void showAndRemove(ferrulith::host::PlugViewHost& window, IPlugView* view, const std::string& drawn,
                   const std::string& shown)
{
    ASSERT_TRUE(window.attach(view)) << window.lastError();
#if !defined(_WIN32)
    // The editor serves its X connection from the host's run loop.
    EXPECT_GT(window.registeredHandlerCount(), 0u);
#endif
    // The window system shows the window in its own time, seconds on a
    // loaded machine: look again for up to five, serving the run loop
    // meanwhile.
    long differing = -1;
    for (int look = 0; look < 100; ++look)
    {
        window.run(50);
        ASSERT_TRUE(window.capturePNG(shown));
        differing = differingPixels(drawn, shown);
        if (differing >= 0 && differing < kPanelWidth * kPanelHeight / 100)
            break;
    }
    EXPECT_GE(differing, 0);
    EXPECT_LT(differing, kPanelWidth * kPanelHeight / 100);
    window.detach();
#if !defined(_WIN32)
    EXPECT_EQ(window.registeredHandlerCount(), 0u);
#endif
}

TEST_F(BundleEditor, WindowShowsTheEditorAndEveryRemoveLeavesNothingRegistered)
{
    if (!haveDisplay())
        GTEST_SKIP() << "needs an X display (scripts/test.sh runs the tests under Xvfb)";
    ferrulith::host::PlugViewHost window;
    ASSERT_TRUE(window.isConnected());
    // As hosts do: a new view each time the editor is opened.
    for (int round = 0; round < 3; ++round)
    {
        SCOPED_TRACE("round " + std::to_string(round));
        IPlugView* view = createEditor(instance);
        ASSERT_NE(view, nullptr);
        ASSERT_TRUE(drawToPNG(view, file("drawn.png")));
        showAndRemove(window, view, file("drawn.png"), file("shown.png"));
        view->release();
    }
}

// Known fault of the editor library, reported: a view attached a second time
// draws into its new window once, before the window can show anything, and
// never again (the cairo device of its previous X connection is not finished
// before that connection closes, so the next connection inherits its state).
// Enable once the X11 frame finishes the device.
TEST_F(BundleEditor, SameViewShowsItselfAgainWhenReattached)
{
    if (!haveDisplay())
        GTEST_SKIP() << "needs an X display (scripts/test.sh runs the tests under Xvfb)";
    ferrulith::host::PlugViewHost window;
    IPlugView* view = createEditor(instance);
    ASSERT_NE(view, nullptr);
    ASSERT_TRUE(drawToPNG(view, file("drawn.png")));
    for (int round = 0; round < 2; ++round)
    {
        SCOPED_TRACE("round " + std::to_string(round));
        showAndRemove(window, view, file("drawn.png"), file("shown.png"));
    }
    view->release();
}

TEST_F(BundleEditor, HostProgramSavesThePictureWithoutADisplay)
{
    const std::string picture = file("editor.png");
    ASSERT_EQ(runHost("--editor-png " + picture + " --preset Dungeon"), 0);
    const auto shown = readPicture(picture);
    ASSERT_TRUE(shown.loaded);
    EXPECT_EQ(shown.width, kPanelWidth);
    EXPECT_EQ(shown.height, kPanelHeight);
    EXPECT_GT(shown.distinctColours, 500u);
    // The preset's values reach the knobs before the picture is taken.
    ASSERT_EQ(runHost("--editor-png " + file("default.png")), 0);
    EXPECT_GT(differingPixels(picture, file("default.png")), 1000);
}

#if !defined(_WIN32)
TEST_F(BundleEditor, HostProgramKeepsTheWindowOpenForTheSecondsAsked)
{
    if (!haveDisplay())
        GTEST_SKIP() << "needs an X display (scripts/test.sh runs the tests under Xvfb)";
    EXPECT_EQ(runHost("--editor --seconds 0.5"), 0);
    EXPECT_NE(runHost("--editor --seconds 0"), 0) << "a window open for no time is refused";
    for (const char* notATime : {"nan", "inf", "-1", "soon"})
        EXPECT_NE(runHost(std::string("--editor --seconds ") + notATime), 0) << notATime;
    // Weeks are a time too: the window must not close at once. `timeout`
    // ends it after a second with its own status, 124.
    EXPECT_EQ(runHost("--editor --seconds 3000000", "timeout 1 "), 124 << 8);
}
#endif

} // namespace
