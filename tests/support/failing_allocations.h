// Makes the process's operator new fail on demand, to show that running out of
// memory inside a plug-in call ends in a result code, never in an exception
// that crosses the interface. Only the test programs that compile
// failing_allocations.cpp get this allocator; it replaces operator new for the
// whole program.
#pragma once

namespace ferrulith::test
{

// While one lives, the first `allowed` allocations succeed and every later one
// fails (std::bad_alloc, or null for the nothrow forms).
class FailingAllocations
{
public:
    explicit FailingAllocations(long allowed);
    ~FailingAllocations();
    FailingAllocations(const FailingAllocations&) = delete;
    FailingAllocations& operator=(const FailingAllocations&) = delete;

    // True once an allocation was refused.
    bool refusedAny() const;
};

} // namespace ferrulith::test
