#include "valuehandover.h"

namespace quorvelware
{

void ValueHandOver::restart(const ProcessorValues& values)
{
    // No block runs, so this thread may write what the audio thread otherwise
    // owns.
    lastGiven = values;
    fromAudio.write(values);
    takenInBlock = givenSequence;
    taken.store(givenSequence, std::memory_order_release);
}

void ValueHandOver::give(const ProcessorValues& values)
{
    lastGiven = values;
    givenSequence = toAudio.write(values);
}

ProcessorValues ValueHandOver::latest() const
{
    if (taken.load(std::memory_order_acquire) != givenSequence)
        return lastGiven;
    return fromAudio.read();
}

bool ValueHandOver::take(ProcessorValues& values)
{
    // Only this thread stores `taken` while blocks run.
    takenInBlock = taken.load(std::memory_order_relaxed);
    ProcessorValues given;
    uint32_t sequence = 0;
    if (!toAudio.tryRead(given, sequence) || sequence == takenInBlock)
        return false;
    takenInBlock = sequence;
    values = given;
    return true;
}

void ValueHandOver::publish(const ProcessorValues& values)
{
    fromAudio.write(values);
    taken.store(takenInBlock, std::memory_order_release);
}

} // namespace quorvelware
