// Hosts call addRef and release from any thread: the count must never lose
// an update, or objects die early or leak.
#include "base/source/fobject.h"

#include <gtest/gtest.h>

#include <thread>
#include <vector>

using namespace Steinberg;

TEST(FObjectConcurrency, AddRefAndReleaseFromManyThreadsKeepTheCount)
{
    auto* object = new FObject;
    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t)
        threads.emplace_back(
            [object]
            {
                for (int i = 0; i < 20000; ++i)
                {
                    object->addRef();
                    object->release();
                }
            });
    for (auto& thread : threads)
        thread.join();
    EXPECT_EQ(object->getRefCount(), 1);
    EXPECT_EQ(object->release(), 0u);
}
