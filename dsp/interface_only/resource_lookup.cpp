// Data resources: look-up by identifier and reading through the editor
// library's platform resource streams.
#include "dsp/interface_only/patch_lookup.h"

#include "vstgui/lib/cresourcedescription.h"
#include "vstgui/lib/platform/iplatformresourceinputstream.h"
#include "vstgui/lib/platform/platformfactory.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace
{

// The bytes of one read, with the count the stream reported.
struct raw_read_t
{
    uint8_t* data;
    int32_t count;
};

// Opens the named resource and reads resource.size bytes in one call. Null
// data means nothing was read: the resource could not be opened or its buffer
// could not be had.
raw_read_t read_resource(const patch_resource_t& resource)
{
    raw_read_t result{nullptr, 0};
    // A negative size is a buffer that cannot be had; asking malloc for its
    // sign-widened count would only fail, or abort under a sanitizer.
    if (resource.size < 0)
        return result;

    // The name buffer may lack its terminator; hand the stream a terminated copy.
    char name[sizeof resource.name + 1];
    memcpy(name, resource.name, sizeof resource.name);
    name[sizeof resource.name] = '\0';

    VSTGUI::CResourceDescription description(static_cast<VSTGUI::UTF8StringPtr>(name));
    auto stream = VSTGUI::getPlatformFactory().createResourceInputStream(description);
    if (!stream)
        return result;

    auto* buffer = static_cast<uint8_t*>(malloc(static_cast<size_t>(resource.size)));
    if (buffer == nullptr)
        return result;

    const uint32_t read = stream->readRaw(buffer, static_cast<uint32_t>(resource.size));
    // The stream's error value reads as -1 here.
    const auto count = static_cast<int32_t>(read);
    if (count != resource.size)
        printf("Didn't load all of the resource bytes expected:%d, read:%d", resource.size, count);
    stream.reset();

    result.data = buffer;
    // A stream never reports more than it was asked for; should one, what lies
    // past the buffer is still never used.
    result.count = count > resource.size ? resource.size : count;
    return result;
}

int32_t big_endian_word(const uint8_t* bytes)
{
    const uint32_t word = (uint32_t{bytes[0]} << 24) | (uint32_t{bytes[1]} << 16) |
                          (uint32_t{bytes[2]} << 8) | uint32_t{bytes[3]};
    return static_cast<int32_t>(word);
}

constexpr int32_t kHeaderBytes = 12;
constexpr float kSampleScale = 5.96046448e-08f; // 2^-24: a word of 2^24 is 1.0

// Decodes the sample table in the count bytes read. Only whole words that were
// read are decoded; a header that was not read whole, or one with a negative
// sample count, gives the empty result.
patch_samples_t decode_samples(const uint8_t* bytes, int32_t count)
{
    patch_samples_t result{nullptr, 0, 0, 0};
    if (count < kHeaderBytes)
        return result;
    const int32_t declared = big_endian_word(bytes + 8);
    if (declared < 0)
        return result;
    const int32_t available = (count - kHeaderBytes) / 4;
    const int32_t samples = declared < available ? declared : available;

    auto* data = static_cast<float*>(malloc(sizeof(float) * static_cast<size_t>(samples)));
    if (data == nullptr && samples > 0)
        return result;
    for (int32_t i = 0; i < samples; ++i)
        data[i] = static_cast<float>(big_endian_word(bytes + kHeaderBytes + 4 * i)) * kSampleScale;

    result.data = data;
    result.count = samples;
    result.channels = big_endian_word(bytes + 4);
    result.sample_rate = big_endian_word(bytes);
    return result;
}

} // namespace

const patch_resource_t* patch_find_resource(const patch_t* patch, int32_t id)
{
    if (patch == nullptr || patch->resources == nullptr)
        return nullptr;
    for (int32_t i = 0; i < patch->resource_count; ++i)
    {
        const patch_resource_t* record = patch->resources[i];
        if (record != nullptr && record->id == id)
            return record;
    }
    return nullptr;
}

const char* patch_resource_name(const patch_resource_t* resource)
{
    return resource != nullptr ? resource->name : nullptr;
}

const char* patch_get_resource_name(const patch_t* patch, int32_t id)
{
    return patch_resource_name(patch_find_resource(patch, id));
}

patch_resource_t patch_copy_resource(const patch_t* patch, int32_t id)
{
    patch_resource_t copy;
    memset(&copy, 0, sizeof copy);
    if (const patch_resource_t* record = patch_find_resource(patch, id))
        memcpy(&copy, record, sizeof copy);
    return copy;
}

patch_blob_t patch_resource_read_bytes(const patch_resource_t* resource)
{
    if (resource == nullptr)
        return {nullptr, 0};
    const raw_read_t read = read_resource(*resource);
    if (read.data == nullptr)
        return {nullptr, 0};
    return {read.data, read.count};
}

patch_blob_t patch_load_resource_bytes(const patch_t* patch, int32_t id)
{
    return patch_resource_read_bytes(patch_find_resource(patch, id));
}

patch_samples_t patch_resource_read_samples(const patch_resource_t* resource)
{
    if (resource == nullptr)
        return {nullptr, 0, 0, 0};
    const raw_read_t read = read_resource(*resource);
    if (read.data == nullptr)
        return {nullptr, 0, 0, 0};
    // A stream error reads as a negative count and decodes to nothing.
    const patch_samples_t result = decode_samples(read.data, read.count);
    free(read.data);
    return result;
}

patch_samples_t patch_load_resource_samples(const patch_t* patch, int32_t id)
{
    return patch_resource_read_samples(patch_find_resource(patch, id));
}
