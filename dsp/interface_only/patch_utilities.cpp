#include "dsp/interface_only/patch_utilities.h"

#include <cstdlib>
#include <cstring>

void** patch_holder_init(void** holder)
{
    *holder = nullptr;
    return holder;
}

void** patch_holder_init_b(void** holder)
{
    return patch_holder_init(holder);
}

void patch_holder_free(void** holder)
{
    if (*holder != nullptr)
        free(*holder);
}

void patch_holder_free_b(void** holder)
{
    patch_holder_free(holder);
}

bool patch_holder_is_empty(void** holder)
{
    return *holder == nullptr;
}

void* patch_pair_init(void* object, int64_t ignored, int32_t a, int32_t b)
{
    (void)ignored;
    // The object is only known to begin with two 32-bit fields: write bytes.
    memcpy(static_cast<char*>(object), &a, sizeof a);
    memcpy(static_cast<char*>(object) + sizeof a, &b, sizeof b);
    return object;
}

int64_t patch_pass_through(int64_t value)
{
    return value;
}

int64_t patch_stub_self(int64_t value)
{
    return value;
}

int64_t patch_stub_self_b(int64_t value)
{
    return value;
}

int64_t patch_stub_zero()
{
    return 0;
}

int64_t patch_stub_zero_b()
{
    return 0;
}

int64_t patch_stub_zero_c()
{
    return 0;
}

void patch_stub_empty() {}

void patch_report_error(const char* message, FILE* stream, void* buffer)
{
    printf("%s\n", message);
    if (stream != nullptr)
        fclose(stream);
    if (buffer != nullptr)
        free(buffer);
}

patch_color_t* patch_color_from_argb(patch_color_t* color, uint32_t argb)
{
    color->red = static_cast<int32_t>((argb >> 16) & 0xFFu);
    color->green = static_cast<int32_t>((argb >> 8) & 0xFFu);
    color->blue = static_cast<int32_t>(argb & 0xFFu);
    color->alpha = static_cast<int32_t>((argb >> 24) & 0xFFu);
    return color;
}

int32_t patch_text_width(const void* context, const char* text)
{
    (void)context;
    if (text == nullptr)
        return 0;
    // 32-bit arithmetic, wrapping rather than overflowing on absurd lengths.
    uint32_t width = static_cast<uint32_t>(strlen(text)) * 10u;
    return static_cast<int32_t>(width);
}
