// Counts the calls a real-time thread must never make: heap allocation and
// release, and waiting on a lock. While a RealtimeGuard lives, every such call
// made on its own thread is counted; other threads are not watched. Only the
// test programs that compile realtime_guard.cpp get the counting, which
// replaces malloc and the pthread lock calls for the whole program (so it
// cannot be combined with a sanitizer's own replacements).
#pragma once

namespace ferrulith::test
{

class RealtimeGuard
{
public:
    RealtimeGuard();
    ~RealtimeGuard();
    RealtimeGuard(const RealtimeGuard&) = delete;
    RealtimeGuard& operator=(const RealtimeGuard&) = delete;

    long heapCalls() const;
    long lockCalls() const;
};

} // namespace ferrulith::test
