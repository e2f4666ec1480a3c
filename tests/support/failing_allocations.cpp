#include "support/failing_allocations.h"

#include <atomic>
#include <cstdlib>
#include <new>

namespace
{
// Below zero: no failures armed.
std::atomic<long> gAllowed{-1};
std::atomic<bool> gRefused{false};

void* allocate(std::size_t size)
{
    long allowed = gAllowed.load();
    while (allowed >= 0)
    {
        if (allowed == 0)
        {
            gRefused = true;
            return nullptr;
        }
        if (gAllowed.compare_exchange_weak(allowed, allowed - 1))
            break;
    }
    return std::malloc(size == 0 ? 1 : size);
}
} // namespace

namespace ferrulith::test
{
FailingAllocations::FailingAllocations(long allowed)
{
    gRefused = false;
    gAllowed = allowed;
}

FailingAllocations::~FailingAllocations()
{
    gAllowed = -1;
}

bool FailingAllocations::refusedAny() const
{
    return gRefused;
}
} // namespace ferrulith::test

void* operator new(std::size_t size)
{
    if (void* p = allocate(size))
        return p;
    throw std::bad_alloc();
}

void* operator new[](std::size_t size)
{
    return operator new(size);
}

void* operator new(std::size_t size, const std::nothrow_t&) noexcept
{
    return allocate(size);
}

void* operator new[](std::size_t size, const std::nothrow_t&) noexcept
{
    return allocate(size);
}

void operator delete(void* p) noexcept
{
    std::free(p);
}

void operator delete[](void* p) noexcept
{
    std::free(p);
}

void operator delete(void* p, std::size_t) noexcept
{
    std::free(p);
}

void operator delete[](void* p, std::size_t) noexcept
{
    std::free(p);
}

void operator delete(void* p, const std::nothrow_t&) noexcept
{
    std::free(p);
}

void operator delete[](void* p, const std::nothrow_t&) noexcept
{
    std::free(p);
}
