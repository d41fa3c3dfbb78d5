// Tests of named data trees: lookups, typed values and copies.
#include "Kestrum/Data/Tree.h"

#include <gtest/gtest.h>

using Kestrum::BString;
using Kestrum::Data::Tree;

TEST(Tree, NewNodeIsEmpty)
{
	Tree t;
	EXPECT_EQ(t.Name(), "");
	EXPECT_EQ(t.Value(), "");
	EXPECT_EQ(t.Info(), 0);
	EXPECT_FALSE(t.HasChildren());
	EXPECT_TRUE(t.IsBranch());
}

TEST(Tree, SetChildAppendsAndLookupsTakeTheFirst)
{
	Tree t;
	t.SetChild("a", "x");
	t.SetChild("a", "y");
	ASSERT_EQ(t.Children().size(), 2u);
	EXPECT_EQ(t.GetChild("a").Value(), "x");
	EXPECT_EQ(t.ChildValue("a", "d"), "x");
	EXPECT_EQ(t.Children().size(), 2u);
	EXPECT_EQ(t.Children().front().Info(), Tree::TypeString);

	// Names match exactly: no case folding, no path syntax.
	EXPECT_EQ(t.ChildValue("A", "d"), "d");
	EXPECT_EQ(t.ChildValue("a ", "d"), "d");
	EXPECT_EQ(Tree().ChildValue("a", "dflt"), "dflt");
	EXPECT_TRUE(t.HasChild("a"));
	EXPECT_FALSE(t.HasChild("A"));
	EXPECT_EQ(t.Children().size(), 2u);
}

TEST(Tree, GetChildAddsOnceWhenMissing)
{
	Tree t;
	t.SetChild("a", "x");
	Tree& added = t.GetChild("A");
	EXPECT_EQ(t.Children().size(), 2u);
	EXPECT_EQ(added.Name(), "A");
	EXPECT_EQ(added.Info(), 0);
	EXPECT_EQ(&t.GetChild("A"), &added);
	EXPECT_EQ(t.Children().size(), 2u);

	// References stay valid as more children arrive.
	for (int i = 0; i < 100; ++i)
		t.AddChild("n");
	EXPECT_EQ(&t.GetChild("A"), &added);
	EXPECT_EQ(t.GetChildNum(1), &added);
	EXPECT_EQ(t.GetChildNum(102), nullptr);
}

TEST(Tree, TypedValues)
{
	struct Case { Tree node; const char* text; int id; };
	Tree t;
	Case cases[] = {
		{t.SetChildVar("b", true), "true", Tree::TypeBool},
		{t.SetChildVar("f", false), "false", Tree::TypeBool},
		{t.SetChildVar("fl", 1.5f), "1.5", Tree::TypeFloat},
		{t.SetChildVar("i", -7), "-7", Tree::TypeInt},
		{t.SetChildVar("d", 2.0), "2", Tree::TypeDouble},
		{t.SetChildVar("r", 0.123456f), "0.1235", Tree::TypeFloat},
		{t.SetChildVar("big", 3000000000.0), "3000000000", Tree::TypeDouble},
	};
	for (const Case& c : cases)
	{
		EXPECT_EQ(c.node.Value(), c.text) << c.node.Name();
		EXPECT_EQ(c.node.Info(), c.id) << c.node.Name();
		EXPECT_FALSE(c.node.IsBranch());
	}

	EXPECT_EQ(Tree::StringToVar<int>("-7"), -7);
	EXPECT_FLOAT_EQ(Tree::StringToVar<float>("0.1235"), 0.1235f);
	EXPECT_TRUE(Tree::StringToVar<bool>("true"));
	EXPECT_DOUBLE_EQ(Tree::StringToVar<double>(""), 0.0);

	Tree v;
	v.Var(3);
	v.Value("text");
	EXPECT_EQ(v.Info(), Tree::TypeString);
	EXPECT_EQ(v.Value(), "text");
}

TEST(Tree, CopiesAreDeepAndIndependent)
{
	Tree src;
	src.Name("root");
	Tree& inner = src.AddChild("inner");
	inner.SetChild("k", "v");
	inner.AddChild().SetChildVar("n", 4);

	Tree copy = src;
	copy.GetChild("inner").SetChild("extra", "1");
	copy.AddChild("more");
	copy.GetChild("inner").GetChild("k").Value("changed");

	EXPECT_EQ(src.Children().size(), 1u);
	EXPECT_EQ(src.GetChild("inner").Children().size(), 2u);
	EXPECT_EQ(src.GetChild("inner").ChildValue("k", ""), "v");
	EXPECT_EQ(copy.Name(), "root");
	EXPECT_EQ(copy.GetChild("inner").Children().size(), 3u);
	EXPECT_EQ(copy.GetChild("inner").Children().back().Name(), "extra");

	Tree assigned;
	assigned = src;
	EXPECT_EQ(assigned.GetChild("inner").GetChildNum(1)->ChildValue("n", ""), "4");
}
