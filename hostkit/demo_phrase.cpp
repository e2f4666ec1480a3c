#include "hostkit/demo_phrase.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace ferrulith::host
{

namespace
{

constexpr double kPi = 3.14159265358979323846;

struct Pluck
{
    double start;     // seconds
    double stop;      // seconds; the string is muted from here on
    double frequency; // Hz
    double pan;       // 0 left .. 1 right
    double level;
};

// Deterministic white noise for the pluck's excitation.
class NoiseSource
{
public:
    explicit NoiseSource(std::uint32_t seed) : state(seed) {}
    double next()
    {
        state ^= state << 13;
        state ^= state >> 17;
        state ^= state << 5;
        return double(state) / 2147483648.0 - 1.0;
    }

private:
    std::uint32_t state;
};

// One Karplus-Strong string: a delay line filled with softened noise, fed
// back through a two-point average that darkens and shortens each round.
void addPluck(AudioBuffer& audio, const Pluck& pluck, NoiseSource& noise)
{
    const double rate = audio.sampleRate;
    // The average adds half a sample of delay to the loop.
    const auto period = std::size_t(std::max(2.0, std::round(rate / pluck.frequency - 0.5)));
    std::vector<double> line(period);
    double smoothed = 0.0;
    for (double& sample : line)
    {
        smoothed = 0.5 * smoothed + 0.5 * noise.next(); // a pick, not a razor
        sample = smoothed;
    }

    const auto first = std::size_t(pluck.start * rate);
    const auto muteAt = std::size_t(pluck.stop * rate);
    const std::size_t frames = audio.frames();
    const double left = std::cos(pluck.pan * kPi / 2.0) * pluck.level;
    const double right = std::sin(pluck.pan * kPi / 2.0) * pluck.level;
    const double sustain = 0.9985;
    const double muted = 0.92; // a fretting hand lifting off the string
    double previous = 0.0;
    for (std::size_t frame = first, index = 0; frame < frames; ++frame)
    {
        const double current = line[index];
        const double loss = frame < muteAt ? sustain : muted;
        line[index] = loss * 0.5 * (current + previous);
        previous = current;
        index = (index + 1) % period;
        audio.channels[0][frame] += float(current * left);
        audio.channels[1][frame] += float(current * right);
    }
}

} // namespace

AudioBuffer makeDemoPhrase(double sampleRate)
{
    constexpr double kLength = 5.0;
    AudioBuffer audio;
    audio.sampleRate = sampleRate;
    audio.channels.assign(2, std::vector<float>(std::size_t(kLength * sampleRate), 0.0f));

    // A rising E minor pentatonic run, each note muted as the next one starts.
    const double run[] = {164.81, 196.00, 220.00, 246.94, 293.66, 329.63};
    std::vector<Pluck> plucks;
    for (std::size_t i = 0; i < std::size(run); ++i)
    {
        const double start = 0.05 + 0.32 * double(i);
        const bool last = i + 1 == std::size(run);
        plucks.push_back({start, last ? 2.5 : start + 0.32, run[i], 0.35, 1.0});
    }
    // A downward strum of an open E minor chord that rings out.
    const double chord[] = {82.41, 123.47, 164.81, 196.00, 246.94, 329.63};
    for (std::size_t i = 0; i < std::size(chord); ++i)
        plucks.push_back({2.6 + 0.014 * double(i), kLength, chord[i], 0.3 + 0.08 * double(i), 0.7});

    NoiseSource noise(0x46657272u);
    for (const Pluck& pluck : plucks)
        addPluck(audio, pluck, noise);

    // Half of full scale at the loudest point, and a short fade so the file
    // does not end on a click.
    float peak = 0.0f;
    for (const auto& channel : audio.channels)
        for (float sample : channel)
            peak = std::max(peak, std::fabs(sample));
    const std::size_t fadeFrames = std::size_t(0.3 * sampleRate);
    const std::size_t frames = audio.frames();
    for (auto& channel : audio.channels)
        for (std::size_t frame = 0; frame < frames; ++frame)
        {
            const std::size_t toEnd = frames - 1 - frame; // the last sample is silent
            const double fade = toEnd < fadeFrames ? double(toEnd) / double(fadeFrames) : 1.0;
            channel[frame] = float(channel[frame] * (0.5 / peak) * fade);
        }
    return audio;
}

} // namespace ferrulith::host
