// Running out of memory while a host creates, initializes or uses the
// controller ends in a result code and leaves nothing half made; the host can
// try again. This executable replaces operator new for the whole run.
#include "recording_handler.h"

#include "controller/ferrulithcontroller.h"
#include "support/failing_allocations.h"

#include "pluginterfaces/vst/ivstunits.h"

#include <gtest/gtest.h>

using namespace Steinberg;
using namespace Steinberg::Vst;
using namespace ferrulith::test;

namespace
{

constexpr long kEnoughAllocations = 100000;

void expectFullRegistration(IEditController* controller)
{
    EXPECT_EQ(controller->getParameterCount(), 10);
    void* found = nullptr;
    ASSERT_EQ(controller->queryInterface(IUnitInfo::iid, &found), kResultOk);
    auto* units = static_cast<IUnitInfo*>(found);
    EXPECT_EQ(units->getUnitCount(), 1);
    ASSERT_EQ(units->getProgramListCount(), 1);
    ProgramListInfo list{};
    units->getProgramListInfo(0, list);
    EXPECT_EQ(list.programCount, 7);
    units->release();
}

// Editor controls listen to parameters like this.
class Listener : public FObject
{
public:
    void PLUGIN_API update(FUnknown*, int32) override { ++updates; }
    int updates = 0;
};

} // namespace

TEST(ControllerOutOfMemory, CreationAndInitializationFailCleanlyAtEveryAllocation)
{
    bool completed = false;
    for (long allowed = 0; allowed < kEnoughAllocations && !completed; ++allowed)
    {
        RecordingHandler context;
        FUnknown* made = nullptr;
        IEditController* controller = nullptr;
        tresult result = kResultOk;
        bool refused = false;
        {
            FailingAllocations failing(allowed);
            made = quorvelware::FerrulithController::createInstance(nullptr);
            controller = static_cast<IEditController*>(made);
            if (controller)
                result = controller->initialize(&context);
            refused = failing.refusedAny();
        }
        if (controller == nullptr)
        {
            EXPECT_TRUE(refused) << "after " << allowed << " allocations";
            continue;
        }
        if (refused)
        {
            ASSERT_EQ(result, kOutOfMemory) << "after " << allowed << " allocations";
            EXPECT_EQ(controller->getParameterCount(), 0);
            EXPECT_EQ(context.refCount(), 1u) << "the host context is given back";
            // With memory again, the same controller registers one whole set.
            ASSERT_EQ(controller->initialize(&context), kResultOk);
        }
        else
        {
            completed = true;
            EXPECT_EQ(result, kResultOk);
        }
        expectFullRegistration(controller);
        controller->terminate();
        EXPECT_EQ(context.refCount(), 1u);
        EXPECT_EQ(controller->release(), 0u);
    }
    EXPECT_TRUE(completed);
}

TEST(ControllerOutOfMemory, ProgramChangeWithAnOpenEditorAnswersInsteadOfThrowing)
{
    auto* controller =
        static_cast<IEditController*>(quorvelware::FerrulithController::createInstance(nullptr));
    ASSERT_EQ(controller->initialize(nullptr), kResultOk);
    auto* object = static_cast<quorvelware::FerrulithController*>(controller);
    Parameter* preamp = object->getParameterObject(0);
    Listener listener;
    preamp->addDependent(&listener);
    const int32 references = preamp->getRefCount();

    tresult result = kResultOk;
    {
        FailingAllocations failing(0);
        result = controller->setParamNormalized(9, 1.0);
    }
    EXPECT_EQ(result, kOutOfMemory);
    EXPECT_EQ(preamp->getRefCount(), references) << "a failed notification keeps no reference";

    // With memory again the preset loads and the listener hears of it.
    EXPECT_EQ(controller->setParamNormalized(9, 0.5), kResultOk);
    EXPECT_GT(listener.updates, 0);

    preamp->removeDependent(&listener);
    controller->terminate();
    EXPECT_EQ(controller->release(), 0u);
}
