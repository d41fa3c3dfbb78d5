// Thread objects: one thread at a time, Join on an idle object, restarting after Join, and the
// running flag.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

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
