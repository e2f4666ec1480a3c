#include "valueslot.h"

#include <thread>

namespace quorvelware
{

ValueSlot::ValueSlot()
{
    for (auto& value : plain_)
        value.store(0.0f, std::memory_order_relaxed);
}

uint32_t ValueSlot::write(const ProcessorValues& values)
{
    const uint32_t start = seq_.load(std::memory_order_relaxed);
    seq_.store(start + 1, std::memory_order_relaxed);
    // Release stores: a reader that sees any new field also sees the odd
    // sequence stored before it, and so knows its copy may be mixed.
    bypass_.store(values.bypass, std::memory_order_release);
    for (int k = 0; k < kSoundParamCount; ++k)
        plain_[k].store(values.plain[k], std::memory_order_release);
    seq_.store(start + 2, std::memory_order_release);
    return start + 2;
}

bool ValueSlot::tryRead(ProcessorValues& values, uint32_t& sequence) const
{
    const uint32_t before = seq_.load(std::memory_order_acquire);
    if (before & 1u)
        return false;
    ProcessorValues copy;
    // Acquire loads keep the second sequence load below after them.
    copy.bypass = bypass_.load(std::memory_order_acquire);
    for (int k = 0; k < kSoundParamCount; ++k)
        copy.plain[k] = plain_[k].load(std::memory_order_acquire);
    if (seq_.load(std::memory_order_relaxed) != before)
        return false;
    values = copy;
    sequence = before;
    return true;
}

ProcessorValues ValueSlot::read() const
{
    ProcessorValues values;
    uint32_t sequence = 0;
    while (!tryRead(values, sequence))
        std::this_thread::yield();
    return values;
}

} // namespace quorvelware
