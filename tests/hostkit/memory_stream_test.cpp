#include "hostkit/memory_stream.h"

#include "pluginterfaces/base/ipluginbase.h"

#include <gtest/gtest.h>

#include <cstring>

using namespace ferrulith::host;
using namespace Steinberg;

namespace
{

std::vector<std::uint8_t> bytes(std::initializer_list<int> values)
{
    std::vector<std::uint8_t> result;
    for (int v : values)
        result.push_back(std::uint8_t(v));
    return result;
}

} // namespace

TEST(MemoryStream, ReadsWhatWasWrittenAndStopsAtTheEnd)
{
    auto stream = makeHostObject<MemoryStream>();
    std::uint8_t in[5] = {1, 2, 3, 4, 5};
    int32 written = -1;
    ASSERT_EQ(stream->write(in, 5, &written), kResultOk);
    EXPECT_EQ(written, 5);

    ASSERT_EQ(stream->seek(0, IBStream::kIBSeekSet, nullptr), kResultOk);
    std::uint8_t out[8] = {};
    int32 read = -1;
    EXPECT_EQ(stream->read(out, 8, &read), kResultOk);
    EXPECT_EQ(read, 5); // a short read says how much it got
    EXPECT_EQ(std::memcmp(in, out, 5), 0);
    EXPECT_EQ(stream->read(out, 8, &read), kResultOk);
    EXPECT_EQ(read, 0);
    int64 position = -1;
    EXPECT_EQ(stream->tell(&position), kResultOk);
    EXPECT_EQ(position, 5);
}

TEST(MemoryStream, SeeksFromEachOriginAndZeroFillsAGapBeforeAWrite)
{
    auto stream = makeHostObject<MemoryStream>(bytes({9, 9}));
    int64 result = -1;
    EXPECT_EQ(stream->seek(-1, IBStream::kIBSeekEnd, &result), kResultOk);
    EXPECT_EQ(result, 1);
    EXPECT_EQ(stream->seek(3, IBStream::kIBSeekCur, &result), kResultOk);
    EXPECT_EQ(result, 4);
    std::uint8_t value = 7;
    ASSERT_EQ(stream->write(&value, 1, nullptr), kResultOk);
    EXPECT_EQ(stream->bytes(), bytes({9, 9, 0, 0, 7}));
}

TEST(MemoryStream, RefusesPositionsBeforeTheStartAndUnknownModesWithoutMoving)
{
    auto stream = makeHostObject<MemoryStream>(bytes({1, 2, 3}));
    ASSERT_EQ(stream->seek(2, IBStream::kIBSeekSet, nullptr), kResultOk);
    int64 result = 42;
    EXPECT_NE(stream->seek(-3, IBStream::kIBSeekCur, &result), kResultOk);
    EXPECT_NE(stream->seek(0, 7, &result), kResultOk);
    EXPECT_EQ(result, 42);
    EXPECT_EQ(stream->position(), 2);
}

TEST(MemoryStream, RefusesNullBuffersAndNegativeCountsWithoutChanging)
{
    auto stream = makeHostObject<MemoryStream>(bytes({1, 2, 3}));
    int32 count = 99;
    EXPECT_EQ(stream->read(nullptr, 2, &count), kInvalidArgument);
    EXPECT_EQ(count, 0);
    EXPECT_EQ(stream->write(nullptr, 2, &count), kInvalidArgument);
    std::uint8_t buffer[4] = {};
    EXPECT_EQ(stream->read(buffer, -1, &count), kInvalidArgument);
    EXPECT_EQ(stream->write(buffer, -1, &count), kInvalidArgument);
    EXPECT_EQ(stream->tell(nullptr), kInvalidArgument);
    EXPECT_EQ(stream->bytes(), bytes({1, 2, 3}));
    EXPECT_EQ(stream->position(), 0);
}

TEST(MemoryStream, AnswersOnlyItsOwnInterfacesAndCountsReferences)
{
    auto stream = makeHostObject<MemoryStream>();
    void* asked = nullptr;
    ASSERT_EQ(stream->queryInterface(IBStream::iid, &asked), kResultOk);
    EXPECT_EQ(asked, static_cast<IBStream*>(stream.get()));
    ASSERT_EQ(stream->queryInterface(FUnknown::iid, &asked), kResultOk);
    EXPECT_EQ(stream->release(), 2u);
    EXPECT_EQ(stream->release(), 1u);

    asked = reinterpret_cast<void*>(1);
    EXPECT_EQ(stream->queryInterface(IPluginBase::iid, &asked), kNoInterface);
    EXPECT_EQ(asked, nullptr);
    EXPECT_EQ(stream->addRef(), 2u);
    EXPECT_EQ(stream->release(), 1u);
}
