// A processor whose patch cannot be built refuses activation, stays inactive
// and keeps its values; one that runs out of memory while initializing says so
// and holds nothing. This executable replaces the engine's allocator and
// operator new.
#include "processor_host.h"
#include "support/failing_allocations.h"

#include <atomic>
#include <cstdlib>
#include <gtest/gtest.h>

namespace
{
std::atomic<bool> gRefuseAllocations{false};
}

// Replaces the engine's own definition at link time.
void* patch_heap_alloc(size_t size)
{
    return gRefuseAllocations ? nullptr : malloc(size);
}

using namespace Steinberg;
using namespace Steinberg::Vst;
using namespace ferrulith::test;

namespace
{

struct RefusedAllocations
{
    RefusedAllocations() { gRefuseAllocations = true; }
    ~RefusedAllocations() { gRefuseAllocations = false; }
};

const float kValues[8] = {0.1f, 0.2f, 0.3f, 0.4f, 0.5f, 0.6f, 0.7f, 0.8f};

} // namespace

TEST(ProcessorOutOfMemory, ActivationIsRefusedAndTheProcessorStaysInactive)
{
    ProcessorHost host;
    ASSERT_EQ(host.initialize(), kResultOk);
    ASSERT_EQ(host.setState(stateBytes(1, kValues)), kResultOk);
    {
        RefusedAllocations refused;
        EXPECT_EQ(host.activate(), kOutOfMemory);
        AudioBlock block(32, 2, 2);
        block.fillInputs([](int, int) { return 0.5f; });
        EXPECT_EQ(host.process(block), kResultOk);
        EXPECT_EQ(block.output(0), std::vector<float>(32, 0.0f)) << "inactive: silence";
    }
    EXPECT_EQ(host.state(), stateBytes(1, kValues));
    EXPECT_EQ(host.activate(), kResultOk);
    EXPECT_EQ(host.state(), stateBytes(1, kValues));
}

TEST(ProcessorOutOfMemory, ReactivationThatFailsKeepsTheValuesInUse)
{
    ProcessorHost host;
    host.start();
    ASSERT_EQ(host.setState(stateBytes(0, kValues)), kResultOk);
    {
        RefusedAllocations refused;
        EXPECT_EQ(host.activate(), kOutOfMemory);
    }
    EXPECT_EQ(host.state(), stateBytes(0, kValues));
    EXPECT_EQ(host.activate(), kResultOk);
    EXPECT_EQ(host.state(), stateBytes(0, kValues));
}

TEST(ProcessorOutOfMemory, ANewProcessorNeedsNoPatchToKnowItsStartingState)
{
    RefusedAllocations refused;
    ProcessorHost host;
    ASSERT_EQ(host.initialize(), kResultOk);
    EXPECT_EQ(host.state(), freshStateBytes());
    EXPECT_EQ(host.activate(), kOutOfMemory);
}

TEST(ProcessorOutOfMemory, InitializationFailsCleanlyAtEveryAllocation)
{
    bool completed = false;
    for (long allowed = 0; allowed < 100000 && !completed; ++allowed)
    {
        ProcessorHost host;
        MemoryStream context; // any FUnknown serves as a host context
        tresult result = kResultOk;
        bool refused = false;
        {
            FailingAllocations failing(allowed);
            result = host.component()->initialize(&context);
            refused = failing.refusedAny();
        }
        if (refused)
        {
            ASSERT_EQ(result, kOutOfMemory) << "after " << allowed << " allocations";
            EXPECT_EQ(host.component()->getBusCount(kAudio, kInput), 0);
            EXPECT_EQ(host.component()->getBusCount(kAudio, kOutput), 0);
            EXPECT_EQ(context.refCount(), 1u) << "the host context is given back";
            ASSERT_EQ(host.component()->initialize(&context), kResultOk);
        }
        else
        {
            completed = true;
            EXPECT_EQ(result, kResultOk);
        }
        EXPECT_EQ(host.component()->getBusCount(kAudio, kInput), 1);
        EXPECT_EQ(host.component()->getBusCount(kAudio, kOutput), 1);
        EXPECT_EQ(host.activate(), kResultOk);
        EXPECT_EQ(host.deactivate(), kResultOk);
        host.component()->terminate();
        EXPECT_EQ(context.refCount(), 1u);
    }
    EXPECT_TRUE(completed);
}
