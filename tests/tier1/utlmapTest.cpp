// CUtlMap: ordering by the key less function, caseless text keys with null keys, agreement
// with std::multimap, and the panel class dictionaries (stand-in entries).
#include "tier1/utlmap.h"
#include "tier1/utlvector.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <map>
#include <random>
#include <string>
#include <vector>

namespace {

bool IntLess(const int &a, const int &b) { return a < b; }

template <class Map>
std::vector<std::string> Keys(const Map &map) {
    std::vector<std::string> out;
    for (auto i = map.FirstInorder(); i != map.InvalidIndex(); i = map.NextInorder(i))
        out.push_back(map.Key(i) ? map.Key(i) : "(null)");
    return out;
}

// Like the animation dictionary: keys are heap copies that the dictionary frees itself
// before its map is destroyed; entries are records of the class's maps.
struct AnimationMapEntry {
    void *pMap;
    int level;
};
class AnimationDictionary {
public:
    AnimationDictionary() : m_Maps(0, 0, CaselessStringLessThan) {}
    ~AnimationDictionary() {
        for (int i = m_Maps.FirstInorder(); i != m_Maps.InvalidIndex(); i = m_Maps.NextInorder(i))
            free(const_cast<char *>(m_Maps.Key(i)));
    }
    int Add(const char *className, int level) {
        return m_Maps.Insert(strdup(className), AnimationMapEntry{nullptr, level});
    }
    int Find(const char *className) const { return m_Maps.Find(className); }
    CUtlMap<const char *, AnimationMapEntry, int> m_Maps;
};

}  // namespace

TEST(UtlMap, CaselessKeysWalkInOrderAndFindAnySpelling) {
    CUtlMap<const char *, int, int> map(0, 0, CaselessStringLessThan);
    map.Insert("b", 1);
    map.Insert("A", 2);
    map.Insert("c", 3);
    EXPECT_EQ(Keys(map), (std::vector<std::string>{"A", "b", "c"}));
    int i = map.Find("B");
    ASSERT_NE(i, map.InvalidIndex());
    EXPECT_STREQ(map.Key(i), "b");
    EXPECT_EQ(map[i], 1);
    EXPECT_EQ(map.Find("d"), map.InvalidIndex());
}

TEST(UtlMap, NullKeysSortLastInInsertionOrder) {
    CUtlMap<const char *, int, int> map(CaselessStringLessThan);
    int firstNull = map.Insert(nullptr, 1);
    map.Insert("zeta", 2);
    int secondNull = map.Insert(nullptr, 3);
    map.Insert("alpha", 4);
    EXPECT_EQ(Keys(map), (std::vector<std::string>{"alpha", "zeta", "(null)", "(null)"}));
    int last = map.LastInorder();
    EXPECT_EQ(last, secondNull);
    EXPECT_EQ(map.PrevInorder(last), firstNull);
}

TEST(UtlMap, AgreesWithStdMultimap) {
    std::mt19937 rng(3);
    CUtlMap<int, int, int> map(0, 0, IntLess);
    std::multimap<int, int> model;
    for (int n = 0; n < 5000; ++n) {
        int key = static_cast<int>(rng() % 1000);
        switch (rng() % 4) {
            case 0: {
                bool removed = map.Remove(key);
                auto it = model.find(key);
                ASSERT_EQ(removed, it != model.end());
                if (it != model.end()) model.erase(it);
                break;
            }
            case 1: {
                int i = map.Find(key);
                ASSERT_EQ(i != map.InvalidIndex(), model.count(key) > 0);
                if (i != map.InvalidIndex()) {
                    ASSERT_EQ(map.Key(i), key);
                }
                break;
            }
            default:
                map.Insert(key, n);
                model.emplace(key, n);
        }
    }
    ASSERT_EQ(map.Count(), model.size());
    auto it = model.begin();
    for (int i = map.FirstInorder(); i != map.InvalidIndex(); i = map.NextInorder(i), ++it) {
        EXPECT_EQ(map.Key(i), it->first);
    }
}

TEST(UtlMap, EqualKeysFollowInsertionOrderAndInsertOrReplaceUpdates) {
    // Values are moved bitwise when the nodes grow: use a type that allows it.
    CUtlMap<int, const char *, unsigned short> map(IntLess);
    map.Insert(1, "first");
    map.Insert(1, "second");
    map.Insert(0);
    unsigned short i = map.NextInorder(map.FirstInorder());
    EXPECT_STREQ(map[i], "first");
    EXPECT_STREQ(map[map.NextInorder(i)], "second");
    EXPECT_EQ(map[map.FirstInorder()], nullptr);
    unsigned short j = map.InsertOrReplace(0, "zero");
    EXPECT_EQ(j, map.FirstInorder());
    EXPECT_STREQ(map.Element(j), "zero");
    EXPECT_EQ(map.Count(), 3u);
}

TEST(UtlMap, InsertingFromItsOwnNodesWhileGrowingIsSafe) {
    CUtlMap<int, int, int> map(IntLess);
    int first = map.Insert(5, 50);
    for (int n = 0; n < 40; ++n) map.Insert(map.Key(first), map[first]);  // nodes move as the map grows
    EXPECT_EQ(map.Count(), 41u);
    for (int i = map.FirstInorder(); i != map.InvalidIndex(); i = map.NextInorder(i)) {
        EXPECT_EQ(map.Key(i), 5);
        EXPECT_EQ(map[i], 50);
    }
}

TEST(UtlMap, RemoveAllThenPurge) {
    CUtlMap<int, CUtlVector<int>, int> map(IntLess);  // values own memory: leaks would show
    for (int k = 0; k < 10; ++k) map[map.Insert(k)].AddMultipleToTail(k + 1);
    EXPECT_EQ(map[map.Find(9)].Count(), 10);
    map.RemoveAll();
    EXPECT_EQ(map.Count(), 0u);
    EXPECT_EQ(map.Find(3), map.InvalidIndex());
    map[map.Insert(3)].AddToTail(1);
    map.Purge();
    EXPECT_EQ(map.Count(), 0u);
}

TEST(UtlMap, ClassDictionaryFindsMapsByClassNameIgnoringCase) {
    AnimationDictionary dictionary;
    dictionary.Add("Panel", 0);
    dictionary.Add("EditablePanel", 1);
    dictionary.Add("Frame", 2);
    int i = dictionary.Find("editablepanel");
    ASSERT_NE(i, -1);
    EXPECT_EQ(dictionary.m_Maps[i].level, 1);
    EXPECT_STREQ(dictionary.m_Maps.Key(i), "EditablePanel");
    EXPECT_EQ(dictionary.Find("Button"), -1);
    EXPECT_EQ(Keys(dictionary.m_Maps), (std::vector<std::string>{"EditablePanel", "Frame", "Panel"}));
}  // the dictionary frees its keys; LeakSanitizer checks nothing is left
