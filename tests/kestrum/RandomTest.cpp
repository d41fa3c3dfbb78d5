// Tests of the random-number facade's bounds.
#include "Kestrum/Utility/Random.h"

#include <gtest/gtest.h>

#include <climits>
#include <set>

using namespace Kestrum::Math;

TEST(Random, IntStaysBelowItsUpperBound)
{
	std::set<int> seen;
	for (int i = 0; i < 2000; ++i)
	{
		int v = Random::Int(3, 7);
		ASSERT_GE(v, 3);
		ASSERT_LT(v, 7);
		seen.insert(v);
	}
	EXPECT_EQ(seen, (std::set<int>{3, 4, 5, 6}));
}

TEST(Random, DegenerateBounds)
{
	EXPECT_EQ(Random::Int(5, 5), 5);
	EXPECT_EQ(Random::Int(-8, -8), -8);
	EXPECT_EQ(Random::Int(9, 2), 9);
	// The widest range does not overflow.
	for (int i = 0; i < 100; ++i)
	{
		int v = Random::Int(INT_MIN, INT_MAX);
		ASSERT_LT(v, INT_MAX);
	}
}

TEST(Random, SeedRepeatsTheSequence)
{
	Random::Seed(1234);
	int a = Random::Int(0, 1000000);
	bool b = Random::Bool();
	Random::Seed(1234);
	EXPECT_EQ(Random::Int(0, 1000000), a);
	EXPECT_EQ(Random::Bool(), b);

	int trues = 0;
	for (int i = 0; i < 1000; ++i)
		trues += Random::Bool();
	EXPECT_GT(trues, 300);
	EXPECT_LT(trues, 700);
}
