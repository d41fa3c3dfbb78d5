// Thread objects: one thread at a time, Join on an idle object, restarting after Join, and the
// running flag.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <thread>

#include <pthread.h>

#include "Kestrum/Threads/Thread.h"

namespace
{
	class Gate : public Kestrum::Threads::Thread
	{
	public:
		~Gate() override { Join(); }

		void Run() override
		{
			++runs;
			while (!open)
				std::this_thread::sleep_for(std::chrono::milliseconds(1));
		}

		std::atomic<int> runs{0};
		std::atomic<bool> open{false};
	};
}

TEST(Thread, StartsOnceUntilJoined)
{
	Gate gate;
	gate.Join(); // never started: nothing happens
	EXPECT_FALSE(gate.Running());

	EXPECT_TRUE(gate.StartInThread());
	EXPECT_FALSE(gate.StartInThread());
	while (!gate.Running())
		std::this_thread::sleep_for(std::chrono::milliseconds(1));
	EXPECT_EQ(1, gate.runs);

	gate.open = true;
	gate.Join();
	EXPECT_FALSE(gate.Running());
	EXPECT_EQ(1, gate.runs);

	EXPECT_TRUE(gate.StartInThread());
	gate.Join();
	EXPECT_EQ(2, gate.runs);
}

TEST(Thread, ObjectLockIsTheObjectsOwn)
{
	Gate a, b;
	a.Lock();
	EXPECT_FALSE(a.TryLock());
	EXPECT_TRUE(b.TryLock());
	b.Unlock();
	a.Unlock();

	// Destroying an object whose Run still waits joins it first.
	Gate* pGate = new Gate;
	pGate->StartInThread();
	std::thread opener([pGate] {
		std::this_thread::sleep_for(std::chrono::milliseconds(20));
		pGate->open = true;
	});
	delete pGate;
	opener.join();
}

namespace
{
	// Makes every later thread ask for a stack no system can give, so creating one fails.
	void RefuseNewThreads()
	{
		pthread_attr_t attr;
		pthread_attr_init(&attr);
		pthread_attr_setstacksize(&attr, size_t(1) << 46);
		pthread_setattr_default_np(&attr);
		pthread_attr_destroy(&attr);
	}

	void StartWhenThreadsAreRefused()
	{
		RefuseNewThreads();
		Gate gate;
		gate.open = true;
		bool bStarted = gate.StartInThread();
		gate.Join();
		exit(!bStarted && !gate.Running() && gate.runs == 0 ? 0 : 1);
	}
}

// The system refusing a thread is a failed start, not a thread that silently never runs.
TEST(ThreadDeathTest, RefusedThreadIsAFailedStart)
{
	EXPECT_EXIT(StartWhenThreadsAreRefused(), testing::ExitedWithCode(0), "");
}
