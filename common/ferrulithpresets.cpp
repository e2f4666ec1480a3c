#include "common/ferrulithpresets.h"

namespace quorvelware
{

const char* const kPresetNames[kPresetCount] = {
    "default", "Bright crunch", "Chord crunch", "Dark master",
    "Dungeon", "Metallic mid",  "Well boosted",
};

// Shortest decimals of the exact 32-bit values: row 0 equals a new patch's
// starting values bit for bit (note "Res" is 0.40000004, not 0.4).
const float kPresetValues[kPresetCount][kSoundParamCount] = {
    {0.4f, 0.599f, 0.5f, 0.65f, 0.40000004f, 0.5f, 0.19f, 0.61f},
    {0.09000041f, 0.28000003f, 0.39000008f, 0.47f, 0.6499998f, 0.63000023f, 0.8500001f,
     0.44000062f},
    {0.08000043f, 0.28000003f, 0.39000008f, 0.47f, 0.5499999f, 0.63000023f, 0.54000014f,
     0.35000068f},
    {0.18000044f, 0.28000003f, 0.32000014f, 0.47f, 0.40000004f, 0.15000017f, 0.8500001f,
     0.97000015f},
    {0.94999987f, 0.28000003f, 0.32000014f, 1.0f, 0.40000004f, 0.13999999f, 0.3900001f,
     0.97000015f},
    {0.17000036f, 0.28000003f, 0.32000014f, 0.6f, 0.7599997f, 0.8100005f, 0.32000005f, 0.72000027f},
    {0.21000047f, 0.28000003f, 0.2200001f, 0.47f, 0.37000006f, 0.39999995f, 0.20000014f, 1.0f},
};

int32_t presetRowForValue(double normalized)
{
    // The clamp is the one the program-change parameter applies to the value
    // it stores; written so that NaN fails both tests' "inside" branch and
    // lands on 0.
    double v = 0.0;
    if (normalized >= 1.0)
        v = 1.0;
    else if (normalized > 0.0)
        v = normalized;
    // 64-bit product with 7.0, truncated; 1.0 and anything from 6/7 up give 6.
    const int32_t row = static_cast<int32_t>(v * 7.0);
    return row < kPresetCount - 1 ? row : kPresetCount - 1;
}

} // namespace quorvelware
