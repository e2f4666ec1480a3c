// The processor's hand-over between the main thread and the audio thread: a
// state given is what is saved until a block has taken it, a block takes it
// once, and under concurrent use no copy is ever a mix of two sets of values.
#include "processor/valuehandover.h"

#include <atomic>
#include <gtest/gtest.h>
#include <thread>

using quorvelware::ProcessorValues;
using quorvelware::ValueHandOver;

namespace
{

// Value set s: every field derived from s, so a mix of two sets shows.
ProcessorValues set(int s)
{
    ProcessorValues values;
    values.bypass = (s & 1) != 0;
    for (int k = 0; k < quorvelware::kSoundParamCount; ++k)
        values.plain[k] = static_cast<float>(s) + 0.125f * static_cast<float>(k);
    return values;
}

// The set that v is, or -1 for a mix.
int setOf(const ProcessorValues& v)
{
    const int s = static_cast<int>(v.plain[0]);
    const ProcessorValues whole = set(s);
    if (whole.bypass != v.bypass)
        return -1;
    for (int k = 0; k < quorvelware::kSoundParamCount; ++k)
        if (whole.plain[k] != v.plain[k])
            return -1;
    return s;
}

// What a block makes of the values it took: another whole set.
constexpr int kBlockOffset = 1000000;

} // namespace

TEST(ValueHandOver, GivenValuesAreSavedUntilABlockTakesThemOnce)
{
    ValueHandOver handOver;
    ProcessorValues taken;
    handOver.restart(set(1));
    EXPECT_EQ(setOf(handOver.latest()), 1);
    EXPECT_FALSE(handOver.take(taken));
    handOver.publish(set(2));
    EXPECT_EQ(setOf(handOver.latest()), 2);

    handOver.give(set(3));
    EXPECT_EQ(setOf(handOver.latest()), 3) << "given, not yet taken";
    ASSERT_TRUE(handOver.take(taken));
    EXPECT_EQ(setOf(taken), 3);
    EXPECT_EQ(setOf(handOver.latest()), 3) << "taken, the block still running";
    handOver.publish(set(4));
    EXPECT_EQ(setOf(handOver.latest()), 4);
    EXPECT_FALSE(handOver.take(taken)) << "nothing new";

    handOver.give(set(5));
    handOver.restart(set(6));
    EXPECT_EQ(setOf(handOver.latest()), 6);
    EXPECT_FALSE(handOver.take(taken)) << "a restart supersedes what was given before";
}

TEST(ValueHandOverConcurrency, EverySavedCopyIsTheLastGivenSetOrWhatABlockMadeOfIt)
{
    ValueHandOver handOver;
    handOver.restart(set(0));
    std::atomic<bool> stop{false};
    std::atomic<int> blocks{0};
    std::atomic<int> mixedTakes{0};
    std::thread audio(
        [&]
        {
            int current = 0;
            while (!stop.load())
            {
                ProcessorValues taken;
                if (handOver.take(taken))
                {
                    current = setOf(taken);
                    if (current < 0)
                        ++mixedTakes;
                }
                handOver.publish(set(current + kBlockOffset));
                ++blocks;
            }
        });

    for (int s = 1; s < 20000 || blocks.load() < 2000; ++s)
    {
        handOver.give(set(s));
        const int saved = setOf(handOver.latest());
        ASSERT_TRUE(saved == s || saved == s + kBlockOffset) << "gave " << s << ", saved " << saved;
    }
    stop = true;
    audio.join();
    EXPECT_EQ(mixedTakes.load(), 0);
}
