// The block routine against the step called frame by frame, on every vector
// path this machine runs: blocks of 1 to 4096 frames at common and odd sample rates,
// every kind of input, parameter edits, bypass toggles, thresholds on the
// window sums and the fields a caller may write changing between blocks;
// in-place, missing and separate buffers. After every block each output frame
// and every field of the two patches must agree bit for bit.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "dsp/patch.h"
#include "dsp/patch_internal.h"
#include "dsp/vector_paths.h"
#include "float_bits.h"
#include "patch_ptr.h"
#include "patch_state_diff.h"
#include "random_session.h"

namespace
{

using namespace ferrulith::test::random_session;

using ferrulith::test::PatchPtr;

constexpr int kMaxBlock = 4096;

// How the caller hands its buffers over.
enum class Buffers
{
    separate,
    in_place, // each output is its input
    no_right, // no right input, no right output
    count
};

int block_size(Rng& rng)
{
    switch (rng.below(8))
    {
    case 0:
        return 1 + rng.below(kMaxBlock);
    case 1:
    case 2:
        return 1 + rng.below(3); // short blocks keep the thresholds on their sums
    default:
        return 1 + rng.below(300);
    }
}

// `hash` gets the hash of the outputs, the same on every path.
void run_blocks(const patch_vector_path_t* path, float rate, uint64_t seed, int frames,
                uint64_t& hash)
{
    hash = kHashStart;
    PatchPtr stepped(patch_create(rate));
    PatchPtr blocked(patch_create(rate));
    ASSERT_TRUE(stepped && blocked);
    Session session(rate, seed);
    Rng& rng = session.random();
    auto both = [&](auto&& write)
    {
        write(stepped.get());
        write(blocked.get());
    };

    std::vector<float> in_l(kMaxBlock), in_r(kMaxBlock);
    std::vector<float> want_l(kMaxBlock), want_r(kMaxBlock);
    std::vector<float> out_l(kMaxBlock), out_r(kMaxBlock);
    int blocks = 0;
    for (int done = 0; done < frames; ++blocks)
    {
        const int n = block_size(rng);
        const Buffers buffers = static_cast<Buffers>(rng.below(static_cast<int>(Buffers::count)));
        for (int i = 0; i < n; ++i)
        {
            float frame[2];
            session.next_frame(frame);
            if (i == 0)
                session.edit(*stepped, frame, both);
            in_l[i] = frame[0];
            in_r[i] = buffers == Buffers::no_right ? 0.0f : frame[1];
        }

        for (int i = 0; i < n; ++i)
        {
            const float frame[2] = {in_l[i], in_r[i]};
            patch_process_sample(stepped.get(), frame);
            want_l[i] = stepped->out_l->value;
            want_r[i] = stepped->out_r->value;
            hash = hash_bits(hash_bits(hash, want_l[i]), want_r[i]);
        }

        const float* block_in_r = buffers == Buffers::no_right ? nullptr : in_r.data();
        float* block_out_r = buffers == Buffers::no_right ? nullptr : out_r.data();
        if (buffers == Buffers::in_place)
        {
            out_l = in_l;
            out_r = in_r;
            block_in_r = out_r.data();
            patch_process_block_on(path, blocked.get(), out_l.data(), block_in_r, out_l.data(),
                                   block_out_r, n);
        }
        else
        {
            patch_process_block_on(path, blocked.get(), in_l.data(), block_in_r, out_l.data(),
                                   block_out_r, n);
        }

        for (int i = 0; i < n; ++i)
        {
            ASSERT_EQ(bits_of(want_l[i]), bits_of(out_l[i]))
                << path->name << ", left, frame " << done + i << ", rate " << rate;
            if (block_out_r)
            {
                ASSERT_EQ(bits_of(want_r[i]), bits_of(out_r[i]))
                    << path->name << ", right, frame " << done + i << ", rate " << rate;
            }
        }
        ASSERT_EQ("", ferrulith::test::patch_diff::first_difference(*stepped, *blocked))
            << path->name << ", block of " << n << " ending at frame " << done + n << ", rate "
            << rate;
        done += n;
    }
    // The run must have spent real time on the threshold.
    EXPECT_GT(session.threshold_edits(), blocks / 20);
}

} // namespace

TEST(BlockMatchesTheStep, OnRandomizedSessionsOnEveryVectorPath)
{
    const patch_vector_path_t* paths[PATCH_VECTOR_PATHS_MAX];
    const int32_t count = patch_runnable_vector_paths(paths);
    // The Linux and the Windows build must both give these bits.
    const struct
    {
        float rate;
        uint64_t hash;
    } sessions[] = {{44100.0f, 1599552129743900316u},   {48000.0f, 8560170329899842908u},
                    {96000.0f, 11875359281353488057u},  {8000.0f, 15913842527050218616u},
                    {192000.0f, 11139003813038517916u}, {22050.5f, 2805448019514603530u}};
    for (int32_t p = 0; p < count; ++p)
    {
        uint64_t seed = 11;
        for (const auto& session : sessions)
        {
            uint64_t hash = 0;
            run_blocks(paths[p], session.rate, seed++, 40000, hash);
            EXPECT_EQ(hash, session.hash) << paths[p]->name << ", rate " << session.rate;
        }
    }
}
