// The DSP engine stepped directly, frame by frame, as the reference a
// processor's output must equal bit for bit.
#pragma once

#include "dsp/patch.h"

#include <cmath>
#include <vector>

namespace ferrulith::test
{

class EngineReference
{
public:
    explicit EngineReference(float sampleRate) : patch(patch_create(sampleRate)) {}
    ~EngineReference() { patch_destroy(patch); }
    EngineReference(const EngineReference&) = delete;
    EngineReference& operator=(const EngineReference&) = delete;

    patch_param_t& param(int k) { return *patch->params[k]; }
    void setBypass(bool on) { patch->bypass = on ? 1 : 0; }

    // Steps every frame of left/right (right may be empty: 0.0 is fed).
    void run(const std::vector<float>& left, const std::vector<float>& right,
             std::vector<float>& outLeft, std::vector<float>& outRight)
    {
        outLeft.assign(left.size(), 0.0f);
        outRight.assign(left.size(), 0.0f);
        for (size_t i = 0; i < left.size(); ++i)
        {
            const float frame[2] = {left[i], right.empty() ? 0.0f : right[i]};
            patch_process_sample(patch, frame);
            outLeft[i] = patch->out_l->value;
            outRight[i] = patch->out_r->value;
        }
    }

private:
    patch_t* patch;
};

// A guitar-like test signal: a decaying pluck with some harmonics, different
// on each channel, loud enough to open the gate and drive the saturators.
inline float testSignal(int channel, int frame)
{
    const float t = static_cast<float>(frame) / 44100.0f;
    const float pitch = channel == 0 ? 196.0f : 247.0f;
    float s = 0.0f;
    for (int h = 1; h <= 4; ++h)
        s += std::sin(6.2831853f * pitch * static_cast<float>(h) * t) / static_cast<float>(h);
    return 0.6f * s * std::exp(-3.0f * t);
}

} // namespace ferrulith::test
