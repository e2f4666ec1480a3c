// Look-ups of a patch's text properties by key and of its data resources by
// identifier, and the readers that fetch a resource's bytes from the bundle's
// resource folder through the editor library's platform resource streams.
//
// Every routine only reads the patch or record it is given. Results come back
// by value; an array in a result is malloc'ed and belongs to the caller, who
// releases it with free. Interface only: nothing in the plug-in calls them.
#pragma once

#include <cstdint>

#include "dsp/patch.h"

// Sample values, or the numbers of a property list.
struct patch_samples_t
{
    float* data; // count floats, or null
    int32_t count;
    int32_t channels;
    int32_t sample_rate;
};

// The bytes of a resource as read.
struct patch_blob_t
{
    uint8_t* data; // null when nothing was read
    int32_t size;  // the count the stream reported: -1 after a stream error
};

// Property look-ups. Slots are searched from the first; the first record whose
// key equals the key exactly (case included) is the match. An absent key
// gives 0.0, 0, and a shared static empty text.
float patch_get_property_float(const patch_t* patch, const char* key);
int32_t patch_get_property_int(const patch_t* patch, const char* key);
// Points into the record itself, valid as long as the patch; never write
// through it.
const char* patch_get_property_string(const patch_t* patch, const char* key);
// A comma-separated list of numbers; runs of commas and leading or trailing
// commas add no value. Absent key: data null, count 0. Either way channels is
// 1 and sample_rate -1.
patch_samples_t patch_get_property_float_list(const patch_t* patch, const char* key);

// Resource look-ups: the first non-null slot whose id equals the given id.
const patch_resource_t* patch_find_resource(const patch_t* patch, int32_t id);
// Null for an absent id.
const char* patch_get_resource_name(const patch_t* patch, int32_t id);
// Null for a null record.
const char* patch_resource_name(const patch_resource_t* resource);
// A copy of the whole record; a zero-filled record for an absent id.
patch_resource_t patch_copy_resource(const patch_t* patch, int32_t id);

// Reads record->size bytes of the named resource. A read that delivers another
// count prints a warning to standard output and returns what it got, with the
// count read as size. An absent record, a resource that cannot be opened or a
// negative size give data null and size 0.
patch_blob_t patch_resource_read_bytes(const patch_resource_t* resource);
patch_blob_t patch_load_resource_bytes(const patch_t* patch, int32_t id);

// Reads the resource as a sample table: three big-endian 32-bit header words
// (sample rate, channels, N), then N big-endian signed 32-bit words, each
// scaled by 2^-24. Only words that were actually read are decoded: a resource
// that ends early yields the whole words it holds, and count says how many.
// Nothing read, a stream error, fewer than 12 bytes or a negative N give the
// empty result (data null, count, channels and sample_rate 0).
patch_samples_t patch_resource_read_samples(const patch_resource_t* resource);
patch_samples_t patch_load_resource_samples(const patch_t* patch, int32_t id);
