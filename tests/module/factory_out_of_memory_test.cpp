// Running out of memory while the host asks for the factory or for an instance
// never throws out of the module: the host gets no factory, a factory missing
// the classes that did not fit, or no instance. This executable replaces
// operator new for the whole run.
#include "common/ferrulithcids.h"
#include "support/failing_allocations.h"

#include "public.sdk/source/main/pluginfactory.h"
#include "pluginterfaces/vst/ivsteditcontroller.h"

#include <gtest/gtest.h>

using namespace Steinberg;
using namespace ferrulith::test;

TEST(FactoryOutOfMemory, AFactoryBuiltShortOfMemoryIsConsistentAndTheNextIsWhole)
{
    bool completed = false;
    for (long allowed = 0; allowed < 100000 && !completed; ++allowed)
    {
        IPluginFactory* factory = nullptr;
        bool refused = false;
        {
            FailingAllocations failing(allowed);
            factory = GetPluginFactory();
            refused = failing.refusedAny();
        }
        completed = !refused;
        if (factory == nullptr)
        {
            EXPECT_TRUE(refused);
            EXPECT_EQ(gPluginFactory, nullptr) << "nothing is cached; a later call tries again";
            continue;
        }
        EXPECT_LE(factory->countClasses(), 2);
        if (completed)
        {
            EXPECT_EQ(factory->countClasses(), 2);
        }
        EXPECT_EQ(factory->release(), 0u);
        ASSERT_EQ(gPluginFactory, nullptr);
    }
    EXPECT_TRUE(completed);

    IPluginFactory* whole = GetPluginFactory();
    EXPECT_EQ(whole->countClasses(), 2);
    EXPECT_EQ(whole->release(), 0u);
}

TEST(FactoryOutOfMemory, InstancesThatCannotBeMadeAreNoInterface)
{
    IPluginFactory* factory = GetPluginFactory();
    const TUID controllerCid = INLINE_UID_FROM_FUID(quorvelware::kFerrulithControllerUID);
    void* obj = reinterpret_cast<void*>(0x1);
    tresult result = kResultOk;
    {
        FailingAllocations failing(0);
        result = factory->createInstance(controllerCid, Vst::IEditController::iid, &obj);
    }
    EXPECT_EQ(result, kNoInterface);
    EXPECT_EQ(obj, nullptr);
    EXPECT_EQ(factory->release(), 0u);
}
