// CUtlLinkedList: slot allocation and recycling, linking, overflow of narrow indices, and
// the list panel's column list (a stand-in column that owns a sorted-row tree).
#include "tier1/utllinkedlist.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tier0/standin.h"
#include "tier1/utlrbtree.h"

namespace {

template <class L>
std::vector<int> Walk(const L &list) {
    std::vector<int> out;
    for (auto i = list.Head(); i != list.InvalidIndex(); i = list.Next(i)) out.push_back(list[i]);
    return out;
}

template <class L>
std::vector<int> WalkBack(const L &list) {
    std::vector<int> out;
    for (auto i = list.Tail(); i != list.InvalidIndex(); i = list.Previous(i)) out.push_back(list[i]);
    return out;
}

struct Logged {
    static std::vector<int> s_Destroyed;
    int value;
    Logged(int v = -1) : value(v) {}
    ~Logged() { s_Destroyed.push_back(value); }
};
std::vector<int> Logged::s_Destroyed;

// 32 bytes or more: the first block of such elements holds one slot.
struct Wide {
    char bytes[40];
};
struct Wide2 {
    char bytes[40];
};

// Like a list panel column: destroying it destroys its tree of sorted rows.
struct IndexItem {
    int row;
    int duplicateIndex;
};
bool RowLess(const IndexItem &a, const IndexItem &b) { return a.row < b.row; }
struct Column {
    CUtlRBTree<IndexItem, int> sortedTree{0, 0, RowLess};
    int width = 0;
};

}  // namespace

TEST(UtlLinkedList, AddsAtBothEndsAndWalksBothWays) {
    CUtlLinkedList<int, int> list;
    list.AddToTail(2);
    list.AddToTail(3);
    list.AddToHead(1);
    int i4 = list.AddToTail(4);
    list.InsertBefore(i4, 35);
    list.InsertAfter(list.Head(), 15);
    EXPECT_EQ(Walk(list), (std::vector<int>{1, 15, 2, 3, 35, 4}));
    EXPECT_EQ(WalkBack(list), (std::vector<int>{4, 35, 3, 2, 15, 1}));
    EXPECT_EQ(list.Count(), 6);
    EXPECT_EQ(list.Find(35), 4);
    EXPECT_EQ(list.Find(99), list.InvalidIndex());
}

TEST(UtlLinkedList, AddingAnOwnElementWhileGrowingIsSafe) {
    CUtlLinkedList<int, int> list;
    int first = list.AddToTail(9);
    for (int n = 0; n < 40; ++n) {
        list.AddToTail(list[first]);
        list.AddToHead(list[first]);
    }
    EXPECT_EQ(Walk(list), std::vector<int>(81, 9));
}

TEST(UtlLinkedList, FreedSlotIsHandedOutAgain) {
    CUtlLinkedList<int, unsigned short> list;
    unsigned short a = list.AddToTail(10);
    unsigned short b = list.AddToTail(20);
    list.AddToTail(30);
    list.Free(b);
    EXPECT_FALSE(list.IsValidIndex(b));
    EXPECT_EQ(list.AddToTail(40), b);
    EXPECT_EQ(Walk(list), (std::vector<int>{10, 30, 40}));
    list.Remove(a);
    EXPECT_EQ(list.AddToHead(5), a);
    EXPECT_EQ(list.NumAllocated(), 3);
}

TEST(UtlLinkedList, SlotStatesAllocatedLinkedAndFree) {
    CUtlLinkedList<int, int> list;
    int slot = list.Alloc();
    EXPECT_TRUE(list.IsValidIndex(slot));
    EXPECT_FALSE(list.IsInList(slot));
    EXPECT_EQ(list.Count(), 0);
    list.LinkToTail(slot);
    EXPECT_TRUE(list.IsInList(slot));
    EXPECT_EQ(list.Count(), 1);
    list.Unlink(slot);
    EXPECT_FALSE(list.IsInList(slot));
    EXPECT_TRUE(list.IsValidIndex(slot));
    EXPECT_EQ(list.Head(), list.InvalidIndex());
    list.Free(slot);
    EXPECT_FALSE(list.IsValidIndex(slot));
    EXPECT_FALSE(list.IsValidIndex(5));
    EXPECT_FALSE(list.IsValidIndex(-1));
}

TEST(UtlLinkedList, LinkingALinkedElementMovesIt) {
    CUtlLinkedList<int, int> list;
    int a = list.AddToTail(1);
    list.AddToTail(2);
    int c = list.AddToTail(3);
    list.LinkBefore(a, c);
    EXPECT_EQ(Walk(list), (std::vector<int>{3, 1, 2}));
    EXPECT_EQ(list.Count(), 3);
    list.LinkBefore(list.InvalidIndex(), c);
    EXPECT_EQ(Walk(list), (std::vector<int>{1, 2, 3}));
    list.LinkAfter(c, a);
    EXPECT_EQ(Walk(list), (std::vector<int>{2, 3, 1}));
    EXPECT_EQ(WalkBack(list), (std::vector<int>{1, 3, 2}));
    EXPECT_EQ(list.Count(), 3);
}

TEST(UtlLinkedList, FreeingAFreeSlotTwiceIsIgnored) {
    CUtlLinkedList<int, int> list;
    int a = list.AddToTail(1);
    list.Free(a);
    list.Free(a);  // must not put the slot on the free list twice
    int first = list.AddToTail(2);
    int second = list.AddToTail(3);
    EXPECT_EQ(first, a);
    EXPECT_NE(second, a);
    EXPECT_EQ(Walk(list), (std::vector<int>{2, 3}));
}

TEST(UtlLinkedList, EightBitIndicesHold255ElementsThenWarn) {
    Tier0OutputCapture capture;
    CUtlLinkedList<Wide, unsigned char> list;
    for (int n = 0; n < 255; ++n) ASSERT_EQ(list.AddToTail(), n);
    EXPECT_EQ(list.Count(), 255);
    EXPECT_EQ(capture.All(), "");

    EXPECT_EQ(list.AddToTail(), list.InvalidIndex());
    EXPECT_EQ(capture.Of(Tier0OutputKind::Warning), "CUtlLinkedList overflow! (exhausted memory allocator)\n");
    EXPECT_EQ(list.Count(), 255);

    // After removing one, its slot is available again.
    list.Remove(17);
    EXPECT_EQ(list.AddToTail(), 17);
}

TEST(UtlLinkedList, OverflowWarningIsPrintedAtMostTenTimes) {
    Tier0OutputCapture capture;
    CUtlLinkedList<Wide2, unsigned char> list;
    for (int n = 0; n < 255; ++n) list.AddToTail();
    for (int n = 0; n < 15; ++n) EXPECT_EQ(list.AddToTail(), list.InvalidIndex());
    std::string expected;
    for (int n = 0; n < 10; ++n) expected += "CUtlLinkedList overflow! (exhausted memory allocator)\n";
    EXPECT_EQ(capture.All(), expected);
}

TEST(UtlLinkedList, RemoveAllDestroysInListOrderAndKeepsSlots) {
    CUtlLinkedList<Logged, int> list;
    list.AddToTail(Logged(1));
    int b = list.AddToTail(Logged(2));
    list.AddToHead(Logged(0));
    int spare = list.Alloc();  // allocated, never linked
    list[spare].value = 99;
    Logged::s_Destroyed.clear();
    list.RemoveAll();
    EXPECT_EQ(Logged::s_Destroyed, (std::vector<int>{0, 1, 2}));
    EXPECT_EQ(list.Count(), 0);
    EXPECT_EQ(list.Head(), list.InvalidIndex());
    EXPECT_EQ(list.Tail(), list.InvalidIndex());
    EXPECT_TRUE(list.IsValidIndex(spare)) << "an unlinked slot is not touched";
    // Slots come back from the free list, old head first, and no new slot is made.
    int again = list.AddToTail(Logged(5));
    EXPECT_EQ(again, 2);
    list.AddToTail(Logged(6));
    list.AddToTail(Logged(7));
    EXPECT_EQ(list.NumAllocated(), 4);
    EXPECT_NE(list.AddToTail(Logged(8)), b);
    EXPECT_EQ(list.NumAllocated(), 5);
    list.Free(spare);
}

TEST(UtlLinkedList, DestructorDestroysLinkedElementsInListOrder) {
    Logged::s_Destroyed.clear();
    {
        CUtlLinkedList<Logged, int> list;
        list.AddToTail(Logged(1));
        list.AddToHead(Logged(0));
        list.AddToTail(Logged(2));
        Logged::s_Destroyed.clear();
    }
    EXPECT_EQ(Logged::s_Destroyed, (std::vector<int>{0, 1, 2}));
}

TEST(UtlLinkedList, PurgeRestartsSlotNumbering) {
    CUtlLinkedList<int, int> list;
    for (int i = 0; i < 5; ++i) list.AddToTail(i);
    list.Purge();
    EXPECT_EQ(list.NumAllocated(), 0);
    EXPECT_EQ(list.AddToTail(7), 0);
    EXPECT_EQ(list.AddToTail(8), 1);
}

TEST(UtlLinkedList, ColumnListDestroysEachColumnsSortedTree) {
    // LeakSanitizer fails this test if a column's tree memory survives the list.
    CUtlLinkedList<Column, unsigned char> columns;
    for (int c = 0; c < 4; ++c) {
        unsigned char i = columns.AddToTail();
        for (int row = 10; row > 0; --row) columns[i].sortedTree.Insert(IndexItem{row * (c + 1), 0});
    }
    unsigned char second = columns.Next(columns.Head());
    EXPECT_EQ(columns[second].sortedTree.Count(), 10u);
    EXPECT_EQ(columns[second].sortedTree[columns[second].sortedTree.FirstInorder()].row, 2);
    columns.Remove(second);
    EXPECT_EQ(columns.Count(), 3);
}
