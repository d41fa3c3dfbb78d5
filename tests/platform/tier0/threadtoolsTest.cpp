// Reader-writer lock of the tier0 stand-in: readers share, writers exclude everyone.
#include "tier0/threadtools.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

TEST(Tier0RWLock, ReadersShareTheLock) {
    CThreadRWLock lock;
    lock.LockForRead();
    std::atomic<bool> secondReaderIn{false};
    std::thread t([&] {
        lock.LockForRead();
        secondReaderIn = true;
        lock.UnlockRead();
    });
    t.join();  // would hang if readers excluded each other
    EXPECT_TRUE(secondReaderIn);
    lock.UnlockRead();
}

TEST(Tier0RWLock, WritersExcludeReadersAndWriters) {
    CThreadRWLock lock;
    long counter = 0;  // unguarded apart from the lock: races would lose increments
    std::atomic<bool> torn{false};
    std::vector<std::thread> threads;
    for (int w = 0; w < 4; ++w)
        threads.emplace_back([&] {
            for (int i = 0; i < 2000; ++i) {
                lock.LockForWrite();
                long before = counter;
                counter = before + 1;
                lock.UnlockWrite();
            }
        });
    for (int r = 0; r < 4; ++r)
        threads.emplace_back([&] {
            for (int i = 0; i < 2000; ++i) {
                lock.LockForRead();
                long a = counter;
                long b = counter;
                if (a != b) torn = true;
                lock.UnlockRead();
            }
        });
    for (std::thread &t : threads) t.join();
    EXPECT_EQ(counter, 8000);
    EXPECT_FALSE(torn);
}
