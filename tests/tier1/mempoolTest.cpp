// CUtlMemoryPool: block sizes and alignment, the three grow modes, Clear and leak reports.
#include <gtest/gtest.h>

#include <cstdarg>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <set>
#include <string>
#include <vector>

#include "tier1/mempool.h"

TEST(MemoryPool, BlockSizeHoldsALinkAndFollowsAlignment)
{
	struct Case
	{
		int requested;
		unsigned short alignment;
		int blockSize;
	};
	const Case cases[] = {
		{1, 8, 8}, {1, 0, static_cast<int>(sizeof(void *))}, {12, 0, 12}, {12, 16, 16}, {33, 4, 36}, {-5, 1, static_cast<int>(sizeof(void *))},
	};
	for (const Case &c : cases)
	{
		CUtlMemoryPool pool(c.requested, 4, CUtlMemoryPool::GROW_SLOW, "test", c.alignment);
		EXPECT_EQ(pool.BlockSize(), c.blockSize) << c.requested << "/" << c.alignment;
		char *previous = nullptr;
		for (int i = 0; i < 4; ++i)
		{
			char *block = static_cast<char *>(pool.Alloc());
			ASSERT_NE(block, nullptr);
			if (c.alignment)
			{
				EXPECT_EQ(reinterpret_cast<uintptr_t>(block) % c.alignment, 0u);
			}
			if (previous)
			{
				EXPECT_EQ(block - previous, c.blockSize);  // blocks of one blob in address order
			}
			memset(block, 0xAB, static_cast<size_t>(pool.BlockSize()));  // the whole block is ours
			previous = block;
		}
	}
}

TEST(MemoryPool, GrowModesSizeTheirBlobs)
{
	struct Step
	{
		int allocations;
		int blobs;
	};
	struct Case
	{
		int mode;
		std::vector<Step> steps;
	};
	const Case cases[] = {
		{CUtlMemoryPool::GROW_FAST, {{0, 1}, {10, 1}, {11, 2}, {30, 2}, {31, 3}, {60, 3}, {61, 4}}},  // 10, 20, 30, ...
		{CUtlMemoryPool::GROW_SLOW, {{10, 1}, {11, 2}, {20, 2}, {21, 3}}},
	};
	for (const Case &c : cases)
	{
		CUtlMemoryPool pool(16, 10, c.mode);
		std::set<void *> seen;
		int done = 0;
		for (const Step &step : c.steps)
		{
			for (; done < step.allocations; ++done)
			{
				void *block = pool.Alloc();
				ASSERT_NE(block, nullptr);
				EXPECT_TRUE(seen.insert(block).second);
			}
			EXPECT_EQ(pool.NumBlobs(), step.blobs) << "mode " << c.mode << " after " << done;
		}
		EXPECT_EQ(pool.Count(), done);
	}

	CUtlMemoryPool fixed(16, 10, CUtlMemoryPool::GROW_NONE);
	for (int i = 0; i < 10; ++i)
		EXPECT_NE(fixed.Alloc(), nullptr);
	EXPECT_EQ(fixed.Alloc(), nullptr);
	EXPECT_EQ(fixed.NumBlobs(), 1);
}

TEST(MemoryPool, SizedAllocClearAndRefusedBlobs)
{
	CUtlMemoryPool pool(24, 2, CUtlMemoryPool::GROW_SLOW);
	EXPECT_EQ(pool.Alloc(25), nullptr);
	EXPECT_NE(pool.Alloc(24), nullptr);
	EXPECT_NE(pool.Alloc(1), nullptr);
	EXPECT_NE(pool.Alloc(), nullptr);
	EXPECT_EQ(pool.Count(), 3);
	EXPECT_EQ(pool.PeakCount(), 3);

	pool.Clear();
	EXPECT_EQ(pool.Count(), 0);
	EXPECT_EQ(pool.NumBlobs(), 0);
	EXPECT_EQ(pool.PeakCount(), 3);
	EXPECT_NE(pool.Alloc(), nullptr);  // a growing pool starts again
	EXPECT_EQ(pool.NumBlobs(), 1);

	// Blobs beyond 32-bit sizes, or with no blocks, are refused without asking the heap.
	CUtlMemoryPool huge(1 << 20, 1 << 12, CUtlMemoryPool::GROW_SLOW);
	EXPECT_EQ(huge.Alloc(), nullptr);
	EXPECT_EQ(huge.NumBlobs(), 0);
	CUtlMemoryPool empty(16, 0, CUtlMemoryPool::GROW_FAST);
	EXPECT_EQ(empty.Alloc(), nullptr);
}

namespace
{
std::string g_Report;
void CaptureReport(const char *format, ...)
{
	char text[256];
	va_list args;
	va_start(args, format);
	vsnprintf(text, sizeof(text), format, args);
	va_end(args);
	g_Report += text;
}
}

TEST(MemoryPool, DestructionReportsBlocksStillHandedOut)
{
	CUtlMemoryPool::g_ReportFunc = CaptureReport;
	g_Report.clear();
	{
		CUtlMemoryPool pool(8, 4);
		EXPECT_STREQ(pool.Owner(), "CUtlMemoryPool (tier1/mempool.cpp)");
		pool.Alloc();
		pool.Alloc();
	}
	EXPECT_EQ(g_Report, "Memory leak: mempool blocks left in memory: 2\n");
	g_Report.clear();
	{
		CUtlMemoryPool pool(8, 4, CUtlMemoryPool::GROW_FAST, "owner");
		EXPECT_STREQ(pool.Owner(), "owner");
	}
	EXPECT_EQ(g_Report, "");
	CUtlMemoryPool::g_ReportFunc = nullptr;
}
