// CUtlHandleTable: handle layout, serial checks, index reuse and retirement, and a build
// group stand-in that holds one handle for its lifetime.
#include "tier1/utlhandletable.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

struct Group;
typedef CUtlHandleTable<Group, 20> GroupTable;

// Like a build group: takes a handle in its constructor, stores itself as the entry's
// object and removes the handle in its destructor.
struct Group {
    explicit Group(GroupTable &table) : m_Table(table) {
        m_hSelf = m_Table.AddHandle();
        m_Table.SetHandle(m_hSelf, this);
    }
    ~Group() { m_Table.RemoveHandle(m_hSelf); }
    GroupTable &m_Table;
    UtlHandle_t m_hSelf;
};

}  // namespace

TEST(UtlHandleTable, HandleHoldsIndexAndSerial) {
    GroupTable table;
    UtlHandle_t h0 = table.AddHandle();
    EXPECT_EQ(h0, 0u);
    table.RemoveHandle(h0);
    UtlHandle_t h1 = table.AddHandle();
    EXPECT_EQ(h1, 0x00100000u) << "index 0, serial 1";
    EXPECT_EQ(table.AddHandle(), 1u);
    EXPECT_EQ(table.GetValidHandleCount(), 2u);
    EXPECT_EQ(table.GetHandleCount(), 2u);
    EXPECT_EQ(table.GetHandleFromIndex(0), h1);
    EXPECT_EQ(table.GetIndexFromHandle(h1), 0);
}

TEST(UtlHandleTable, RemovingBeyondTheEntriesChangesNothing) {
    GroupTable table;
    table.AddHandle();
    table.RemoveHandle(5);
    table.RemoveHandle(0x000FFFFF);
    EXPECT_EQ(table.GetValidHandleCount(), 1u);
    EXPECT_EQ(table.AddHandle(), 1u) << "nothing was queued for reuse";
}

TEST(UtlHandleTable, StaleOrRepeatedRemovalIsIgnored) {
    GroupTable table;
    UtlHandle_t old = table.AddHandle();
    table.RemoveHandle(old);
    table.RemoveHandle(old);  // already removed
    UtlHandle_t current = table.AddHandle();
    ASSERT_EQ(current, 0x00100000u);
    table.RemoveHandle(old);  // stale: the index now belongs to `current`
    EXPECT_TRUE(table.IsHandleValid(current));
    EXPECT_EQ(table.GetValidHandleCount(), 1u);
    // Index 0 was queued once only, so the next handle gets a new index, not a second 0.
    EXPECT_EQ(table.AddHandle(), 1u);
    EXPECT_EQ(table.AddHandle(), 2u);
}

TEST(UtlHandleTable, IndicesAreReusedOldestFirst) {
    GroupTable table;
    std::vector<UtlHandle_t> h;
    for (int i = 0; i < 4; ++i) h.push_back(table.AddHandle());
    table.RemoveHandle(h[2]);
    table.RemoveHandle(h[0]);
    table.RemoveHandle(h[3]);
    EXPECT_EQ(table.AddHandle() & 0xFFFFF, 2u);
    EXPECT_EQ(table.AddHandle() & 0xFFFFF, 0u);
    EXPECT_EQ(table.AddHandle() & 0xFFFFF, 3u);
    EXPECT_EQ(table.AddHandle() & 0xFFFFF, 4u);
}

TEST(UtlHandleTable, ObjectsResolveOnlyThroughCurrentHandles) {
    GroupTable table;
    int a = 0, b = 0;
    UtlHandle_t ha = table.AddHandle();
    EXPECT_EQ(table.GetHandle(ha), nullptr);
    table.SetHandle(ha, reinterpret_cast<Group *>(&a));
    EXPECT_EQ(table.GetHandle(ha), reinterpret_cast<Group *>(&a));
    table.RemoveHandle(ha);
    EXPECT_EQ(table.GetHandle(ha), nullptr);
    EXPECT_FALSE(table.IsHandleValid(ha));
    UtlHandle_t hb = table.AddHandle();
    table.SetHandle(ha, reinterpret_cast<Group *>(&b));  // stale: ignored
    EXPECT_EQ(table.GetHandle(hb), nullptr);
    EXPECT_EQ(table.GetHandle(0xFFFFF), nullptr);
}

TEST(UtlHandleTable, IndexIsRetiredWhenItsSerialReaches2047) {
    GroupTable table;
    UtlHandle_t h = table.AddHandle();
    for (int serial = 1; serial < 2047; ++serial) {
        table.RemoveHandle(h);
        h = table.AddHandle();
        ASSERT_EQ(h, (static_cast<UtlHandle_t>(serial) << 20)) << serial;
    }
    table.RemoveHandle(h);  // serial becomes 2047: the index is never handed out again
    EXPECT_EQ(table.AddHandle(), 1u);
    EXPECT_EQ(table.GetHandleCount(), 2u);
    EXPECT_EQ(table.GetValidHandleCount(), 1u);
}

TEST(UtlHandleTable, BuildGroupsHoldTheirHandleForTheirLifetime) {
    GroupTable table;
    UtlHandle_t first;
    {
        Group a(table);
        Group b(table);
        first = a.m_hSelf;
        EXPECT_EQ(table.GetHandle(a.m_hSelf), &a);
        EXPECT_EQ(table.GetHandle(b.m_hSelf), &b);
        EXPECT_EQ(table.GetValidHandleCount(), 2u);
    }
    EXPECT_EQ(table.GetValidHandleCount(), 0u);
    EXPECT_EQ(table.GetHandle(first), nullptr);
    Group c(table);
    EXPECT_EQ(c.m_hSelf, 0x00100001u) << "b's index was freed first (b is destroyed before a)";
}
