// Alone in this file so a test can replace it at link time.
#include "dsp/patch_internal.h"

#include <cstdlib>

void* patch_heap_alloc(size_t size)
{
    return malloc(size);
}
