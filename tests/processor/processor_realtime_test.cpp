// The audio thread's promise: process allocates nothing, frees nothing and
// waits on no lock, however the blocks change the sound (program changes,
// automation, bypass) and while another thread saves and restores states.
#include "engine_reference.h"
#include "processor_host.h"
#include "hostkit/parameter_changes.h"
#include "support/realtime_guard.h"

#include <atomic>
#include <cstdlib>
#include <gtest/gtest.h>
#include <mutex>
#include <thread>

using namespace Steinberg;
using namespace Steinberg::Vst;
using namespace ferrulith::test;

TEST(ProcessorRealTime, GuardCountsHeapAndLockCallsOfItsOwnThreadOnly)
{
    void* (*volatile allocate)(size_t) = std::malloc;
    std::mutex mutex;
    std::atomic<int> step{0};
    std::thread other(
        [&]
        {
            while (step != 1)
                std::this_thread::yield();
            std::free(allocate(16));
            step = 2;
        });
    long heapCalls = 0;
    long lockCalls = 0;
    {
        RealtimeGuard guard;
        std::free(allocate(16));
        mutex.lock();
        mutex.unlock();
        step = 1;
        while (step != 2)
            std::this_thread::yield();
        heapCalls = guard.heapCalls();
        lockCalls = guard.lockCalls();
    }
    other.join();
    EXPECT_EQ(heapCalls, 2) << "the other thread's calls are not counted";
    EXPECT_EQ(lockCalls, 1);
}

TEST(ProcessorRealTime, ProcessAllocatesNothingAndTakesNoLock)
{
    ProcessorHost host;
    host.start(48000.0);

    // Every block shape is made before the audio loop starts.
    constexpr int kShapes = 4;
    ParameterChanges changes[kShapes];
    for (int s = 0; s < kShapes; ++s)
    {
        changes[s].appendQueue(9).point(0, s / 6.0); // a program change in every block
        for (ParamID id = 0; id < 8; id += 1 + s)
            changes[s].appendQueue(id).point(0, 0.1 * s).point(17, 0.2 * s);
        changes[s].appendQueue(8).point(0, s % 2);
    }
    AudioBlock block(256, 2, 2);
    block.fillInputs(testSignal);

    std::atomic<bool> stop{false};
    std::thread mainThread(
        [&]
        {
            const float values[8] = {0.2f, 0.3f, 0.4f, 0.5f, 0.6f, 0.7f, 0.8f, 0.9f};
            const Bytes given = stateBytes(1, values);
            while (!stop)
            {
                host.setState(given);
                host.state();
            }
        });

    long heapCalls = 0;
    long lockCalls = 0;
    for (int i = 0; i < 4000; ++i)
    {
        block.setParameterChanges(i % 5 == 4 ? nullptr : &changes[i % kShapes]);
        RealtimeGuard guard;
        host.process(block);
        heapCalls += guard.heapCalls();
        lockCalls += guard.lockCalls();
    }
    stop = true;
    mainThread.join();
    EXPECT_EQ(heapCalls, 0);
    EXPECT_EQ(lockCalls, 0);
}
