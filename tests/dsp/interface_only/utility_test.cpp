// The engine's small stand-alone helpers that only its interface offers.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <limits>

#include "dsp/interface_only/patch_utilities.h"

TEST(UtilityHolder, InitFreeAndEmptiness)
{
    void* holder = reinterpret_cast<void*>(0x1);
    EXPECT_EQ(&holder, patch_holder_init(&holder));
    EXPECT_TRUE(patch_holder_is_empty(&holder));
    patch_holder_free(&holder); // holding null: nothing happens

    holder = malloc(64);
    EXPECT_FALSE(patch_holder_is_empty(&holder));
    patch_holder_free(&holder);
    EXPECT_FALSE(patch_holder_is_empty(&holder)) << "freeing leaves the value in place";
    patch_holder_init_b(&holder);
    holder = malloc(8);
    patch_holder_free_b(&holder);
}

TEST(UtilityRecords, PairAndColourFillOnlyTheirFields)
{
    int32_t object[3] = {7, 7, 7};
    EXPECT_EQ(object, patch_pair_init(object, 123456789012345, -4, 9));
    EXPECT_EQ(-4, object[0]);
    EXPECT_EQ(9, object[1]);
    EXPECT_EQ(7, object[2]);

    patch_color_t colour = {};
    EXPECT_EQ(&colour, patch_color_from_argb(&colour, 0x80FF4010u));
    EXPECT_EQ(255, colour.red);
    EXPECT_EQ(64, colour.green);
    EXPECT_EQ(16, colour.blue);
    EXPECT_EQ(128, colour.alpha);
}

TEST(UtilityText, WidthIsTenPerByte)
{
    EXPECT_EQ(0, patch_text_width(nullptr, nullptr));
    EXPECT_EQ(0, patch_text_width(nullptr, ""));
    EXPECT_EQ(30, patch_text_width(nullptr, "abc"));
    EXPECT_EQ(20, patch_text_width(nullptr, "\xC3\xA9")); // one character, two bytes
}

TEST(UtilityStubs, ReturnTheirArgumentOrZero)
{
    const int64_t big = std::numeric_limits<int64_t>::min();
    EXPECT_EQ(big, patch_pass_through(big));
    EXPECT_EQ(-1, patch_stub_self(-1));
    EXPECT_EQ(42, patch_stub_self_b(42));
    EXPECT_EQ(0, patch_stub_zero());
    EXPECT_EQ(0, patch_stub_zero_b());
    EXPECT_EQ(0, patch_stub_zero_c());
    patch_stub_empty();
}

TEST(UtilityReport, PrintsThenClosesTheStreamThenFreesTheBuffer)
{
    testing::internal::CaptureStdout();
    patch_report_error("only printed", nullptr, nullptr);
    FILE* stream = tmpfile();
    ASSERT_NE(stream, nullptr);
    patch_report_error("and closed", stream, malloc(10));
    EXPECT_EQ("only printed\nand closed\n", testing::internal::GetCapturedStdout());
    // The sanitizer build catches a stream or buffer left open.
}
