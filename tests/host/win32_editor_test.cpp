// The Windows bundle's editor in a real window, as Windows hosts show it:
// the same picture Linux draws for the same values, edits made by clicks,
// drags and the wheel arriving as window messages, and nothing left behind
// by opening and closing it again and again or by unloading the module.
#include "support/editor_pictures.h"

#include "command_line.h"
#include "hostkit/plugin_instance.h"
#include "hostkit/plugin_module.h"

#include "common/ferrulithparamids.h"
#include "common/ferrulithpresets.h"
#include "common/plugviewsnapshot.h"
#include "hostkit/win32/win32_plug_view_host.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>
#include <windows.h>
#include <psapi.h>

using namespace Steinberg;
using ferrulith::host::PluginInstance;
using ferrulith::host::PluginModule;
using ferrulith::host::Win32PlugViewHost;
using ferrulith::test::differingPixels;
using ferrulith::test::drawToPNG;

namespace
{

// Text is rasterised by different engines (cairo with FreeType on Linux,
// DirectWrite here), so the edges of glyphs differ. Everything else (images,
// knob frames, layout, colours) must match to within a rounding step; a
// glyph drawn a pixel off, or a picture showing other values, differs in
// far more pixels than this allows.
constexpr int kChannelTolerance = 8;
constexpr double kDifferingShare = 0.01;

std::string temporaryFile(const std::string& name)
{
    const auto folder = std::filesystem::temp_directory_path() / "ferrulith-win32-editor";
    std::filesystem::create_directories(folder);
    return (folder / name).string();
}

struct PictureCase
{
    std::string name;
    std::vector<std::string> arguments;
};

std::vector<PictureCase> pictureCases()
{
    std::vector<PictureCase> cases;
    std::ifstream list(FERRULITH_PICTURE_LIST);
    for (std::string line; std::getline(list, line);)
    {
        std::istringstream words(line);
        PictureCase entry;
        if (!(words >> entry.name) || entry.name[0] == '#')
            continue;
        for (std::string word; words >> word;)
            entry.arguments.push_back(word);
        cases.push_back(entry);
    }
    return cases;
}

// Sets the values the host program sets for the same arguments.
void applyArguments(PluginInstance& instance, const std::vector<std::string>& arguments)
{
    // The picture itself is taken here; the arguments only set values.
    std::vector<const char*> argv{"host", "--bundle", FERRULITH_BUNDLE_PATH, "--editor-png", "-"};
    for (const auto& argument : arguments)
        argv.push_back(argument.c_str());
    std::ostringstream out;
    const auto parsed =
        ferrulith::host::parseCommandLine(static_cast<int>(argv.size()), argv.data(), out, out);
    ASSERT_TRUE(parsed.commandLine) << out.str();
    if (!parsed.commandLine->preset.empty())
        instance.selectProgram(parsed.commandLine->preset);
    for (const auto& [id, value] : parsed.commandLine->parameters)
        instance.setParameter(id, value);
    if (parsed.commandLine->bypass)
        instance.setBypass(true);
}

TEST(WindowsEditor, ShowsInARealWindowThePictureLinuxDrawsForTheSameValues)
{
    const auto cases = pictureCases();
    ASSERT_FALSE(cases.empty());
    for (const auto& picture : cases)
    {
        SCOPED_TRACE(picture.name);
        const std::string linux =
            (std::filesystem::path(FERRULITH_LINUX_PICTURES) / (picture.name + ".png")).string();
        ASSERT_TRUE(std::filesystem::exists(linux))
            << linux << " is drawn by scripts/test-windows.sh with the Linux host program";
        PluginModule module(FERRULITH_BUNDLE_PATH);
        PluginInstance instance(module);
        applyArguments(instance, picture.arguments);
        IPtr<IPlugView> view(instance.controller()->createView("editor"), false);
        Win32PlugViewHost window;
        ASSERT_TRUE(window.attach(view)) << window.lastError();

        const std::string drawn = temporaryFile(picture.name + "-drawn.png");
        const std::string shown = temporaryFile(picture.name + "-shown.png");
        ASSERT_TRUE(drawToPNG(view, drawn));
        const auto size = ferrulith::test::readPicture(drawn);
        const long pixels = static_cast<long>(size.width) * size.height;
        const long allowed = static_cast<long>(pixels * kDifferingShare);
        // The window shows its picture once Windows has had it painted.
        long onScreen = -1;
        for (int look = 0; look < 50 && (onScreen < 0 || onScreen > allowed); ++look)
        {
            window.run(50);
            ASSERT_TRUE(window.capturePNG(shown));
            onScreen = differingPixels(shown, linux, kChannelTolerance);
        }
        const long offScreen = differingPixels(drawn, linux, kChannelTolerance);
        std::cout << picture.name << ": of " << pixels << " pixels, " << onScreen
                  << " on screen and " << offScreen
                  << " drawn offscreen differ from Linux by more than " << kChannelTolerance
                  << " levels (" << differingPixels(shown, linux) << " differ at all)\n";
        EXPECT_GE(onScreen, 0);
        EXPECT_LE(onScreen, allowed);
        EXPECT_GE(offScreen, 0);
        EXPECT_LE(offScreen, allowed);
        window.detach();
    }
}

// Posts mouse messages to the editor's window as Windows delivers a user's
// input, and lets the window handle them.
class Mouse
{
public:
    explicit Mouse(Win32PlugViewHost& host) : host(host), target(host.getViewWindow()) {}

    void press(int x, int y) { post(WM_LBUTTONDOWN, MK_LBUTTON, x, y); }
    void move(int x, int y) { post(WM_MOUSEMOVE, MK_LBUTTON, x, y); }
    void release(int x, int y) { post(WM_LBUTTONUP, 0, x, y); }
    void click(int x, int y)
    {
        press(x, y);
        release(x, y);
    }
    // One notch away from the user over (x, y).
    void wheel(int x, int y)
    {
        POINT where{x, y};
        ClientToScreen(target, &where);
        PostMessageW(target, WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA),
                     MAKELPARAM(where.x, where.y));
        host.run(30);
    }

private:
    void post(UINT message, WPARAM buttons, int x, int y)
    {
        PostMessageW(target, message, buttons, MAKELPARAM(x, y));
        host.run(30);
    }

    Win32PlugViewHost& host;
    HWND target;
};

TEST(WindowsEditor, ClicksDragsAndTheWheelAsWindowMessagesEditTheParameters)
{
    PluginModule module(FERRULITH_BUNDLE_PATH);
    PluginInstance instance(module);
    auto& handler = instance.componentHandler();
    auto* controller = instance.controller();
    IPtr<IPlugView> view(controller->createView("editor"), false);
    Win32PlugViewHost window;
    ASSERT_TRUE(window.attach(view)) << window.lastError();
    window.run(50);
    Mouse mouse(window);
    // Where the design puts the controls: knobs of 64 pixels at y 150, the
    // preset menu at the top right with its list opening below it.
    auto knobCentre = [](int left) { return POINT{left + 32, 182}; };

    // A drag on the Volume knob: one gesture, whose last value the
    // controller and the host both hold.
    const double volumeBefore = controller->getParamNormalized(quorvelware::kVolumeId);
    const POINT volume = knobCentre(765);
    handler.takeEdits();
    mouse.press(volume.x + 20, volume.y);
    mouse.move(volume.x, volume.y - 20);
    mouse.move(volume.x - 20, volume.y);
    mouse.release(volume.x - 20, volume.y);
    auto edits = handler.takeEdits();
    ASSERT_FALSE(edits.empty());
    for (const auto& [id, value] : edits)
        EXPECT_EQ(id, quorvelware::kVolumeId);
    EXPECT_EQ(handler.openGestures(), 0) << "the release ends the gesture";
    EXPECT_NE(edits.back().second, volumeBefore);
    EXPECT_EQ(controller->getParamNormalized(quorvelware::kVolumeId), edits.back().second);

    // One wheel notch over Preamp: a tenth of its range up.
    const double preampBefore = controller->getParamNormalized(quorvelware::kPreampId);
    const POINT preamp = knobCentre(189);
    mouse.wheel(preamp.x, preamp.y);
    edits = handler.takeEdits();
    ASSERT_EQ(edits.size(), 1u);
    EXPECT_EQ(edits[0].first, quorvelware::kPreampId);
    EXPECT_NEAR(edits[0].second, preampBefore + 0.1, 1e-6);

    // A click on the Bypass switch turns it on.
    const POINT bypass = knobCentre(849);
    mouse.click(bypass.x, bypass.y);
    edits = handler.takeEdits();
    ASSERT_EQ(edits.size(), 1u);
    EXPECT_EQ(edits[0], std::make_pair(quorvelware::kBypassId, 1.0));
    EXPECT_EQ(controller->getParamNormalized(quorvelware::kBypassId), 1.0);

    // The preset menu opens its list below itself (rows of 20 pixels from
    // y 50); a click on the fifth entry chooses "Dungeon", whose values the
    // controller takes and the host reads back after the restart it asks for.
    const int restarts = handler.restartCount();
    mouse.click(803, 37);
    mouse.click(803, 50 + 4 * 20 + 10);
    edits = handler.takeEdits();
    ASSERT_EQ(edits.size(), 1u);
    EXPECT_EQ(edits[0].first, quorvelware::kPresetsId);
    EXPECT_DOUBLE_EQ(edits[0].second, 4 / 6.0);
    EXPECT_EQ(std::string(quorvelware::kPresetNames[4]), "Dungeon");
    EXPECT_GT(handler.restartCount(), restarts);
    for (Vst::ParamID id = 0; id < quorvelware::kSoundParamCount; ++id)
    {
        EXPECT_FLOAT_EQ(controller->getParamNormalized(id), quorvelware::kPresetValues[4][id]);
        EXPECT_FLOAT_EQ(instance.parameterValue(id), quorvelware::kPresetValues[4][id]);
    }
    window.detach();
}

// What a leak would show: the process's heap blocks, committed memory, GDI
// and USER objects (Wine counts none) and windows.
struct Usage
{
    double heapBytes = 0;
    double committed = 0;
    DWORD gdiObjects = 0;
    DWORD userObjects = 0;
    int windows = 0;
};

BOOL CALLBACK countWindow(HWND window, LPARAM count)
{
    ++*reinterpret_cast<int*>(count);
    EnumChildWindows(window, countWindow, count);
    return TRUE;
}

Usage measure()
{
    Usage usage;
    HANDLE heaps[256];
    const DWORD count = GetProcessHeaps(256, heaps);
    for (DWORD i = 0; i < count && i < 256; ++i)
    {
        PROCESS_HEAP_ENTRY entry{};
        HeapLock(heaps[i]);
        while (HeapWalk(heaps[i], &entry))
            if (entry.wFlags & PROCESS_HEAP_ENTRY_BUSY)
                usage.heapBytes += entry.cbData;
        HeapUnlock(heaps[i]);
    }
    PROCESS_MEMORY_COUNTERS_EX memory{};
    memory.cb = sizeof(memory);
    GetProcessMemoryInfo(GetCurrentProcess(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&memory),
                         sizeof(memory));
    // Wine leaves the private bytes at 0 and keeps the commit charge here.
    usage.committed = memory.PrivateUsage ? memory.PrivateUsage : memory.PagefileUsage;
    usage.gdiObjects = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
    usage.userObjects = GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS);
    EnumThreadWindows(GetCurrentThreadId(), countWindow, reinterpret_cast<LPARAM>(&usage.windows));
    return usage;
}

std::ostream& operator<<(std::ostream& out, const Usage& usage)
{
    return out << "heap " << static_cast<long long>(usage.heapBytes) << " bytes, committed "
               << static_cast<long long>(usage.committed) << " bytes, " << usage.gdiObjects
               << " GDI and " << usage.userObjects << " USER objects, " << usage.windows
               << " windows";
}

// Opens and closes the editor in the window the given number of times, a new
// view each time as hosts make them; with painted, the window paints it once
// each time.
void openAndClose(PluginInstance& instance, Win32PlugViewHost& window, int times, bool painted)
{
    for (int i = 0; i < times; ++i)
    {
        IPtr<IPlugView> view(instance.controller()->createView("editor"), false);
        ASSERT_TRUE(window.attach(view)) << "opening " << i << ": " << window.lastError();
        if (painted)
            UpdateWindow(window.getViewWindow());
        window.detach();
    }
}

TEST(WindowsEditor, UnloadedAndLoadedAgainTheModuleOpensItsEditorAgain)
{
    // The module's exit gives back its window class: a class left behind
    // would point at unloaded code and refuse the next load's registration.
    for (int load = 0; load < 2; ++load)
    {
        SCOPED_TRACE("load " + std::to_string(load));
        PluginModule module(FERRULITH_BUNDLE_PATH);
        PluginInstance instance(module);
        Win32PlugViewHost window;
        openAndClose(instance, window, 1, true);
    }
}

TEST(WindowsEditor, OpeningAndClosingItTwoHundredTimesLeavesNothingBehind)
{
    PluginModule module(FERRULITH_BUNDLE_PATH);
    PluginInstance instance(module);
    Win32PlugViewHost window;
    // The first openings fill the system's own caches (fonts, the graphics
    // driver); what is left after them is the baseline.
    openAndClose(instance, window, 5, true);
    const Usage before = measure();
    openAndClose(instance, window, 200, false);
    const Usage closed = measure();
    openAndClose(instance, window, 200, true);
    const Usage painted = measure();
    std::cout << "before: " << before << "\nafter 200 unpainted: " << closed
              << "\nafter 200 painted: " << painted << "\n";

    for (const Usage& after : {closed, painted})
    {
        EXPECT_EQ(after.gdiObjects, before.gdiObjects);
        EXPECT_EQ(after.userObjects, before.userObjects);
        EXPECT_EQ(after.windows, before.windows);
    }
    // An editor's description, views, window and images take hundreds of
    // kilobytes; none of it may stay.
    EXPECT_LT(closed.heapBytes - before.heapBytes, 4096);
    // Wine's own Direct2D keeps a few hundred bytes of every drawing call it
    // was asked for (a program of a window and a render target alone shows
    // it), about 16 kilobytes for one painting of the editor. Windows does
    // not; the bound lies above Wine's share and below any editor's.
    EXPECT_LT((painted.heapBytes - closed.heapBytes) / 200, 32 * 1024);
    EXPECT_LT((painted.committed - before.committed) / 400, 64 * 1024);
}

} // namespace
