// tthread::thread: running, joining and detaching threads, and the process-wide thread ids.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

#include "Kestrum/Threads/TinyThread.h"

namespace
{
	struct IdProbe
	{
		tthread::thread::id first;
		tthread::thread::id second;
		std::atomic<bool> release{false};
	};

	void RecordIds(void* pArg)
	{
		IdProbe* probe = static_cast<IdProbe*>(pArg);
		probe->first = tthread::this_thread::get_id();
		probe->second = tthread::this_thread::get_id();
		while (!probe->release)
			std::this_thread::sleep_for(std::chrono::milliseconds(1));
	}

	void Increment(void* pArg) { ++*static_cast<std::atomic<int>*>(pArg); }
}

TEST(TinyThread, IdsAreStablePerThreadAndDistinctBetweenThreads)
{
	IdProbe a, b;
	tthread::thread ta(RecordIds, &a);
	tthread::thread tb(RecordIds, &b);
	EXPECT_TRUE(ta.joinable());
	// Asked from outside while the thread runs, the id is the one the thread sees.
	while (a.first == tthread::thread::id() || b.first == tthread::thread::id())
		std::this_thread::sleep_for(std::chrono::milliseconds(1));
	EXPECT_EQ(a.first, ta.get_id());
	a.release = b.release = true;
	ta.join();
	tb.join();

	EXPECT_EQ(a.first, a.second);
	EXPECT_EQ(b.first, b.second);
	EXPECT_NE(a.first, b.first);
	EXPECT_NE(tthread::thread::id(), a.first);
	EXPECT_NE(a.first, tthread::this_thread::get_id());
	EXPECT_EQ(tthread::this_thread::get_id(), tthread::this_thread::get_id());

	EXPECT_FALSE(ta.joinable());
	EXPECT_EQ(tthread::thread::id(), ta.get_id());
	EXPECT_GE(tthread::thread::hardware_concurrency(), 1u);
}

TEST(TinyThread, JoinDetachAndThreadsThatEndedOnTheirOwn)
{
	tthread::thread none;
	EXPECT_FALSE(none.joinable());
	none.join();

	// Ended on its own: no longer joinable, and join still reclaims it.
	std::atomic<int> iCount{0};
	{
		tthread::thread quick(Increment, &iCount);
		while (quick.joinable())
			std::this_thread::sleep_for(std::chrono::milliseconds(1));
		quick.join();
	}
	// Ended on its own and never joined: destroying the object is allowed.
	{
		tthread::thread quick(Increment, &iCount);
		while (quick.joinable())
			std::this_thread::sleep_for(std::chrono::milliseconds(1));
	}
	EXPECT_EQ(2, iCount);

	// A detached thread may outlive its object.
	IdProbe* probe = new IdProbe;
	{
		tthread::thread detached(RecordIds, probe);
		detached.detach();
		EXPECT_FALSE(detached.joinable());
	}
	while (probe->first == tthread::thread::id())
		std::this_thread::sleep_for(std::chrono::milliseconds(1));
	probe->release = true;
	std::this_thread::sleep_for(std::chrono::milliseconds(20));
	delete probe;
}
