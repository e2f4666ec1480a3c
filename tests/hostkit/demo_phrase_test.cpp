#include "hostkit/demo_phrase.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace ferrulith::host;

namespace
{

float peakOf(const std::vector<float>& channel, std::size_t from, std::size_t to)
{
    float peak = 0.0f;
    for (std::size_t i = from; i < to; ++i)
        peak = std::max(peak, std::fabs(channel[i]));
    return peak;
}

} // namespace

TEST(DemoPhrase, IsAFewSecondsOfStereoAtHalfScaleThatEndsInSilence)
{
    for (double rate : {44100.0, 48000.0, 96000.0})
    {
        const AudioBuffer phrase = makeDemoPhrase(rate);
        ASSERT_EQ(phrase.channels.size(), 2u);
        EXPECT_EQ(phrase.sampleRate, rate);
        EXPECT_GE(phrase.seconds(), 4.0);
        EXPECT_LE(phrase.seconds(), 6.0);
        const std::size_t frames = phrase.frames();
        const float peak =
            std::max(peakOf(phrase.channels[0], 0, frames), peakOf(phrase.channels[1], 0, frames));
        EXPECT_NEAR(peak, 0.5f, 1e-6f) << rate;
        for (const auto& channel : phrase.channels)
            for (float sample : channel)
                ASSERT_TRUE(std::isfinite(sample));
        EXPECT_EQ(phrase.channels[0].back(), 0.0f);
        EXPECT_NE(phrase.channels[0], phrase.channels[1]) << "the two sides are panned apart";
    }
}

TEST(DemoPhrase, PlaysSingleNotesFirstAndAChordLaterAndIsTheSameEveryTime)
{
    const AudioBuffer phrase = makeDemoPhrase(48000.0);
    EXPECT_EQ(phrase.channels, makeDemoPhrase(48000.0).channels);
    const auto& left = phrase.channels[0];
    // Sound in the run (first two seconds) and in the chord (after 2.6 s).
    EXPECT_GT(peakOf(left, 0, 96000), 0.05f);
    EXPECT_GT(peakOf(left, 125000, 150000), 0.05f);
    // Nothing before the first pluck.
    EXPECT_EQ(peakOf(left, 0, 2000), 0.0f);
}
