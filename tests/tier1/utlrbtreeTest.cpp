// CUtlRBTree: red-black balance, order with equal elements, removal and node reuse, the
// overflow of narrow indices, and the less functions for texts and pointers.
#include "tier1/utlrbtree.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <random>
#include <set>
#include <string>
#include <vector>

namespace {

bool IntLess(const int &a, const int &b) { return a < b; }
typedef CUtlRBTree<int, unsigned short> ShortTree;

struct Item {
    int key;
    int serial;
};
bool ItemLess(const Item &a, const Item &b) { return a.key < b.key; }
bool operator<(const Item &a, const Item &b) { return ItemLess(a, b); }

template <class Tree>
std::vector<int> InOrderKeys(const Tree &tree) {
    std::vector<int> out;
    for (auto i = tree.FirstInorder(); i != tree.InvalidIndex(); i = tree.NextInorder(i)) out.push_back(tree[i]);
    return out;
}

// Checks links, order and (when asked) the red-black rules; returns the black height.
template <class Tree>
int CheckSubtree(const Tree &tree, typename Tree::IndexType_t node, bool checkColours, int &count) {
    if (node == tree.InvalidIndex()) return 1;
    ++count;
    auto left = tree.LeftChild(node), right = tree.RightChild(node);
    if (left != tree.InvalidIndex()) {
        EXPECT_EQ(tree.Parent(left), node);
        EXPECT_FALSE(tree[node] < tree[left]);
    }
    if (right != tree.InvalidIndex()) {
        EXPECT_EQ(tree.Parent(right), node);
        EXPECT_FALSE(tree[right] < tree[node]);
    }
    if (checkColours && tree.IsRed(node)) {
        EXPECT_TRUE(tree.IsBlack(left));
        EXPECT_TRUE(tree.IsBlack(right));
    }
    int lh = CheckSubtree(tree, left, checkColours, count);
    int rh = CheckSubtree(tree, right, checkColours, count);
    if (checkColours) {
        EXPECT_EQ(lh, rh) << "black heights differ under node " << node;
    }
    return lh + (tree.IsBlack(node) ? 1 : 0);
}

template <class Tree>
void CheckTree(const Tree &tree, bool checkColours) {
    int count = 0;
    if (tree.Root() != tree.InvalidIndex()) {
        EXPECT_EQ(tree.Parent(tree.Root()), tree.InvalidIndex());
        if (checkColours) {
            EXPECT_TRUE(tree.IsBlack(tree.Root()));
        }
    }
    CheckSubtree(tree, tree.Root(), checkColours, count);
    EXPECT_EQ(static_cast<unsigned>(count), tree.Count());
}

}  // namespace

TEST(UtlRBTree, RandomInsertsKeepTheRedBlackRules) {
    std::mt19937 rng(7);
    CUtlRBTree<int, int> tree(0, 0, IntLess);
    std::vector<int> expected;
    for (int n = 0; n < 2000; ++n) {
        int v = static_cast<int>(rng() % 500);
        tree.Insert(v);
        expected.push_back(v);
        if (n % 250 == 0) CheckTree(tree, true);
    }
    CheckTree(tree, true);
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(InOrderKeys(tree), expected);

    std::vector<int> backwards;
    for (int i = tree.LastInorder(); i != tree.InvalidIndex(); i = tree.PrevInorder(i)) backwards.push_back(tree[i]);
    std::reverse(backwards.begin(), backwards.end());
    EXPECT_EQ(backwards, expected);
}

TEST(UtlRBTree, SortedInsertsStayBalanced) {
    CUtlRBTree<int, unsigned short> tree(0, 0, IntLess);
    for (int v = 0; v < 4096; ++v) tree.Insert(v);
    CheckTree(tree, true);
    int depth = 0;
    for (unsigned short i = tree.FirstInorder(); i != tree.InvalidIndex(); i = tree.Parent(i)) ++depth;
    EXPECT_LE(depth, 2 * 12 + 1);
}

TEST(UtlRBTree, EqualElementsKeepInsertionOrder) {
    CUtlRBTree<Item, int> tree(0, 0, ItemLess);
    int serial = 0;
    for (int key : {5, 3, 5, 1, 5, 3}) tree.Insert(Item{key, serial++});
    std::vector<std::pair<int, int>> walk;
    for (int i = tree.FirstInorder(); i != tree.InvalidIndex(); i = tree.NextInorder(i))
        walk.emplace_back(tree[i].key, tree[i].serial);
    EXPECT_EQ(walk, (std::vector<std::pair<int, int>>{{1, 3}, {3, 1}, {3, 5}, {5, 0}, {5, 2}, {5, 4}}));
    EXPECT_EQ(tree[tree.Find(Item{5, -1})].key, 5);
    EXPECT_EQ(tree.Find(Item{4, -1}), tree.InvalidIndex());
    EXPECT_EQ(tree.InsertIfNotFound(Item{3, 99}), tree.Find(Item{3, -1}));
    EXPECT_EQ(tree.Count(), 6u);
}

TEST(UtlRBTree, InsertingAnOwnElementWhileGrowingIsSafe) {
    CUtlRBTree<int, int> tree(0, 0, IntLess);
    int first = tree.Insert(3);
    for (int n = 0; n < 40; ++n) tree.Insert(tree[first]);
    tree.InsertIfNotFound(tree[first]);
    EXPECT_EQ(InOrderKeys(tree), std::vector<int>(41, 3));
}

TEST(UtlRBTree, EmptyTreeWalksNothing) {
    CUtlRBTree<int, int> tree(0, 0, IntLess);
    EXPECT_EQ(tree.FirstInorder(), -1);
    EXPECT_EQ(tree.LastInorder(), -1);
    EXPECT_EQ(tree.Find(1), -1);
    EXPECT_EQ(tree.Count(), 0u);
}

TEST(UtlRBTree, ChildSideTests) {
    CUtlRBTree<int, int> tree(0, 0, IntLess);
    int mid = tree.Insert(2);
    int low = tree.Insert(1);
    int high = tree.Insert(3);
    EXPECT_TRUE(tree.IsLeftChild(low));
    EXPECT_FALSE(tree.IsRightChild(low));
    EXPECT_TRUE(tree.IsRightChild(high));
    EXPECT_FALSE(tree.IsLeftChild(mid)) << "the root is nobody's child";
    EXPECT_FALSE(tree.IsRightChild(mid));
}

TEST(UtlRBTree, RemovalsKeepOrderAndLinks) {
    std::mt19937 rng(11);
    CUtlRBTree<int, int> tree(0, 0, IntLess);
    std::multiset<int> model;
    for (int n = 0; n < 3000; ++n) {
        int v = static_cast<int>(rng() % 300);
        if (rng() % 3 == 0 && !model.empty()) {
            bool removed = tree.Remove(v);
            auto it = model.find(v);
            EXPECT_EQ(removed, it != model.end());
            if (it != model.end()) model.erase(it);
        } else {
            tree.Insert(v);
            model.insert(v);
        }
    }
    CheckTree(tree, false);
    EXPECT_EQ(InOrderKeys(tree), std::vector<int>(model.begin(), model.end()));
}

TEST(UtlRBTree, UnlinkOfTheOnlyNodeEmptiesTheTree) {
    CUtlRBTree<int, int> tree(0, 0, IntLess);
    int only = tree.Insert(42);
    tree.Unlink(only);
    EXPECT_EQ(tree.Root(), tree.InvalidIndex());
    EXPECT_EQ(tree.FirstInorder(), tree.InvalidIndex());
    EXPECT_EQ(tree.Count(), 1u) << "Unlink leaves the count to the caller";
    tree.Unlink(tree.InvalidIndex());  // nothing happens
}

TEST(UtlRBTree, UnlinkThenFreeNodeRemovesOneRow) {
    // How a list panel takes one row out of a column's sorted tree.
    CUtlRBTree<Item, int> tree(0, 0, ItemLess);
    int rows[6];
    for (int r = 0; r < 6; ++r) rows[r] = tree.Insert(Item{(r * 7) % 6, r});
    tree.Unlink(rows[2]);
    tree.FreeNode(rows[2]);
    EXPECT_EQ(tree.Count(), 5u);
    EXPECT_FALSE(tree.IsValidIndex(rows[2]));
    std::vector<int> keys;
    for (int i = tree.FirstInorder(); i != tree.InvalidIndex(); i = tree.NextInorder(i)) keys.push_back(tree[i].key);
    EXPECT_EQ(keys, (std::vector<int>{0, 1, 3, 4, 5}));
    EXPECT_EQ(tree.Insert(Item{2, 9}), rows[2]) << "the freed node is reused first";
    CheckTree(tree, false);
}

TEST(UtlRBTree, UnlinkOfInnerNodesKeepsTheRest) {
    CUtlRBTree<int, int> tree(0, 0, IntLess);
    std::vector<int> nodes;
    for (int v = 0; v < 64; ++v) nodes.push_back(tree.Insert(v));
    // Remove the root repeatedly: each time a successor takes its place.
    std::vector<int> expected(64);
    for (int v = 0; v < 64; ++v) expected[v] = v;
    for (int n = 0; n < 20; ++n) {
        int root = tree.Root();
        expected.erase(std::find(expected.begin(), expected.end(), tree[root]));
        tree.RemoveAt(root);
        EXPECT_EQ(InOrderKeys(tree), expected);
    }
    CheckTree(tree, false);
}

TEST(UtlRBTree, RemoveAllKeepsNodesAndReusesTheHighestFirst) {
    CUtlRBTree<int, int> tree(0, 0, IntLess);
    for (int v = 0; v < 5; ++v) tree.Insert(v);
    int allocated = tree.MaxElement();
    tree.RemoveAll();
    EXPECT_EQ(tree.Count(), 0u);
    EXPECT_EQ(tree.Root(), tree.InvalidIndex());
    EXPECT_FALSE(tree.IsValidIndex(0));
    EXPECT_EQ(tree.Insert(10), 4);
    EXPECT_EQ(tree.Insert(11), 3);
    EXPECT_EQ(tree.MaxElement(), allocated);
    tree.Purge();
    EXPECT_EQ(tree.Insert(12), 0);
}

TEST(UtlRBTreeDeathTest, SixteenBitTreeStopsAfter65535Nodes) {
    EXPECT_DEATH(
        {
            ShortTree tree(0, 0, IntLess);
            for (int v = 0; v < 65535; ++v) tree.Insert(v);
            if (tree.Count() != 65535u) abort();
            tree.Insert(65535);
        },
        "CUtlRBTree overflow!");
}

TEST(UtlRBTree, SixteenBitTreeHolds65535Nodes) {
    CUtlRBTree<int, unsigned short> tree(0, 0, IntLess);
    for (int v = 0; v < 65535; ++v) tree.Insert(v);
    EXPECT_EQ(tree.Count(), 65535u);
    EXPECT_EQ(tree.MaxElement(), 65535);
    CheckTree(tree, true);
}

TEST(UtlRBTree, BuildModeNamesSortWithTheUsersLessFunction) {
    CUtlRBTree<const char *, int> names(0, 0, CaselessStringLessThan);
    for (const char *name : {"Label", "button", "CheckButton", "ComboBox", "RichText"}) names.Insert(name);
    std::vector<std::string> out;
    for (int i = names.FirstInorder(); i != names.InvalidIndex(); i = names.NextInorder(i)) out.push_back(names[i]);
    EXPECT_EQ(out, (std::vector<std::string>{"button", "CheckButton", "ComboBox", "Label", "RichText"}));
}

TEST(UtlRBTree, StringLessFunctions) {
    struct Case {
        const char *a, *b;
        bool caseless, exact;
    } cases[] = {
        {"abc", "ABD", true, false}, {"ABC", "abc", false, true}, {"abc", "ABC", false, false},
        {nullptr, "a", false, false}, {"a", nullptr, true, true},  {nullptr, nullptr, false, false},
        {"", "a", true, true},        {"a", "", false, false},
    };
    for (const Case &c : cases) {
        EXPECT_EQ(CaselessStringLessThan(c.a, c.b), c.caseless) << (c.a ? c.a : "null") << " " << (c.b ? c.b : "null");
        EXPECT_EQ(CaseSensitiveStringLessThan(c.a, c.b), c.exact) << (c.a ? c.a : "null") << " " << (c.b ? c.b : "null");
    }
}

TEST(UtlRBTree, PointerTreeOrdersByAddress) {
    int block[4];
    CUtlRBTree<int *, unsigned short> tree(0, 0, CDefOps<int *>::LessFunc);
    for (int i : {2, 0, 3, 1}) tree.Insert(&block[i]);
    std::vector<int *> out;
    for (unsigned short i = tree.FirstInorder(); i != tree.InvalidIndex(); i = tree.NextInorder(i)) out.push_back(tree[i]);
    EXPECT_EQ(out, (std::vector<int *>{&block[0], &block[1], &block[2], &block[3]}));
    EXPECT_NE(tree.Find(&block[3]), tree.InvalidIndex());
}
