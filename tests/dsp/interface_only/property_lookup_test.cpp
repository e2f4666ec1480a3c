// Text property look-ups: which record a key finds, how values convert, and
// that a broken record is read only within its own buffers.
#include "dsp/interface_only/patch_lookup.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

namespace
{

// A patch that carries only properties. The records live on the heap so that
// the address sanitizer sees any read past one of them.
class PropertyPatch
{
public:
    void add(const std::string& key, const std::string& value)
    {
        auto record = std::make_unique<patch_property_t>();
        memset(record.get(), 0, sizeof(patch_property_t));
        strncpy(record->key, key.c_str(), sizeof record->key - 1);
        strncpy(record->value, value.c_str(), sizeof record->value - 1);
        slots.push_back(record.get());
        records.push_back(std::move(record));
    }
    void addEmptySlot() { slots.push_back(nullptr); }
    patch_property_t& last() { return *records.back(); }

    const patch_t* get()
    {
        patch = patch_t{};
        patch.properties = slots.data();
        patch.property_count = static_cast<int32_t>(slots.size());
        return &patch;
    }

private:
    std::vector<std::unique_ptr<patch_property_t>> records;
    std::vector<patch_property_t*> slots;
    patch_t patch{};
};

std::vector<float> values(const patch_samples_t& list)
{
    return std::vector<float>(list.data, list.data + list.count);
}

TEST(PropertyLookup, FirstRecordWithTheExactKeyWins)
{
    PropertyPatch props;
    props.addEmptySlot();
    props.add("drive", "1.5");
    props.add("drive", "2.5");
    props.add("Drive", "9");
    const patch_t* patch = props.get();

    EXPECT_EQ(patch_get_property_float(patch, "drive"), 1.5f);
    EXPECT_EQ(patch_get_property_int(patch, "drive"), 1);
    EXPECT_STREQ(patch_get_property_string(patch, "drive"), "1.5");
    EXPECT_EQ(patch_get_property_int(patch, "Drive"), 9);

    EXPECT_EQ(patch_get_property_float(patch, "DRIVE"), 0.0f);
    EXPECT_EQ(patch_get_property_int(patch, "driv"), 0);
    EXPECT_EQ(patch_get_property_int(patch, "drive "), 0);
}

TEST(PropertyLookup, StringLookupPointsIntoTheRecordAndAbsentKeysShareOneEmptyText)
{
    PropertyPatch props;
    props.add("name", "Ferrulith");
    const patch_t* patch = props.get();

    EXPECT_EQ(patch_get_property_string(patch, "name"), props.last().value);
    const char* absent = patch_get_property_string(patch, "missing");
    EXPECT_STREQ(absent, "");
    EXPECT_EQ(patch_get_property_string(patch, "other"), absent);
}

TEST(PropertyLookup, PatchWithoutPropertiesGivesAbsentResults)
{
    patch_t* patch = patch_create(48000.0f);
    ASSERT_NE(patch, nullptr);
    for (int32_t count : {0, -1})
    {
        patch->property_count = count;
        EXPECT_EQ(patch_get_property_float(patch, "drive"), 0.0f);
        EXPECT_EQ(patch_get_property_int(patch, "drive"), 0);
        EXPECT_STREQ(patch_get_property_string(patch, "drive"), "");
        const patch_samples_t list = patch_get_property_float_list(patch, "drive");
        EXPECT_EQ(list.data, nullptr);
        EXPECT_EQ(list.count, 0);
        EXPECT_EQ(list.channels, 1);
        EXPECT_EQ(list.sample_rate, -1);
    }
    patch->property_count = 0;
    patch_destroy(patch);
}

TEST(PropertyLookup, NumbersThatDoNotParseReadAsZero)
{
    PropertyPatch props;
    props.add("word", "loud");
    props.add("mixed", "12dB");
    props.add("exp", "2.5e-1");
    const patch_t* patch = props.get();

    EXPECT_EQ(patch_get_property_int(patch, "word"), 0);
    EXPECT_EQ(patch_get_property_float(patch, "word"), 0.0f);
    EXPECT_EQ(patch_get_property_int(patch, "mixed"), 12);
    EXPECT_EQ(patch_get_property_float(patch, "exp"), 0.25f);
}

TEST(PropertyListParse, CommaSeparatedNumbersInOrder)
{
    PropertyPatch props;
    props.add("curve", "0.5,0.25,-1");
    props.add("odd", "1,abc,3");
    const patch_t* patch = props.get();

    patch_samples_t list = patch_get_property_float_list(patch, "curve");
    EXPECT_EQ(values(list), (std::vector<float>{0.5f, 0.25f, -1.0f}));
    EXPECT_EQ(list.channels, 1);
    EXPECT_EQ(list.sample_rate, -1);
    free(list.data);
    // The record is parsed from a copy; its own text is left whole.
    EXPECT_STREQ(patch_get_property_string(patch, "curve"), "0.5,0.25,-1");

    list = patch_get_property_float_list(patch, "odd");
    EXPECT_EQ(values(list), (std::vector<float>{1.0f, 0.0f, 3.0f}));
    free(list.data);
}

TEST(PropertyListParse, EmptyFieldsAddNoValue)
{
    PropertyPatch props;
    props.add("runs", ",,0.5,,,0.25,");
    props.add("commas", ",,,");
    props.add("empty", "");
    const patch_t* patch = props.get();

    patch_samples_t list = patch_get_property_float_list(patch, "runs");
    EXPECT_EQ(values(list), (std::vector<float>{0.5f, 0.25f}));
    free(list.data);
    for (const char* key : {"commas", "empty"})
    {
        list = patch_get_property_float_list(patch, key);
        EXPECT_EQ(list.count, 0) << key;
        EXPECT_EQ(list.channels, 1) << key;
        EXPECT_EQ(list.sample_rate, -1) << key;
        free(list.data);
    }
}

TEST(PropertyListParse, LeavesTheCallersOwnTokenizingUndisturbed)
{
    PropertyPatch props;
    props.add("curve", "1,2,3");
    const patch_t* patch = props.get();

    char line[] = "first second third";
    std::vector<std::string> words;
    for (char* word = strtok(line, " "); word != nullptr; word = strtok(nullptr, " "))
    {
        words.push_back(word);
        patch_samples_t list = patch_get_property_float_list(patch, "curve");
        EXPECT_EQ(list.count, 3);
        free(list.data);
    }
    EXPECT_EQ(words, (std::vector<std::string>{"first", "second", "third"}));
}

TEST(PropertyRecordBounds, UnterminatedValueIsReadWithinItsBuffer)
{
    PropertyPatch props;
    props.add("list", "");
    // "1,1,1,...,1," filling all 256 bytes, no terminator.
    for (size_t i = 0; i < sizeof props.last().value; ++i)
        props.last().value[i] = (i % 2 == 0) ? '1' : ',';
    props.add("number", "");
    memset(props.last().value, '7', sizeof props.last().value);
    const patch_t* patch = props.get();

    const patch_samples_t list = patch_get_property_float_list(patch, "list");
    EXPECT_EQ(list.count, 128);
    EXPECT_EQ(values(list), std::vector<float>(128, 1.0f));
    free(list.data);
    EXPECT_EQ(patch_get_property_int(patch, "number"), atoi(std::string(255, '7').c_str()));
    EXPECT_EQ(patch_get_property_float(patch, "number"),
              static_cast<float>(atof(std::string(255, '7').c_str())));
}

TEST(PropertyRecordBounds, UnterminatedKeyMatchesOnlyItsFullText)
{
    PropertyPatch props;
    props.add("", "found");
    memset(props.last().key, 'k', sizeof props.last().key);
    const patch_t* patch = props.get();

    EXPECT_STREQ(patch_get_property_string(patch, "kkk"), "");
    EXPECT_STREQ(patch_get_property_string(patch, std::string(256, 'k').c_str()), "found");
    EXPECT_STREQ(patch_get_property_string(patch, std::string(257, 'k').c_str()), "");
}

} // namespace
