// Data resource look-ups and readers, against files in a scratch resource
// folder that the platform factory is pointed at.
#include "dsp/interface_only/patch_lookup.h"

#include "support/platformresources.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <random>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace
{

patch_resource_t makeResource(int32_t id, const char* name, int32_t size)
{
    patch_resource_t record;
    memset(&record, 0, sizeof record);
    record.id = id;
    strncpy(record.name, name, sizeof record.name - 1);
    record.size = size;
    return record;
}

std::vector<uint8_t> bigEndianWords(const std::vector<int32_t>& words)
{
    std::vector<uint8_t> bytes;
    for (int32_t word : words)
    {
        const auto w = static_cast<uint32_t>(word);
        bytes.insert(bytes.end(), {static_cast<uint8_t>(w >> 24), static_cast<uint8_t>(w >> 16),
                                   static_cast<uint8_t>(w >> 8), static_cast<uint8_t>(w)});
    }
    return bytes;
}

std::vector<float> values(const patch_samples_t& samples)
{
    return std::vector<float>(samples.data, samples.data + samples.count);
}

// Points the platform factory at a fresh folder for the test's resources.
class ResourceFolder : public ::testing::Test
{
protected:
    void SetUp() override
    {
        folder = fs::temp_directory_path() /
                 ("ferrulith-lookup-" + std::to_string(std::random_device{}()));
        ASSERT_TRUE(fs::create_directory(folder));
        testsupport::setPlatformResourceFolder(folder.string());
    }
    void TearDown() override
    {
        testsupport::setPlatformResourceFolder("");
        fs::remove_all(folder);
    }

    void write(const char* name, const std::vector<uint8_t>& bytes)
    {
        std::ofstream out(folder / name, std::ios::binary);
        out.write(reinterpret_cast<const char*>(bytes.data()),
                  static_cast<std::streamsize>(bytes.size()));
    }

    // Runs a read and returns what it printed.
    template <typename Read> std::string printedBy(Read&& read)
    {
        testing::internal::CaptureStdout();
        read();
        fflush(stdout);
        return testing::internal::GetCapturedStdout();
    }

    fs::path folder;
};

TEST(ResourceLookup, SkipsEmptySlotsAndFindsTheFirstMatchingId)
{
    patch_resource_t first = makeResource(7, "first.bin", 4);
    patch_resource_t second = makeResource(7, "second.bin", 4);
    patch_resource_t other = makeResource(9, "other.bin", 4);
    memset(first.spare, 0xA5, sizeof first.spare);
    patch_resource_t* slots[] = {nullptr, &first, &second, nullptr, &other};
    patch_t patch{};
    patch.resources = slots;
    patch.resource_count = 5;

    EXPECT_EQ(patch_find_resource(&patch, 7), &first);
    EXPECT_EQ(patch_find_resource(&patch, 9), &other);
    EXPECT_EQ(patch_find_resource(&patch, 8), nullptr);
    EXPECT_STREQ(patch_get_resource_name(&patch, 7), "first.bin");
    EXPECT_EQ(patch_get_resource_name(&patch, 8), nullptr);
    EXPECT_EQ(patch_resource_name(nullptr), nullptr);

    const patch_resource_t copy = patch_copy_resource(&patch, 7);
    EXPECT_EQ(memcmp(&copy, &first, sizeof copy), 0);
    const patch_resource_t absent = patch_copy_resource(&patch, 8);
    EXPECT_EQ(absent.id, 0);
    EXPECT_EQ(absent.size, 0);
    EXPECT_STREQ(absent.name, "");

    // A count that stops before the record hides it.
    patch.resource_count = 1;
    EXPECT_EQ(patch_find_resource(&patch, 7), nullptr);
    patch.resource_count = -3;
    EXPECT_EQ(patch_find_resource(&patch, 7), nullptr);
}

TEST_F(ResourceFolder, ReadsTheRecordsBytesQuietly)
{
    write("blob.bin", {1, 2, 3, 4, 5});
    const patch_resource_t record = makeResource(3, "blob.bin", 5);
    patch_resource_t* slots[] = {const_cast<patch_resource_t*>(&record)};
    patch_t patch{};
    patch.resources = slots;
    patch.resource_count = 1;

    patch_blob_t blob{};
    EXPECT_EQ(printedBy([&] { blob = patch_load_resource_bytes(&patch, 3); }), "");
    ASSERT_NE(blob.data, nullptr);
    EXPECT_EQ(std::vector<uint8_t>(blob.data, blob.data + blob.size),
              (std::vector<uint8_t>{1, 2, 3, 4, 5}));
    free(blob.data);
}

TEST_F(ResourceFolder, ShortReadWarnsAndReturnsTheCountRead)
{
    write("blob.bin", {1, 2, 3, 4, 5});
    const patch_resource_t record = makeResource(3, "blob.bin", 8);

    patch_blob_t blob{};
    EXPECT_EQ(printedBy([&] { blob = patch_resource_read_bytes(&record); }),
              "Didn't load all of the resource bytes expected:8, read:5");
    ASSERT_NE(blob.data, nullptr);
    EXPECT_EQ(blob.size, 5);
    EXPECT_EQ(std::vector<uint8_t>(blob.data, blob.data + 5),
              (std::vector<uint8_t>{1, 2, 3, 4, 5}));
    free(blob.data);
}

TEST_F(ResourceFolder, NothingToReadGivesTheEmptyResultSilently)
{
    write("blob.bin", {1, 2, 3, 4});
    const patch_resource_t missing = makeResource(1, "missing.bin", 4);
    const patch_resource_t escaping = makeResource(2, "../blob.bin", 4);
    const patch_resource_t negative = makeResource(3, "blob.bin", -1);
    patch_t empty{};

    const std::string printed = printedBy(
        [&]
        {
            for (const patch_resource_t* record :
                 {&missing, &escaping, &negative, static_cast<const patch_resource_t*>(nullptr)})
            {
                const patch_blob_t blob = patch_resource_read_bytes(record);
                EXPECT_EQ(blob.data, nullptr);
                EXPECT_EQ(blob.size, 0);
                const patch_samples_t samples = patch_resource_read_samples(record);
                EXPECT_EQ(samples.data, nullptr);
                EXPECT_EQ(samples.count, 0);
                EXPECT_EQ(samples.channels, 0);
                EXPECT_EQ(samples.sample_rate, 0);
            }
            EXPECT_EQ(patch_load_resource_bytes(&empty, 1).data, nullptr);
            EXPECT_EQ(patch_load_resource_samples(&empty, 1).data, nullptr);
        });
    EXPECT_EQ(printed, "");
}

#if defined(__linux__)
// Needs a file that opens but fails its reads, which only Linux readily has.
TEST_F(ResourceFolder, StreamErrorReadsAsMinusOne)
{
    // Reading the process's own memory at offset 0 fails with an I/O error.
    testsupport::setPlatformResourceFolder("/proc/self");
    const patch_resource_t record = makeResource(1, "mem", 16);

    patch_blob_t blob{};
    EXPECT_EQ(printedBy([&] { blob = patch_resource_read_bytes(&record); }),
              "Didn't load all of the resource bytes expected:16, read:-1");
    EXPECT_EQ(blob.size, -1);
    free(blob.data);

    patch_samples_t samples{};
    printedBy([&] { samples = patch_resource_read_samples(&record); });
    EXPECT_EQ(samples.data, nullptr);
    EXPECT_EQ(samples.count, 0);
    EXPECT_EQ(samples.sample_rate, 0);
}
#endif

TEST_F(ResourceFolder, DecodesSampleWordsScaledByTwoToTheMinus24)
{
    std::vector<uint8_t> bytes = bigEndianWords({44100, 2, 2, 1 << 24, -(1 << 23)});
    bytes.insert(bytes.end(), {0xDE, 0xAD}); // trailing bytes are not samples
    write("table.bin", bytes);
    const patch_resource_t record = makeResource(5, "table.bin", 22);
    patch_resource_t* slots[] = {const_cast<patch_resource_t*>(&record)};
    patch_t patch{};
    patch.resources = slots;
    patch.resource_count = 1;

    patch_samples_t samples{};
    EXPECT_EQ(printedBy([&] { samples = patch_load_resource_samples(&patch, 5); }), "");
    EXPECT_EQ(samples.sample_rate, 44100);
    EXPECT_EQ(samples.channels, 2);
    EXPECT_EQ(values(samples), (std::vector<float>{1.0f, -0.5f}));
    free(samples.data);
}

TEST_F(ResourceFolder, SampleScaleReachesPlusAndMinus128AtTheExtremes)
{
    // 2^24 + 1 has no 32-bit float of its own: it rounds to 2^24 before scaling.
    write("edges.bin", bigEndianWords({-1, -7, 5, INT_MAX, INT_MIN, 1, -1, (1 << 24) + 1}));
    const patch_resource_t record = makeResource(1, "edges.bin", 32);

    const patch_samples_t samples = patch_resource_read_samples(&record);
    // Header words 0 and 1 pass through as they are, negative or not.
    EXPECT_EQ(samples.sample_rate, -1);
    EXPECT_EQ(samples.channels, -7);
    EXPECT_EQ(values(samples), (std::vector<float>{128.0f, -128.0f, 0x1p-24f, -0x1p-24f, 1.0f}));
    free(samples.data);
}

TEST_F(ResourceFolder, ShortSampleTableDecodesOnlyTheWordsRead)
{
    // The header promises four samples; the file holds two and a half.
    std::vector<uint8_t> bytes = bigEndianWords({48000, 1, 4, 1 << 24, 1 << 22});
    bytes.insert(bytes.end(), {0x01, 0x00});
    write("short.bin", bytes);
    const patch_resource_t record = makeResource(1, "short.bin", 28);

    patch_samples_t samples{};
    EXPECT_EQ(printedBy([&] { samples = patch_resource_read_samples(&record); }),
              "Didn't load all of the resource bytes expected:28, read:22");
    EXPECT_EQ(samples.sample_rate, 48000);
    EXPECT_EQ(samples.channels, 1);
    EXPECT_EQ(values(samples), (std::vector<float>{1.0f, 0.25f}));
    free(samples.data);
}

TEST_F(ResourceFolder, HeaderThatDoesNotFitGivesTheEmptyResult)
{
    write("tiny.bin", bigEndianWords({48000, 1}));
    write("negative.bin", bigEndianWords({48000, 1, -2, 1 << 24}));
    write("none.bin", bigEndianWords({48000, 2, 0}));

    const patch_resource_t tiny = makeResource(1, "tiny.bin", 12);
    const patch_resource_t negative = makeResource(2, "negative.bin", 16);
    for (const patch_resource_t* record : {&tiny, &negative})
    {
        patch_samples_t samples{};
        printedBy([&] { samples = patch_resource_read_samples(record); });
        EXPECT_EQ(samples.data, nullptr) << record->name;
        EXPECT_EQ(samples.count, 0) << record->name;
        EXPECT_EQ(samples.channels, 0) << record->name;
        EXPECT_EQ(samples.sample_rate, 0) << record->name;
    }

    // A table that declares no samples is still a valid table.
    const patch_resource_t none = makeResource(3, "none.bin", 12);
    const patch_samples_t samples = patch_resource_read_samples(&none);
    EXPECT_EQ(samples.count, 0);
    EXPECT_EQ(samples.channels, 2);
    EXPECT_EQ(samples.sample_rate, 48000);
    free(samples.data);
}

} // namespace
