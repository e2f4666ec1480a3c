// FUID: words in, bytes out (and back), as the identifier tables and the
// factory's class records rely on.
#include "abi_tables.h"

#include "pluginterfaces/base/funknown.h"

#include <gtest/gtest.h>

using namespace Steinberg;

namespace
{
#if !COM_COMPATIBLE
// The bytes that the measured table gives after "on Linux:" on a "uid bytes" row.
std::vector<uint8_t> measuredBytes(const std::string& prefix)
{
    for (const auto& row : ferrulith::test::abi::readTable("vst3-layout-linux-x86_64.tsv"))
    {
        if (row.size() < 2 || row[0] != "uid bytes" || row[1].rfind(prefix, 0) != 0)
            continue;
        std::vector<uint8_t> bytes;
        for (const auto& word :
             ferrulith::test::abi::splitWords(row[1].substr(row[1].find(':') + 1), " "))
            bytes.push_back(static_cast<uint8_t>(std::stoul(word, nullptr, 16)));
        return bytes;
    }
    ADD_FAILURE() << "no uid bytes row for " << prefix;
    return {};
}

std::vector<uint8_t> bytesOf(const FUID& uid)
{
    TUID bytes;
    uid.toTUID(bytes);
    return std::vector<uint8_t>(bytes, bytes + 16);
}
#endif
} // namespace

// On Windows the COM layout is checked on every interface identifier and on
// the factory's class records.
#if !COM_COMPATIBLE
TEST(Fuid, WordsLayOutAsTheMeasuredLinuxBytes)
{
    const FUID uid(0x69E0CF25, 0xF9E88CC0, 0x7BDBBFB8, 0x136AD322);
    EXPECT_EQ(bytesOf(uid), measuredBytes("FUID(0x69E0CF25"));
    EXPECT_EQ(bytesOf(FUnknown::iid), measuredBytes("FUnknown iid"));
}
#endif

TEST(Fuid, WordsReadBackFromBytesAndFromInlineUid)
{
    const FUID uid(0x69E0CF25, 0xF9E88CC0, 0x7BDBBFB8, 0x136AD322);
    const TUID inlined = INLINE_UID_FROM_FUID(uid);
    const FUID fromBytes = FUID::fromTUID(inlined);
    EXPECT_EQ(fromBytes, uid);
    uint32 l1, l2, l3, l4;
    fromBytes.to4Int(l1, l2, l3, l4);
    EXPECT_EQ(l1, 0x69E0CF25u);
    EXPECT_EQ(l2, 0xF9E88CC0u);
    EXPECT_EQ(l3, 0x7BDBBFB8u);
    EXPECT_EQ(l4, 0x136AD322u);
}

TEST(Fuid, ComparesByAllSixteenBytes)
{
    const FUID a(1, 2, 3, 4);
    EXPECT_EQ(a, FUID(1, 2, 3, 4));
    EXPECT_NE(a, FUID(1, 2, 3, 5));
    EXPECT_NE(a, FUID(0x01000000, 2, 3, 4));
    EXPECT_TRUE(FUID(1, 2, 3, 4) < FUID(1, 2, 3, 5));
    EXPECT_FALSE(FUID(1, 2, 3, 5) < FUID(1, 2, 3, 4));
    TUID raw = INLINE_UID(1, 2, 3, 4);
    EXPECT_TRUE(a == raw);
    EXPECT_FALSE(a == static_cast<FIDString>(nullptr));
}

TEST(Fuid, OnlyTheAllZeroIdentifierIsInvalid)
{
    EXPECT_FALSE(FUID().isValid());
    EXPECT_TRUE(FUID(0, 0, 0, 1).isValid());
    EXPECT_TRUE(FUID(0x80000000, 0, 0, 0).isValid());
}

TEST(Fuid, TextFormRoundTripsAndRejectsMalformedText)
{
    const FUID uid(0x69E0CF25, 0xF9E88CC0, 0x7BDBBFB8, 0x136AD322);
    FUID::String text;
    uid.toString(text);
    EXPECT_STREQ(text, "69E0CF25F9E88CC07BDBBFB8136AD322");
    FUID parsed;
    ASSERT_TRUE(parsed.fromString("69e0cf25f9e88cc07bdbbfb8136ad322"));
    EXPECT_EQ(parsed, uid);

    FUID untouched(1, 2, 3, 4);
    EXPECT_FALSE(untouched.fromString("69E0CF25F9E88CC07BDBBFB8136AD32"));   // short
    EXPECT_FALSE(untouched.fromString("69E0CF25F9E88CC07BDBBFB8136AD3220")); // long
    EXPECT_FALSE(untouched.fromString("69E0CF25-9E88CC07BDBBFB8136AD322"));  // not hex
    EXPECT_FALSE(untouched.fromString(nullptr));
    EXPECT_EQ(untouched, FUID(1, 2, 3, 4));
}
