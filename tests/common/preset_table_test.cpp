// The preset table and the row a program-change value selects: the same for
// the controller's display and the processor's sound.
#include "common/ferrulithpresets.h"
#include "dsp/patch.h"
#include "support/state_bytes.h"

#include <cmath>
#include <cstring>
#include <gtest/gtest.h>
#include <limits>
#include <string>

using namespace quorvelware;
using ferrulith::test::kDefaultRowBytes;
using ferrulith::test::kWellBoostedRowBytes;

TEST(PresetRow, EachProgramsOwnValueSelectsItsRow)
{
    for (int i = 0; i < kPresetCount; ++i)
        EXPECT_EQ(presetRowForValue(static_cast<double>(i) / 6.0), i) << i;
    EXPECT_EQ(presetRowForValue(0.5), 3);
    EXPECT_EQ(presetRowForValue(0.99), 6);
    EXPECT_EQ(presetRowForValue(6.0 / 7.0), 6);
    EXPECT_EQ(presetRowForValue(std::nextafter(6.0 / 7.0, 0.0)), 5);
}

TEST(PresetRow, ValuesOutsideTheRangeSelectTheNearestEnd)
{
    EXPECT_EQ(presetRowForValue(1.5), 6);
    EXPECT_EQ(presetRowForValue(std::numeric_limits<double>::infinity()), 6);
    EXPECT_EQ(presetRowForValue(-0.2), 0);
    EXPECT_EQ(presetRowForValue(-std::numeric_limits<double>::infinity()), 0);
    EXPECT_EQ(presetRowForValue(std::numeric_limits<double>::quiet_NaN()), 0);
}

TEST(PresetTable, DefaultRowIsTheEnginesStartingSoundBitForBit)
{
    patch_t* patch = patch_create(44100.0f);
    ASSERT_NE(patch, nullptr);
    for (int k = 0; k < kSoundParamCount; ++k)
    {
        const patch_param_t& p = *patch->params[k];
        const float a = p.value - p.min;
        const float b = p.max - p.min;
        const float normalized = a / b;
        EXPECT_EQ(std::memcmp(&normalized, &kPresetValues[0][k], sizeof(float)), 0) << k;
    }
    patch_destroy(patch);
    EXPECT_EQ(std::string(kPresetNames[0]), "default");
    EXPECT_EQ(std::string(kPresetNames[6]), "Well boosted");
}

TEST(PresetTable, ProgramDataRowsHaveTheirExactBytes)
{
    // Rows 0 and 6 as little-endian bytes, as hosts receive them.
    EXPECT_EQ(std::memcmp(kPresetValues[0], kDefaultRowBytes.data(), 32), 0);
    EXPECT_EQ(std::memcmp(kPresetValues[6], kWellBoostedRowBytes.data(), 32), 0);
}
