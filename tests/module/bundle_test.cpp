// The built bundle as a host meets it: dlopen, the Linux entry points, the
// factory, one instance of each class, and an orderly unload.
#include "pluginterfaces/base/ipluginbase.h"
#include "pluginterfaces/vst/ivstcomponent.h"
#include "pluginterfaces/vst/ivsteditcontroller.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <dlfcn.h>

using namespace Steinberg;

namespace
{

using EntryProc = bool (*)(void*);
using ExitProc = bool (*)();

class BundleTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        library = dlopen(FERRULITH_MODULE_PATH, RTLD_NOW | RTLD_LOCAL);
        ASSERT_NE(library, nullptr) << dlerror();
        entry = reinterpret_cast<EntryProc>(dlsym(library, "ModuleEntry"));
        exit = reinterpret_cast<ExitProc>(dlsym(library, "ModuleExit"));
        getFactory = reinterpret_cast<GetFactoryProc>(dlsym(library, "GetPluginFactory"));
        ASSERT_TRUE(entry && exit && getFactory);
    }
    void TearDown() override
    {
        if (library)
        {
            EXPECT_EQ(dlclose(library), 0);
        }
    }
    void* library = nullptr;
    EntryProc entry = nullptr;
    ExitProc exit = nullptr;
    GetFactoryProc getFactory = nullptr;
};

} // namespace

TEST_F(BundleTest, LoadsCreatesBothClassesAndUnloads)
{
    ASSERT_TRUE(entry(library));
    IPluginFactory* factory = getFactory();
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
    EXPECT_TRUE(exit());
    EXPECT_FALSE(exit()); // unbalanced
}

TEST_F(BundleTest, EntryPointsAreCountedAcrossHosts)
{
    // Two hosts (or a host and its scanner) in one process.
    EXPECT_TRUE(entry(library));
    EXPECT_TRUE(entry(library));
    EXPECT_TRUE(exit());
    EXPECT_TRUE(exit());
    EXPECT_FALSE(exit());
}

namespace
{
ExitProc exitAtProcessEnd = nullptr;
void leaveTheModuleLate()
{
    if (exitAtProcessEnd)
        exitAtProcessEnd();
}
} // namespace

TEST(BundleAtProcessExit, AHostLeavingTheModuleAfterItsStaticsAreGoneDoesNotCrashIt)
{
    // Some hosts leave the module from their own exit-time destructors. A
    // handler registered before dlopen runs after the module's statics are
    // destroyed.
    EXPECT_EXIT(
        {
            std::atexit(leaveTheModuleLate);
            void* library = dlopen(FERRULITH_MODULE_PATH, RTLD_NOW | RTLD_LOCAL);
            if (!library)
                std::_Exit(2);
            auto entry = reinterpret_cast<EntryProc>(dlsym(library, "ModuleEntry"));
            exitAtProcessEnd = reinterpret_cast<ExitProc>(dlsym(library, "ModuleExit"));
            if (!entry || !exitAtProcessEnd || !entry(library))
                std::_Exit(3);
            std::exit(0);
        },
        ::testing::ExitedWithCode(0), "");
}
