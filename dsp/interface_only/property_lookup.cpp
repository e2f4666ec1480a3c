// Text properties: look-up by key, numeric conversions and list parsing.
//
// Records come from whoever filled the patch. A key or value that fills its
// whole buffer without a terminator is read only within that buffer.
#include "dsp/interface_only/patch_lookup.h"

#include <cstdlib>
#include <cstring>

namespace
{

constexpr size_t kTextCapacity = sizeof(patch_property_t::value);

const char kEmptyText[] = "";

// Exact, case-sensitive equality with a record's key, never reading past the
// key's buffer.
bool key_equals(const char* key, const patch_property_t& record)
{
    const size_t length = strnlen(record.key, sizeof record.key);
    return strncmp(key, record.key, length) == 0 && key[length] == '\0';
}

const patch_property_t* find_property(const patch_t* patch, const char* key)
{
    if (patch == nullptr || key == nullptr || patch->properties == nullptr)
        return nullptr;
    for (int32_t i = 0; i < patch->property_count; ++i)
    {
        const patch_property_t* record = patch->properties[i];
        if (record != nullptr && key_equals(key, *record))
            return record;
    }
    return nullptr;
}

// A terminated copy of the value, cut at its buffer's end when it has no
// terminator of its own.
void copy_value(const patch_property_t& record, char (&buffer)[kTextCapacity])
{
    const size_t length = strnlen(record.value, kTextCapacity - 1);
    memcpy(buffer, record.value, length);
    buffer[length] = '\0';
}

const char* const kListDelimiters = ",";

int32_t count_tokens(char* text)
{
    int32_t count = 0;
    char* place = nullptr;
    for (char* token = strtok_r(text, kListDelimiters, &place); token != nullptr;
         token = strtok_r(nullptr, kListDelimiters, &place))
        ++count;
    return count;
}

} // namespace

float patch_get_property_float(const patch_t* patch, const char* key)
{
    const patch_property_t* record = find_property(patch, key);
    if (record == nullptr)
        return 0.0f;
    char buffer[kTextCapacity];
    copy_value(*record, buffer);
    return static_cast<float>(atof(buffer));
}

int32_t patch_get_property_int(const patch_t* patch, const char* key)
{
    const patch_property_t* record = find_property(patch, key);
    if (record == nullptr)
        return 0;
    char buffer[kTextCapacity];
    copy_value(*record, buffer);
    return atoi(buffer);
}

const char* patch_get_property_string(const patch_t* patch, const char* key)
{
    const patch_property_t* record = find_property(patch, key);
    return record != nullptr ? record->value : kEmptyText;
}

patch_samples_t patch_get_property_float_list(const patch_t* patch, const char* key)
{
    patch_samples_t result{nullptr, 0, 1, -1};
    const patch_property_t* record = find_property(patch, key);
    if (record == nullptr)
        return result;

    // Counting cuts the buffer up, so the values are parsed from a fresh copy.
    char buffer[kTextCapacity];
    copy_value(*record, buffer);
    const int32_t count = count_tokens(buffer);

    float* data = static_cast<float*>(malloc(sizeof(float) * static_cast<size_t>(count)));
    if (data == nullptr && count > 0)
        return result;

    copy_value(*record, buffer);
    char* place = nullptr;
    int32_t i = 0;
    for (char* token = strtok_r(buffer, kListDelimiters, &place); token != nullptr && i < count;
         token = strtok_r(nullptr, kListDelimiters, &place))
        data[i++] = static_cast<float>(atof(token));

    result.data = data;
    result.count = count;
    return result;
}
