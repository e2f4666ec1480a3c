// IBStreamer: byte order, 16-bit bools and the rule that only the byte count
// a stream reports decides whether a read or write succeeded.
#include "hostkit/memory_stream.h"

#include "base/source/fstreamer.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using namespace Steinberg;
using ferrulith::host::MemoryStream;

namespace
{
std::vector<unsigned char> written(int16 byteOrder, void (*writeAll)(IBStreamer&))
{
    MemoryStream stream;
    IBStreamer streamer(&stream, byteOrder);
    writeAll(streamer);
    return stream.bytes();
}
} // namespace

TEST(IBStreamer, WritesEachWidthInTheChosenByteOrder)
{
    auto writeAll = [](IBStreamer& s)
    {
        EXPECT_TRUE(s.writeInt16(0x0102));
        EXPECT_TRUE(s.writeInt32(0x03040506));
        EXPECT_TRUE(s.writeInt64(0x0708090A0B0C0D0ELL));
        EXPECT_TRUE(s.writeFloat(1.0f));  // 0x3F800000
        EXPECT_TRUE(s.writeDouble(-2.0)); // 0xC000000000000000
    };
    const std::vector<unsigned char> little = {0x02, 0x01, 0x06, 0x05, 0x04, 0x03, 0x0E, 0x0D, 0x0C,
                                               0x0B, 0x0A, 0x09, 0x08, 0x07, 0x00, 0x00, 0x80, 0x3F,
                                               0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0xC0};
    const std::vector<unsigned char> big = {0x01, 0x02, 0x03, 0x04, 0x05, 0x06, 0x07, 0x08, 0x09,
                                            0x0A, 0x0B, 0x0C, 0x0D, 0x0E, 0x3F, 0x80, 0x00, 0x00,
                                            0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00};
    EXPECT_EQ(written(kLittleEndian, writeAll), little);
    EXPECT_EQ(written(kBigEndian, writeAll), big);
}

TEST(IBStreamer, ValuesRoundTripInBothByteOrders)
{
    for (int16 order : {int16(kLittleEndian), int16(kBigEndian)})
    {
        SCOPED_TRACE(order);
        MemoryStream stream;
        IBStreamer out(&stream, order);
        out.writeInt8(-5);
        out.writeInt16u(0xFFFE);
        out.writeInt32(std::numeric_limits<int32>::min());
        out.writeInt64u(0xFEDCBA9876543210ULL);
        out.writeFloat(-0.1f);
        out.writeDouble(std::nextafter(1.0, 2.0));
        out.writeChar16(u'\u00e9');
        out.writeFloat(std::numeric_limits<float>::quiet_NaN());

        stream.rewind();
        IBStreamer in(&stream, order);
        int8 i8;
        uint16 u16;
        int32 i32;
        uint64 u64;
        float f, nan;
        double d;
        char16 c;
        ASSERT_TRUE(in.readInt8(i8) && in.readInt16u(u16) && in.readInt32(i32) &&
                    in.readInt64u(u64) && in.readFloat(f) && in.readDouble(d) && in.readChar16(c) &&
                    in.readFloat(nan));
        EXPECT_EQ(i8, -5);
        EXPECT_EQ(u16, 0xFFFE);
        EXPECT_EQ(i32, std::numeric_limits<int32>::min());
        EXPECT_EQ(u64, 0xFEDCBA9876543210ULL);
        EXPECT_EQ(f, -0.1f);
        EXPECT_EQ(d, std::nextafter(1.0, 2.0));
        EXPECT_EQ(c, u'\u00e9');
        EXPECT_TRUE(std::isnan(nan));
    }
}

TEST(IBStreamer, BoolTravelsAsSixteenBitsAndAnyNonZeroReadsTrue)
{
    MemoryStream stream;
    IBStreamer streamer(&stream, kLittleEndian);
    streamer.writeBool(true);
    streamer.writeBool(false);
    EXPECT_EQ(stream.bytes(), (std::vector<unsigned char>{1, 0, 0, 0}));

    MemoryStream flags({0x00, 0x01, 0x00, 0x00, 0x01, 0x00});
    IBStreamer reader(&flags, kLittleEndian);
    bool a = false, b = true, c = false;
    EXPECT_TRUE(reader.readBool(a));
    EXPECT_TRUE(reader.readBool(b));
    EXPECT_TRUE(reader.readBool(c));
    EXPECT_TRUE(a); // 0x0100: high byte only
    EXPECT_FALSE(b);
    EXPECT_TRUE(c);
}

TEST(IBStreamer, ShortReadFailsAndLeavesZero)
{
    MemoryStream stream({0x11, 0x22, 0x33}); // one byte short of an int32
    IBStreamer streamer(&stream, kLittleEndian);
    int32 value = 77;
    EXPECT_FALSE(streamer.readInt32(value));
    EXPECT_EQ(value, 0);

    float f = 1.0f;
    EXPECT_FALSE(streamer.readFloat(f)); // stream exhausted
    EXPECT_EQ(f, 0.0f);
    bool flag = true;
    EXPECT_FALSE(streamer.readBool(flag));
    EXPECT_FALSE(flag);
}

// Hosts' streams disagree on their result codes at the end of data; the
// byte count is what counts, in both directions.
TEST(IBStreamer, StreamResultCodeIsNotConsulted)
{
    MemoryStream stream;
    stream.answerAlways(kResultFalse);
    IBStreamer streamer(&stream, kLittleEndian);
    EXPECT_TRUE(streamer.writeInt32(42));
    stream.rewind();
    int32 value = 0;
    EXPECT_TRUE(streamer.readInt32(value));
    EXPECT_EQ(value, 42);

    stream.answerAlways(kResultOk);
    int16 more = 5;
    EXPECT_FALSE(streamer.readInt16(more)); // says OK, delivers nothing
}

TEST(IBStreamer, WriteFailsWhenTheStreamTakesFewerBytes)
{
    MemoryStream stream;
    stream.setWriteLimit(6);
    IBStreamer streamer(&stream, kLittleEndian);
    EXPECT_TRUE(streamer.writeInt32(1));
    EXPECT_FALSE(streamer.writeInt32(2)); // only two bytes fit
    EXPECT_FALSE(streamer.writeBool(true));
}

TEST(IBStreamer, NullStreamFailsEveryCallWithoutCrashing)
{
    IBStreamer streamer(nullptr, kLittleEndian);
    int32 value = 3;
    EXPECT_FALSE(streamer.readInt32(value));
    EXPECT_EQ(value, 0);
    EXPECT_FALSE(streamer.writeDouble(1.0));
    EXPECT_EQ(streamer.tell(), -1);
    EXPECT_EQ(streamer.seek(0, kSeekSet), -1);
}

TEST(IBStreamer, SeekTellSkipAndPadForwardToTheStream)
{
    MemoryStream stream;
    IBStreamer streamer(&stream, kBigEndian);
    EXPECT_TRUE(streamer.pad(3));
    EXPECT_TRUE(streamer.writeInt16(0x0A0B));
    EXPECT_EQ(stream.bytes(), (std::vector<unsigned char>{0, 0, 0, 0x0A, 0x0B}));
    EXPECT_EQ(streamer.tell(), 5);
    EXPECT_EQ(streamer.seek(0, kSeekSet), 0);
    EXPECT_TRUE(streamer.skip(3));
    int16 value = 0;
    EXPECT_TRUE(streamer.readInt16(value));
    EXPECT_EQ(value, 0x0A0B);
    EXPECT_FALSE(streamer.skip(1));
    EXPECT_EQ(streamer.seek(-2, kSeekEnd), 3);
}
