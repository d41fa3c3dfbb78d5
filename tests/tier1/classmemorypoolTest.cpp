// CClassMemoryPool: object lifetimes through Alloc, Free and Clear, and the animation map
// storage of the panel code (a stand-in map that owns a vector of entries).
#include "tier1/classmemorypool.h"

#include <gtest/gtest.h>

#include <set>

#include "tier1/utlvector.h"

namespace {

struct Counted {
    static int s_Live;
    static std::set<const Counted *> s_Destroyed;
    int value = 7;
    Counted() { ++s_Live; }
    ~Counted() {
        --s_Live;
        EXPECT_TRUE(s_Destroyed.insert(this).second) << "destroyed twice";
    }
};
int Counted::s_Live = 0;
std::set<const Counted *> Counted::s_Destroyed;

// Like a panel animation map: its destructor frees its own vector of entries.
struct AnimationMap {
    struct Entry {
        const char *name;
        int offset;
    };
    CUtlVector<Entry> entries;
    AnimationMap *pBaseMap = nullptr;
};

struct alignas(16) Aligned16 {
    char bytes[20];
};

}  // namespace

TEST(ClassMemoryPool, AllocConstructsAndFreeRecyclesTheBlock) {
    Counted::s_Destroyed.clear();
    CClassMemoryPool<Counted> pool(4);
    Counted *a = pool.Alloc();
    ASSERT_NE(a, nullptr);
    EXPECT_EQ(a->value, 7);
    EXPECT_EQ(pool.Count(), 1);
    pool.Free(a);
    EXPECT_EQ(Counted::s_Live, 0);
    EXPECT_EQ(pool.Count(), 0);
    Counted::s_Destroyed.clear();
    EXPECT_EQ(pool.Alloc(), a);
    pool.Free(nullptr);
    pool.Clear();
    EXPECT_EQ(Counted::s_Live, 0);
}

TEST(ClassMemoryPool, ClearDestroysOnlyObjectsStillAllocated) {
    Counted::s_Destroyed.clear();
    CClassMemoryPool<Counted> pool(3);  // several blobs: 3, 6, 9 blocks
    Counted *objects[10];
    for (Counted *&p : objects) p = pool.Alloc();
    EXPECT_EQ(pool.NumBlobs(), 3);
    for (int i : {0, 4, 5, 9}) pool.Free(objects[i]);
    EXPECT_EQ(Counted::s_Live, 6);
    pool.Clear();
    EXPECT_EQ(Counted::s_Live, 0);
    EXPECT_EQ(Counted::s_Destroyed.size(), 10u);
    EXPECT_EQ(pool.Count(), 0);
    EXPECT_EQ(pool.NumBlobs(), 0);
}

TEST(ClassMemoryPool, ClearAfterEverythingWasFreedDestroysNothing) {
    Counted::s_Destroyed.clear();
    CClassMemoryPool<Counted> pool(8);
    Counted *a = pool.Alloc();
    Counted *b = pool.Alloc();
    pool.Free(b);
    pool.Free(a);
    Counted::s_Destroyed.clear();
    pool.Clear();
    EXPECT_TRUE(Counted::s_Destroyed.empty());
    Counted *c = pool.Alloc();  // the pool makes a new blob after Clear
    ASSERT_NE(c, nullptr);
    pool.Free(c);
}

TEST(ClassMemoryPool, DestructionDestroysRemainingObjects) {
    Counted::s_Destroyed.clear();
    {
        CClassMemoryPool<Counted> pool(2);
        pool.Alloc();
        pool.Alloc();
        pool.Alloc();
    }
    EXPECT_EQ(Counted::s_Live, 0);
}

TEST(ClassMemoryPool, AnimationMapsStillAllocatedFreeTheirEntries) {
    // LeakSanitizer fails this test if an entry vector survives Clear.
    CClassMemoryPool<AnimationMap> pool(4);
    AnimationMap *base = pool.Alloc();
    for (int i = 0; i < 20; ++i) base->entries.AddToTail(AnimationMap::Entry{"alpha", i * 4});
    AnimationMap *derived = pool.Alloc();
    derived->pBaseMap = base;
    derived->entries.AddToTail(AnimationMap::Entry{"bgcolor", 0});
    AnimationMap *gone = pool.Alloc();
    gone->entries.AddToTail(AnimationMap::Entry{"x", 1});
    pool.Free(gone);
    pool.Clear();
    EXPECT_EQ(pool.Count(), 0);
}

TEST(ClassMemoryPool, ObjectsAreAlignedForTheirClass) {
    CClassMemoryPool<Aligned16> pool(5);
    for (int i = 0; i < 12; ++i) {
        Aligned16 *p = pool.Alloc();
        ASSERT_NE(p, nullptr);
        EXPECT_EQ(reinterpret_cast<uintptr_t>(p) % 16, 0u);
    }
}

TEST(ClassMemoryPool, GrowNonePoolRunsOut) {
    CClassMemoryPool<int> pool(2, CUtlMemoryPool::GROW_NONE);
    EXPECT_NE(pool.Alloc(), nullptr);
    EXPECT_NE(pool.Alloc(), nullptr);
    EXPECT_EQ(pool.Alloc(), nullptr);
}

TEST(ClassMemoryPoolDeathTest, ClearWithMoreThan65535FreeBlocksStops) {
    EXPECT_DEATH(
        {
            CClassMemoryPool<int> pool(70000, CUtlMemoryPool::GROW_SLOW);
            pool.Clear();
        },
        "CUtlRBTree overflow!");
}
