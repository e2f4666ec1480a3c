#include "support/realtime_guard.h"

#include <atomic>
#include <cstddef>
#include <dlfcn.h>
#include <pthread.h>
#include <semaphore.h>

// glibc's own entry points, which the replacements below forward to.
extern "C" void* __libc_malloc(size_t);
extern "C" void* __libc_calloc(size_t, size_t);
extern "C" void* __libc_realloc(void*, size_t);
extern "C" void* __libc_memalign(size_t, size_t);
extern "C" void __libc_free(void*);

namespace
{
// Initial-exec thread-locals of the executable: reading them allocates nothing.
thread_local bool tArmed = false;
thread_local long tHeapCalls = 0;
thread_local long tLockCalls = 0;

void heapCall()
{
    if (tArmed)
        ++tHeapCalls;
}

void lockCall()
{
    if (tArmed)
        ++tLockCalls;
}

// The library's own function, found on first use: no function-local static,
// whose guard could itself take a lock.
template <class Function> Function next(std::atomic<Function>& slot, const char* name)
{
    Function f = slot.load(std::memory_order_relaxed);
    if (!f)
    {
        f = reinterpret_cast<Function>(dlsym(RTLD_NEXT, name));
        slot.store(f, std::memory_order_relaxed);
    }
    return f;
}
} // namespace

namespace ferrulith::test
{
RealtimeGuard::RealtimeGuard()
{
    tHeapCalls = 0;
    tLockCalls = 0;
    tArmed = true;
}

RealtimeGuard::~RealtimeGuard()
{
    tArmed = false;
}

long RealtimeGuard::heapCalls() const
{
    return tHeapCalls;
}

long RealtimeGuard::lockCalls() const
{
    return tLockCalls;
}
} // namespace ferrulith::test

extern "C"
{
    void* malloc(size_t size)
    {
        heapCall();
        return __libc_malloc(size);
    }

    void* calloc(size_t count, size_t size)
    {
        heapCall();
        return __libc_calloc(count, size);
    }

    void* realloc(void* p, size_t size)
    {
        heapCall();
        return __libc_realloc(p, size);
    }

    void free(void* p)
    {
        if (p)
            heapCall();
        __libc_free(p);
    }

    void* memalign(size_t alignment, size_t size)
    {
        heapCall();
        return __libc_memalign(alignment, size);
    }

    void* aligned_alloc(size_t alignment, size_t size)
    {
        heapCall();
        return __libc_memalign(alignment, size);
    }

    int posix_memalign(void** out, size_t alignment, size_t size)
    {
        heapCall();
        void* p = __libc_memalign(alignment, size);
        if (!p)
            return 12; // ENOMEM
        *out = p;
        return 0;
    }

    int pthread_mutex_lock(pthread_mutex_t* m)
    {
        lockCall();
        static std::atomic<int (*)(pthread_mutex_t*)> slot{nullptr};
        auto real = next(slot, "pthread_mutex_lock");
        return real(m);
    }

    int pthread_mutex_trylock(pthread_mutex_t* m)
    {
        lockCall();
        static std::atomic<int (*)(pthread_mutex_t*)> slot{nullptr};
        auto real = next(slot, "pthread_mutex_trylock");
        return real(m);
    }

    int pthread_rwlock_rdlock(pthread_rwlock_t* l)
    {
        lockCall();
        static std::atomic<int (*)(pthread_rwlock_t*)> slot{nullptr};
        auto real = next(slot, "pthread_rwlock_rdlock");
        return real(l);
    }

    int pthread_rwlock_wrlock(pthread_rwlock_t* l)
    {
        lockCall();
        static std::atomic<int (*)(pthread_rwlock_t*)> slot{nullptr};
        auto real = next(slot, "pthread_rwlock_wrlock");
        return real(l);
    }

    int pthread_cond_wait(pthread_cond_t* c, pthread_mutex_t* m)
    {
        lockCall();
        static std::atomic<int (*)(pthread_cond_t*, pthread_mutex_t*)> slot{nullptr};
        auto real = next(slot, "pthread_cond_wait");
        return real(c, m);
    }

    int sem_wait(sem_t* s)
    {
        lockCall();
        static std::atomic<int (*)(sem_t*)> slot{nullptr};
        auto real = next(slot, "sem_wait");
        return real(s);
    }
}
