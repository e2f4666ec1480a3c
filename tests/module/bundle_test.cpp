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
