// A single-writer, single-reader hand-over of ProcessorValues between the
// host's main thread and its audio thread, without locks or allocation.
//
// It is a sequence lock over atomic fields, without fences: the writer makes
// the sequence odd, stores the fields (release), and makes it even again
// (release); a reader that sees the same even sequence before (acquire) and
// after loading the fields (acquire) has a consistent copy. Every shared
// access is atomic, so there is no data race whichever thread is preempted
// where; a reader can only be told "try again".
#pragma once

#include <atomic>
#include <cstdint>

#include "processorvalues.h"

namespace quorvelware
{

class ValueSlot
{
public:
    ValueSlot();

    // Only one thread may write at a time. Returns the sequence number that
    // now identifies these values (always even, never 0).
    uint32_t write(const ProcessorValues& values);

    // Copies the values and their sequence number when no write overlapped the
    // copy; false means a write was in progress, and nothing is reliable.
    // Never blocks: fit for the audio thread.
    bool tryRead(ProcessorValues& values, uint32_t& sequence) const;

    // Retries until a copy is consistent. For the main thread only: the
    // audio-thread writer never blocks, so this ends within a write's time.
    ProcessorValues read() const;

    // The sequence number of the last completed write (odd while writing).
    uint32_t sequence() const { return seq_.load(std::memory_order_acquire); }

private:
    std::atomic<uint32_t> seq_{0};
    std::atomic<bool> bypass_{false};
    std::atomic<float> plain_[kSoundParamCount];
};

} // namespace quorvelware
