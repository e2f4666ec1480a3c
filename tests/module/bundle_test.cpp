// The built bundle as a host meets it: the module loaded through the
// platform's entry points (ModuleEntry/ModuleExit on Linux, InitDll/ExitDll
// on Windows), the factory, one instance of each class, and an orderly
// unload.
#include "hostkit/platform/module_library.h"

#include "pluginterfaces/base/ipluginbase.h"
#include "pluginterfaces/vst/ivstcomponent.h"
#include "pluginterfaces/vst/ivsteditcontroller.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#if defined(_WIN32)
#include <windows.h>

#include <vector>
#endif

using namespace Steinberg;
using ferrulith::host::moduleFileInBundle;
using ferrulith::host::ModuleLibrary;

namespace
{

class BundleTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        std::string error;
        ASSERT_TRUE(library.open(moduleFileInBundle(FERRULITH_BUNDLE_PATH), error)) << error;
        ASSERT_NE(library.factoryFunction(), nullptr);
    }
    ModuleLibrary library;
};

} // namespace

TEST_F(BundleTest, LoadsCreatesBothClassesAndUnloads)
{
    IPluginFactory* factory = library.factoryFunction()();
    ASSERT_NE(factory, nullptr);
    ASSERT_EQ(factory->countClasses(), 2);

    PClassInfo info[2];
    void* objects[2] = {};
    const FUID* interfaces[2] = {&Vst::IComponent::iid, &Vst::IEditController::iid};
    for (int32 i = 0; i < 2; ++i)
    {
        ASSERT_EQ(factory->getClassInfo(i, &info[i]), kResultOk);
        ASSERT_EQ(factory->createInstance(info[i].cid, *interfaces[i], &objects[i]), kResultOk);
    }
    auto* component = static_cast<Vst::IComponent*>(objects[0]);
    auto* controller = static_cast<Vst::IEditController*>(objects[1]);
    EXPECT_EQ(component->initialize(nullptr), kResultOk);
    EXPECT_EQ(controller->initialize(nullptr), kResultOk);
    EXPECT_EQ(controller->getParameterCount(), 10);
    TUID controllerClass{};
    component->getControllerClassId(controllerClass);
    EXPECT_EQ(FUID::fromTUID(controllerClass), FUID::fromTUID(info[1].cid));

    component->terminate();
    controller->terminate();
    EXPECT_EQ(component->release(), 0u);
    EXPECT_EQ(controller->release(), 0u);
    EXPECT_EQ(factory->release(), 0u);
    EXPECT_TRUE(library.exit());  // balances the entry that open made
    EXPECT_FALSE(library.exit()); // unbalanced
}

TEST_F(BundleTest, EntryPointsAreCountedAcrossHosts)
{
    // Two hosts (or a host and its scanner) in one process: open entered once.
    EXPECT_TRUE(library.enter());
    EXPECT_TRUE(library.exit());
    EXPECT_TRUE(library.exit());
    EXPECT_FALSE(library.exit());
}

namespace
{
// Held to the end of the process, as a host that never unloads would.
ModuleLibrary* lateHost = nullptr;
void leaveTheModuleLate()
{
    if (lateHost)
        lateHost->exit();
}
} // namespace

TEST(BundleAtProcessExit, AHostLeavingTheModuleAfterItsStaticsAreGoneDoesNotCrashIt)
{
    // Some hosts leave the module from their own exit-time destructors. On
    // Linux a handler registered before the module is loaded runs after the
    // module's statics are destroyed.
    EXPECT_EXIT(
        {
            std::atexit(leaveTheModuleLate);
            lateHost = new ModuleLibrary;
            std::string error;
            if (!lateHost->open(moduleFileInBundle(FERRULITH_BUNDLE_PATH), error))
                std::_Exit(2);
            std::exit(0);
        },
        ::testing::ExitedWithCode(0), "");
}

#if defined(_WIN32)
// What Explorer's properties page and hosts' plug-in managers show: the
// product, the vendor and the version the factory gives its classes.
TEST_F(BundleTest, TheDllCarriesAVersionResourceWithTheClassesVersion)
{
    IPluginFactory* factory = library.factoryFunction()();
    ASSERT_NE(factory, nullptr);
    PClassInfo2 processor;
    FUnknownPtr<IPluginFactory2> factory2(factory);
    ASSERT_TRUE(factory2);
    ASSERT_EQ(factory2->getClassInfo2(0, &processor), kResultOk);
    factory->release();
    const std::string version = processor.version;

    std::wstring file;
    for (char c : moduleFileInBundle(FERRULITH_BUNDLE_PATH))
        file += c == '/' ? L'\\' : static_cast<wchar_t>(c);
    DWORD unused = 0;
    const DWORD size = GetFileVersionInfoSizeW(file.c_str(), &unused);
    ASSERT_GT(size, 0u);
    std::vector<char> data(size);
    ASSERT_TRUE(GetFileVersionInfoW(file.c_str(), 0, size, data.data()));

    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueW(data.data(), L"\\", reinterpret_cast<void**>(&fixed), &length));
    const std::string fixedVersion = std::to_string(HIWORD(fixed->dwFileVersionMS)) + "." +
                                     std::to_string(LOWORD(fixed->dwFileVersionMS)) + "." +
                                     std::to_string(HIWORD(fixed->dwFileVersionLS)) + "." +
                                     std::to_string(LOWORD(fixed->dwFileVersionLS));
    EXPECT_EQ(fixedVersion, version);

    auto text = [&](const std::wstring& name)
    {
        wchar_t* value = nullptr;
        UINT chars = 0;
        const std::wstring key = L"\\StringFileInfo\\040904B0\\" + name;
        if (!VerQueryValueW(data.data(), key.c_str(), reinterpret_cast<void**>(&value), &chars) ||
            !value)
            return std::string("(missing)");
        std::string ascii;
        for (const wchar_t* c = value; *c; ++c)
            ascii += static_cast<char>(*c);
        return ascii;
    };
    EXPECT_EQ(text(L"ProductName"), "Ferrulith");
    EXPECT_EQ(text(L"CompanyName"), "Quorvelware");
    EXPECT_EQ(text(L"FileVersion"), version);
    EXPECT_EQ(text(L"ProductVersion"), version);
}
#endif
