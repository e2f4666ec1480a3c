// The engine's property and resource look-ups over records of any content:
// keys and values without terminators, lists of any text, null slots, any
// identifiers and sizes, and resource files of any bytes. What must hold: a
// look-up reads only within the records, a list holds as many numbers as it
// says, and a sample table never decodes more words than were read.
#include "dsp/interface_only/patch_lookup.h"
#include "fuzz_check.h"
#include "fuzz_values.h"
#include "sdk/vstgui4/gui_test_support.h"

#include <cstdlib>
#include <cstring>
#include <memory>
#include <vector>

using ferrulith::fuzz::check;

namespace
{

// Resource sizes stay small enough for the fuzzer to go on quickly; the
// readers' handling of a size does not change with its magnitude.
constexpr int32_t kLargestSize = 1 << 16;

const char* const kFileNames[] = {"a.bin", "b.bin", "missing.bin"};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static ferrulith::test::TempResourceFolder folder;
    FuzzedDataProvider in(data, size);

    std::vector<std::unique_ptr<patch_property_t>> propertyRecords;
    std::vector<patch_property_t*> properties;
    const int propertyCount = in.ConsumeIntegralInRange(0, 4);
    for (int i = 0; i < propertyCount; ++i)
    {
        auto record = std::make_unique<patch_property_t>();
        // Filled whole: a key or value may lack its terminator.
        in.ConsumeData(record->key, sizeof record->key);
        in.ConsumeData(record->value, sizeof record->value);
        properties.push_back(in.ConsumeIntegralInRange(0, 7) == 0 ? nullptr : record.get());
        propertyRecords.push_back(std::move(record));
    }

    std::vector<std::unique_ptr<patch_resource_t>> resourceRecords;
    std::vector<patch_resource_t*> resources;
    const int resourceCount = in.ConsumeIntegralInRange(0, 4);
    for (int i = 0; i < resourceCount; ++i)
    {
        auto record = std::make_unique<patch_resource_t>();
        std::memset(record.get(), 0, sizeof *record);
        record->id = in.ConsumeIntegralInRange(-2, 3);
        if (in.ConsumeBool())
            std::strcpy(record->name, kFileNames[in.ConsumeIntegralInRange(0, 2)]);
        else
            in.ConsumeData(record->name, sizeof record->name);
        record->size = in.ConsumeIntegralInRange(-kLargestSize, kLargestSize);
        resources.push_back(in.ConsumeIntegralInRange(0, 7) == 0 ? nullptr : record.get());
        resourceRecords.push_back(std::move(record));
    }

    for (const char* name : {"a.bin", "b.bin"})
    {
        const std::vector<uint8_t> bytes =
            in.ConsumeBytes<uint8_t>(in.ConsumeIntegralInRange(0, 4096));
        folder.write(name, std::string(bytes.begin(), bytes.end()));
    }

    patch_t patch;
    std::memset(&patch, 0, sizeof patch);
    patch.properties = properties.data();
    patch.property_count =
        in.ConsumeBool() ? propertyCount : in.ConsumeIntegralInRange(-1, propertyCount);
    patch.resources = resources.data();
    patch.resource_count =
        in.ConsumeBool() ? resourceCount : in.ConsumeIntegralInRange(-1, resourceCount);

    const std::string key = in.ConsumeRandomLengthString(300);
    patch_get_property_float(&patch, key.c_str());
    patch_get_property_int(&patch, key.c_str());
    patch_get_property_string(&patch, key.c_str());
    patch_samples_t list = patch_get_property_float_list(&patch, key.c_str());
    check(list.count >= 0 && (list.count == 0 || list.data != nullptr), "a list holds its count");
    for (int32_t i = 0; i < list.count; ++i)
        (void)list.data[i];
    free(list.data);

    const int32_t id = in.ConsumeIntegralInRange(-2, 3);
    patch_get_resource_name(&patch, id);
    patch_resource_t copy = patch_copy_resource(&patch, id);
    (void)copy;
    patch_blob_t blob = patch_load_resource_bytes(&patch, id);
    check(blob.data != nullptr || blob.size == 0, "no bytes, no count");
    free(blob.data);
    patch_samples_t samples = patch_load_resource_samples(&patch, id);
    const patch_resource_t* record = patch_find_resource(&patch, id);
    if (samples.count > 0)
        check(record != nullptr && 12 + 4 * int64_t{samples.count} <= record->size,
              "only words that were read are decoded");
    for (int32_t i = 0; i < samples.count; ++i)
        check(samples.data[i] >= -128.0f && samples.data[i] <= 128.0f,
              "a sample lies within +-128");
    free(samples.data);
    return 0;
}
