// CUtlMemory: the growth rule for every index type, fixed steps, and external blocks.
#include "tier1/utlmemory.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

template <size_t N>
struct Bytes {
    unsigned char b[N];
};

// Allocation counts seen when growing by one element at a time from empty.
template <class T, class I>
std::vector<int> GrowthSteps(int steps) {
    CUtlMemory<T, I> memory;
    std::vector<int> counts;
    for (int i = 0; i < steps; ++i) {
        memory.Grow(1);
        counts.push_back(memory.NumAllocated());
    }
    return counts;
}

}  // namespace

TEST(UtlMemory, FirstBlockDependsOnElementSizeThenDoubles) {
    EXPECT_EQ((GrowthSteps<int, int>(3)), (std::vector<int>{8, 16, 32}));
    EXPECT_EQ((GrowthSteps<Bytes<16>, int>(3)), (std::vector<int>{2, 4, 8}));
    EXPECT_EQ((GrowthSteps<Bytes<24>, int>(2)), (std::vector<int>{2, 4}));
    EXPECT_EQ((GrowthSteps<Bytes<31>, int>(1)), (std::vector<int>{2}));
    EXPECT_EQ((GrowthSteps<Bytes<32>, int>(3)), (std::vector<int>{1, 2, 4}));
    EXPECT_EQ((GrowthSteps<Bytes<68>, int>(3)), (std::vector<int>{1, 2, 4}));
    EXPECT_EQ((GrowthSteps<char, int>(2)), (std::vector<int>{32, 64}));
}

TEST(UtlMemory, GrowByManyDoublesUntilEnough) {
    CUtlMemory<int> memory;
    memory.Grow(100);
    EXPECT_EQ(memory.NumAllocated(), 128);
    memory.Grow(1);
    EXPECT_EQ(memory.NumAllocated(), 256);
}

TEST(UtlMemory, FixedGrowSizeRoundsUpToItsMultiple) {
    struct Case {
        int initial, grow, expected;
    } cases[] = {{3, 1, 10}, {3, 8, 20}, {0, 1, 10}, {10, 10, 20}, {10, 11, 30}};
    for (const Case &c : cases) {
        CUtlMemory<int> memory(10, c.initial);
        memory.Grow(c.grow);
        EXPECT_EQ(memory.NumAllocated(), c.expected) << c.initial << " + " << c.grow;
    }
}

TEST(UtlMemory, EightBitIndexStopsAt255) {
    std::vector<int> counts = GrowthSteps<Bytes<32>, unsigned char>(10);
    EXPECT_EQ(counts, (std::vector<int>{1, 2, 4, 8, 16, 32, 64, 128, 255, 255}));

    CUtlMemory<int, unsigned char> small;
    for (int i = 0; i < 6; ++i) small.Grow(1);
    EXPECT_EQ(small.NumAllocated(), 255);  // 8, 16, ..., 128, then 255 instead of 256
}

TEST(UtlMemory, SixteenBitIndexStopsAt65535) {
    CUtlMemory<int, unsigned short> memory;
    memory.EnsureCapacity(32768);
    memory.Grow(1);
    EXPECT_EQ(memory.NumAllocated(), 65535);
    memory.Grow(1);
    EXPECT_EQ(memory.NumAllocated(), 65535) << "a count the index cannot name leaves the block as it is";
}

TEST(UtlMemory, NarrowIndexHalvesTowardTheRequestWhenDoublingOverflows) {
    CUtlMemory<int, unsigned short> memory;
    memory.EnsureCapacity(40000);
    memory.Grow(1);  // 80000 does not fit; (80000 + 40001) / 2 = 60000 does
    EXPECT_EQ(memory.NumAllocated(), 60000);
}

TEST(UtlMemory, EnsureCapacityAllocatesExactly) {
    CUtlMemory<int> memory;
    memory.EnsureCapacity(13);
    EXPECT_EQ(memory.NumAllocated(), 13);
    memory.EnsureCapacity(5);
    EXPECT_EQ(memory.NumAllocated(), 13);
    memory.Grow(1);
    EXPECT_EQ(memory.NumAllocated(), 26);

    CUtlMemory<int, unsigned char> narrow;
    narrow.EnsureCapacity(256);
    EXPECT_EQ(narrow.NumAllocated(), 0) << "256 elements cannot be named by 8-bit indices";
}

TEST(UtlMemory, ExternalBlockNeverGrowsNorIsFreed) {
    int block[4] = {1, 2, 3, 4};
    {
        CUtlMemory<int> memory(block, 4);
        EXPECT_TRUE(memory.IsExternallyAllocated());
        memory.Grow(10);
        memory.EnsureCapacity(100);
        EXPECT_EQ(memory.NumAllocated(), 4);
        EXPECT_EQ(memory.Base(), block);
        memory.Purge();
        EXPECT_EQ(memory.Base(), block);
    }  // the destructor must not free the stack block (ASan would report it)
    EXPECT_EQ(block[3], 4);
}

TEST(UtlMemory, InvalidIndexIsAllBitsSet) {
    EXPECT_EQ((CUtlMemory<int, int>::InvalidIndex()), -1);
    EXPECT_EQ((CUtlMemory<int, unsigned short>::InvalidIndex()), 65535);
    EXPECT_EQ((CUtlMemory<int, unsigned char>::InvalidIndex()), 255);
    CUtlMemory<int, unsigned char> memory(0, 255);
    EXPECT_TRUE(memory.IsIdxValid(254));
    EXPECT_FALSE(memory.IsIdxValid(255));
}

TEST(UtlMemory, AssumedMemoryIsOwnedByAnOwningArray) {
    CUtlMemory<int> owning;
    owning.Grow(1);
    int *block = static_cast<int *>(malloc(5 * sizeof(int)));
    owning.AssumeMemory(block, 5);  // the old block is freed, the new one freed with the array
    EXPECT_EQ(owning.Base(), block);
    EXPECT_EQ(owning.NumAllocated(), 5);
    owning.Grow(1);
    EXPECT_EQ(owning.NumAllocated(), 10);

    int stack[2];
    CUtlMemory<int> external(stack, 2);
    int other[3];
    external.AssumeMemory(other, 3);  // stays external: never freed
    EXPECT_TRUE(external.IsExternallyAllocated());
    EXPECT_EQ(external.NumAllocated(), 3);
}
