// The spin lock: exclusive between threads, and TryLock never takes a held lock.
#include <gtest/gtest.h>

#include <thread>
#include <vector>

#include "Kestrum/Threads/Mutex.h"

using Kestrum::Threads::Mutex;

TEST(Mutex, TryLockOnAHeldLockFailsAndLeavesItHeld)
{
	Mutex mutex;
	EXPECT_TRUE(mutex.TryLock());
	EXPECT_FALSE(mutex.TryLock());
	EXPECT_FALSE(mutex.TryLock());
	mutex.Unlock();
	EXPECT_TRUE(mutex.TryLock());
	mutex.Unlock();
	mutex.Lock();
	EXPECT_FALSE(mutex.TryLock());
	mutex.Unlock();
}

TEST(Mutex, KeepsCountersExactUnderContention)
{
	Mutex mutex;
	long iCount = 0;
	std::vector<std::thread> threads;
	for (int t = 0; t < 4; ++t)
		threads.emplace_back([&] {
			for (int i = 0; i < 20000; ++i)
			{
				mutex.Lock();
				++iCount;
				mutex.Unlock();
			}
		});
	for (auto& thread : threads)
		thread.join();
	EXPECT_EQ(80000, iCount);
}
