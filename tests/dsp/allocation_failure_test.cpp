// Running out of memory while building a patch: every allocation in turn is made
// to fail, and the builder must hand back null having freed what it took (the
// sanitizer build reports any leak).
#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

#include "dsp/patch.h"
#include "dsp/patch_internal.h"

namespace
{

// -1: never fail. Otherwise the index of the request to refuse.
int g_fail_at = -1;
int g_requests = 0;
std::vector<size_t> g_sizes;

} // namespace

// Replaces the engine's own allocator for this executable only.
void* patch_heap_alloc(size_t size)
{
    const int index = g_requests++;
    g_sizes.push_back(size);
    if (index == g_fail_at)
        return nullptr;
    return malloc(size);
}

namespace
{

void count_from_zero(int fail_at)
{
    g_fail_at = fail_at;
    g_requests = 0;
    g_sizes.clear();
}

} // namespace

TEST(PatchCreateOutOfMemory, EveryFailedAllocationGivesNullAndLeaksNothing)
{
    count_from_zero(-1);
    patch_t* complete = patch_create(44100.0f);
    ASSERT_NE(complete, nullptr);
    patch_destroy(complete);
    const int total = g_requests;
    const std::vector<size_t> sizes = g_sizes;
    // The record, its name, five arrays, twelve records, aux and two windows.
    ASSERT_EQ(22, total);

    for (int fail_at = 0; fail_at < total; ++fail_at)
    {
        count_from_zero(fail_at);
        patch_t* patch = patch_create(44100.0f);
        if (sizes[fail_at] == 0)
        {
            // A zero-length array may come back null without anything missing:
            // the patch must still be whole and usable.
            ASSERT_NE(patch, nullptr) << "request " << fail_at;
            const float frame[2] = {0.5f, 0.5f};
            patch_process_sample(patch, frame);
            patch_destroy(patch);
        }
        else
        {
            EXPECT_EQ(patch, nullptr)
                << "request " << fail_at << " of " << sizes[fail_at] << " bytes";
            // Nothing after the failed request is attempted.
            EXPECT_EQ(fail_at + 1, g_requests);
        }
    }
    count_from_zero(-1);
}

TEST(PatchCreateOutOfMemory, ZeroFilledAllocatorReportsFailureWithoutWriting)
{
    count_from_zero(0);
    EXPECT_EQ(nullptr, patch_alloc_floats(256));
    count_from_zero(0);
    EXPECT_EQ(nullptr, patch_alloc_words(4));
    count_from_zero(-1);
}
