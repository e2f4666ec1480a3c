// Small stand-alone helpers that belong to the engine's interface. None keeps
// state or touches a patch. Interface only: nothing in the plug-in calls them.
#pragma once

#include <cstdint>
#include <cstdio>

// A colour split into its channels, each 0 to 255.
struct patch_color_t
{
    int32_t red;
    int32_t green;
    int32_t blue;
    int32_t alpha;
};

// Pointer holder: a pointer-sized slot that owns a malloc'ed block or holds null.
void** patch_holder_init(void** holder);
void** patch_holder_init_b(void** holder);
// Frees the held block; the holder keeps its value until patch_holder_init.
void patch_holder_free(void** holder);
void patch_holder_free_b(void** holder);
bool patch_holder_is_empty(void** holder);

// Stores a and b in the first two 32-bit fields of object; ignored is not read.
void* patch_pair_init(void* object, int64_t ignored, int32_t a, int32_t b);

int64_t patch_pass_through(int64_t value);
int64_t patch_stub_self(int64_t value);
int64_t patch_stub_self_b(int64_t value);
int64_t patch_stub_zero();
int64_t patch_stub_zero_b();
int64_t patch_stub_zero_c();
void patch_stub_empty();

// Prints message and a line end to standard output, then closes stream and
// frees buffer, each when not null.
void patch_report_error(const char* message, FILE* stream, void* buffer);

// Unpacks a colour laid out alpha, red, green, blue from the top byte down.
patch_color_t* patch_color_from_argb(patch_color_t* color, uint32_t argb);

// A rough text width: 10 per byte; 0 for null.
int32_t patch_text_width(const void* context, const char* text);
