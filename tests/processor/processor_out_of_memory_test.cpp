// A processor whose patch cannot be built refuses activation, stays inactive
// and keeps its values. This executable replaces the engine's allocator.
#include "processorhost.h"

#include "processor/ferrulithprocessor.h"

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
using namespace ferrulith_test;

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

TEST(ProcessorOutOfMemory, NoProcessorWhenTheEngineCannotBuildAnyPatch)
{
    RefusedAllocations refused;
    EXPECT_EQ(quorvelware::FerrulithProcessor::createInstance(nullptr), nullptr);
}
