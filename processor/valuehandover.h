// The processor's values on their way between the host's main thread and its
// audio thread, without locks or allocation.
//   Main thread: give (setState) and latest (getState, deactivation) at any
//   time; restart (activation) only while no block runs.
//   Audio thread: take at the start of every block, publish at its end.
#pragma once

#include <atomic>
#include <cstdint>

#include "processorvalues.h"
#include "valueslot.h"

namespace quorvelware
{

class ValueHandOver
{
public:
    // The sound starts from these values, as if a block had ended with them.
    void restart(const ProcessorValues& values);

    // Values for the next block to take.
    void give(const ProcessorValues& values);

    // What the next block runs with: the values last given while the audio
    // thread has not taken them yet (saving anything else would lose them),
    // else those the last block ended with.
    ProcessorValues latest() const;

    // True, with the values given since the last take. A copy torn by a
    // concurrent give is passed over; the next block takes the finished one.
    bool take(ProcessorValues& values);

    // The values the block ended with.
    void publish(const ProcessorValues& values);

private:
    ValueSlot toAudio;
    ValueSlot fromAudio;

    // Main thread only.
    ProcessorValues lastGiven;
    uint32_t givenSequence = 0;

    // Audio thread only: the sequence of the values this block runs with.
    uint32_t takenInBlock = 0;
    // The sequence the audio thread has taken; stored after fromAudio is
    // written, so once it matches givenSequence the main thread knows that
    // fromAudio includes those values.
    std::atomic<uint32_t> taken{0};
};

} // namespace quorvelware
