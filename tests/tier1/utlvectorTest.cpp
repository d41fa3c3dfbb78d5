// CUtlVector: growth, insertion and removal with element lifetimes, external blocks, and the
// element types of the panel code (stand-ins with the same ownership rules).
#include "tier1/utlvector.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

// Records constructions and destructions by value.
struct Tracked {
    static std::vector<int> s_Destroyed;
    static int s_Live;
    int value;
    Tracked(int v = 0) : value(v) { ++s_Live; }
    Tracked(const Tracked &o) : value(o.value) { ++s_Live; }
    Tracked &operator=(const Tracked &) = default;
    ~Tracked() {
        --s_Live;
        s_Destroyed.push_back(value);
    }
    bool operator==(const Tracked &o) const { return value == o.value; }
};
std::vector<int> Tracked::s_Destroyed;
int Tracked::s_Live = 0;

std::vector<int> Values(const CUtlVector<Tracked> &v) {
    std::vector<int> out;
    for (int i = 0; i < v.Count(); ++i) out.push_back(v[i].value);
    return out;
}

struct Bytes24 {
    char b[24];
};

// Like an animation sequence: owns a vector of commands that its destructor frees.
struct AnimCommand {
    int kind;
};
struct AnimSequence {
    int name;
    CUtlVector<AnimCommand> cmdList;
};

// Like a key binding: owns a copy of its name unless the name is marked static.
struct BoundKey {
    char *bindingname;
    bool isbindingstatic;
    BoundKey(const char *name, bool isStatic)
        : bindingname(isStatic ? const_cast<char *>(name) : strdup(name)), isbindingstatic(isStatic) {}
    BoundKey(const BoundKey &o)
        : bindingname(o.isbindingstatic ? o.bindingname : strdup(o.bindingname)), isbindingstatic(o.isbindingstatic) {}
    ~BoundKey() {
        if (!isbindingstatic) free(bindingname);
    }
};

}  // namespace

TEST(UtlVector, GrowthFollowsTheMemoryRule) {
    CUtlVector<int> v;
    std::vector<int> allocations;
    for (int i = 0; i < 17; ++i) {
        v.AddToTail(i);
        if (allocations.empty() || allocations.back() != v.NumAllocated()) allocations.push_back(v.NumAllocated());
    }
    EXPECT_EQ(allocations, (std::vector<int>{8, 16, 32}));

    CUtlVector<Bytes24> big;
    big.AddToTail(Bytes24());
    EXPECT_EQ(big.NumAllocated(), 2);
    big.AddMultipleToTail(2);
    EXPECT_EQ(big.NumAllocated(), 4);

    CUtlVector<int> stepped(10);
    stepped.AddMultipleToTail(11);
    EXPECT_EQ(stepped.NumAllocated(), 20);
}

TEST(UtlVector, InsertShiftsTheTailAndReturnsTheIndex) {
    CUtlVector<Tracked> v;
    EXPECT_EQ(v.AddToTail(Tracked(1)), 0);
    EXPECT_EQ(v.AddToTail(Tracked(3)), 1);
    EXPECT_EQ(v.InsertBefore(1, Tracked(2)), 1);
    EXPECT_EQ(v.AddToHead(Tracked(0)), 0);
    EXPECT_EQ(v.InsertAfter(3, Tracked(4)), 4);
    EXPECT_EQ(Values(v), (std::vector<int>{0, 1, 2, 3, 4}));
    EXPECT_EQ(v.Find(Tracked(3)), 3);
    EXPECT_EQ(v.Find(Tracked(9)), -1);
}

TEST(UtlVector, InsertingAnOwnElementWhileGrowingCopiesItSafely) {
    CUtlVector<Tracked> v;
    for (int i = 0; i < 8; ++i) v.AddToTail(Tracked(i));
    ASSERT_EQ(v.NumAllocated(), 8);
    v.AddToTail(v[3]);  // the block moves during this insertion
    v.InsertBefore(0, v[8]);
    EXPECT_EQ(v.Count(), 10);
    EXPECT_EQ(v[0].value, 3);
    EXPECT_EQ(v[9].value, 3);
}

TEST(UtlVector, RemovalsDestroyExactlyTheRemovedElements) {
    CUtlVector<Tracked> v;
    for (int i = 0; i < 6; ++i) v.AddToTail(Tracked(i));
    auto destroyedBy = [](auto op) {
        Tracked::s_Destroyed.clear();
        op();
        return Tracked::s_Destroyed;
    };

    EXPECT_EQ(destroyedBy([&] { v.Remove(1); }), (std::vector<int>{1}));
    EXPECT_EQ(Values(v), (std::vector<int>{0, 2, 3, 4, 5}));
    EXPECT_EQ(destroyedBy([&] { v.FastRemove(0); }), (std::vector<int>{0}));
    EXPECT_EQ(Values(v), (std::vector<int>{5, 2, 3, 4}));
    EXPECT_EQ(destroyedBy([&] { v.RemoveMultiple(1, 2); }), (std::vector<int>{3, 2}));
    EXPECT_EQ(Values(v), (std::vector<int>{5, 4}));
    EXPECT_TRUE(v.FindAndRemove(Tracked(4)));
    EXPECT_FALSE(v.FindAndRemove(Tracked(4)));
    EXPECT_EQ(Values(v), (std::vector<int>{5}));
    EXPECT_EQ(Tracked::s_Live, 1);
}

TEST(UtlVector, PurgeDestroysFromLastToFirstAndFreesTheMemory) {
    {
        CUtlVector<Tracked> v;
        for (int i = 0; i < 4; ++i) v.AddToTail(Tracked(i));
        Tracked::s_Destroyed.clear();
        v.Purge();
        EXPECT_EQ(Tracked::s_Destroyed, (std::vector<int>{3, 2, 1, 0}));
        EXPECT_EQ(v.Count(), 0);
        EXPECT_EQ(v.NumAllocated(), 0);
        EXPECT_EQ(v.Base(), nullptr);

        v.AddToTail(Tracked(7));
        Tracked::s_Destroyed.clear();
    }
    EXPECT_EQ(Tracked::s_Destroyed, (std::vector<int>{7})) << "the destructor purges";
    EXPECT_EQ(Tracked::s_Live, 0);
}

TEST(UtlVector, CopiesAreDeep) {
    CUtlVector<int> a;
    for (int i = 0; i < 5; ++i) a.AddToTail(i);
    CUtlVector<int> b(a);
    CUtlVector<int> c;
    c.AddToTail(99);
    c = a;
    a[0] = 42;
    EXPECT_EQ(b.Count(), 5);
    EXPECT_EQ(b[0], 0);
    EXPECT_EQ(c.Count(), 5);
    EXPECT_EQ(c[4], 4);
}

TEST(UtlVector, SortOrdersByTheCompareFunction) {
    CUtlVector<int> v;
    for (int x : {5, 1, 4, 2, 3}) v.AddToTail(x);
    v.Sort([](const int *a, const int *b) { return *b - *a; });
    std::vector<int> out(v.Base(), v.Base() + v.Count());
    EXPECT_EQ(out, (std::vector<int>{5, 4, 3, 2, 1}));
}

TEST(UtlVector, ExternalBlockIsUsedInPlace) {
    int block[3];
    CUtlVector<int> v(block, 3);
    v.AddToTail(1);
    v.AddToTail(2);
    v.AddToTail(3);
    EXPECT_EQ(block[2], 3);
    v.Purge();  // leaves the block alone
    EXPECT_EQ(v.NumAllocated(), 3);
}

TEST(UtlVectorDeathTest, ExternalBlockOverflowStopsInsteadOfWritingPastIt) {
    int block[2];
    CUtlVector<int> v(block, 2, 2);
    EXPECT_DEATH(v.AddToTail(3), "CUtlVector overflow!");
}

TEST(UtlVector, PurgeOfSequencesFreesEachSequencesCommands) {
    // Leak checking (LeakSanitizer) fails this test if a command vector is not freed.
    CUtlVector<AnimSequence> sequences;
    for (int s = 0; s < 5; ++s) {
        int i = sequences.AddToTail();
        sequences[i].name = s;
        for (int c = 0; c <= s * 3; ++c) sequences[i].cmdList.AddToTail(AnimCommand{c});
    }
    EXPECT_EQ(sequences[4].cmdList.Count(), 13);
    sequences.Purge();
    EXPECT_EQ(sequences.Count(), 0);
}

TEST(UtlVector, InsertBeforeCopyConstructsKeyBindings) {
    static const char kStaticName[] = "static_binding";
    char dynamicName[] = "dynamic_binding";
    CUtlVector<BoundKey> keys;
    keys.AddToTail(BoundKey(kStaticName, true));
    keys.InsertBefore(0, BoundKey(dynamicName, false));
    dynamicName[0] = 'X';
    EXPECT_STREQ(keys[0].bindingname, "dynamic_binding") << "a non-static name is copied";
    EXPECT_EQ(keys[1].bindingname, kStaticName) << "a static name is shared";
    // Growth moves the records bitwise: the copied names move with them.
    for (int i = 0; i < 20; ++i) keys.AddToTail(BoundKey("more", false));
    EXPECT_STREQ(keys[0].bindingname, "dynamic_binding");
}
