// Tests of JSON import into and export from data trees, including hostile input.
#include "Kestrum/Data/Json.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

using Kestrum::BString;
using Kestrum::Data::Tree;
namespace Json = Kestrum::Data::Json;

namespace
{
	struct Leaf { const char* name; int id; const char* text; };

	void ExpectLeaves(const Tree& t, std::vector<Leaf> leaves)
	{
		ASSERT_EQ(t.Children().size(), leaves.size());
		auto it = t.Children().begin();
		for (const Leaf& l : leaves)
		{
			EXPECT_EQ(it->Name(), l.name);
			EXPECT_EQ(it->Info(), l.id) << l.name;
			EXPECT_EQ(it->Value(), l.text) << l.name;
			++it;
		}
	}

	BString Exported(const Tree& t, bool pretty = false)
	{
		BString out = "old";
		EXPECT_TRUE(Json::Export(t, out, pretty));
		return out;
	}
}

TEST(Json, ImportObjectMembers)
{
	Tree t;
	ASSERT_TRUE(Json::Import(t, R"({"a": 1, "b": "x", "c": true, "d": null, "e": false})"));
	ExpectLeaves(t, {{"a", 3, "1"}, {"b", 1, "x"}, {"c", 4, "true"}, {"e", 4, "false"}});
}

TEST(Json, ImportArrayElements)
{
	Tree t;
	ASSERT_TRUE(Json::Import(t, R"([1, 2.5, "s", null, -2147483648])"));
	ExpectLeaves(t, {{"", 3, "1"}, {"", 2, "2.5"}, {"", 1, "s"}, {"", 3, "-2147483648"}});
}

TEST(Json, ImportNumberTyping)
{
	Tree t;
	ASSERT_TRUE(Json::Import(t, R"({"n": 3000000000, "m": 2147483647, "o": -2147483649, "q": 0.123456,
		"big": 1e300, "neg": -1e300, "u": 18446744073709551615, "z": 1e-300,
		"long": 123456789012345678901234567890})"));
	ExpectLeaves(t, {{"n", 2, "3000000000"}, {"m", 3, "2147483647"}, {"o", 2, "-2147483648"}, {"q", 2, "0.1235"},
		{"big", 2, "inf"}, {"neg", 2, "-inf"}, {"u", 2, "18446744073709551616"}, {"z", 2, "0"},
		{"long", 2, "123456789182729271864492818432"}});
}

TEST(Json, ImportNestingAndNullDroppingKeepNames)
{
	Tree t;
	ASSERT_TRUE(Json::Import(t, R"({"o": {"k": null}, "arr": [{"x": null}, 7, [], {}], "s": "v"})"));
	ASSERT_EQ(t.Children().size(), 3u);
	const Tree& o = t.GetChild("o");
	EXPECT_EQ(o.Info(), 0);
	EXPECT_FALSE(o.HasChildren());
	const Tree& arr = t.GetChild("arr");
	ASSERT_EQ(arr.Children().size(), 4u);
	for (const Tree& c : arr.Children())
		EXPECT_EQ(c.Name(), "");
	EXPECT_EQ(arr.Children().front().Children().size(), 0u);
	EXPECT_EQ(std::next(arr.Children().begin())->Value(), "7");
	EXPECT_EQ(t.ChildValue("s", ""), "v");
}

TEST(Json, ImportAppendsAfterExistingChildren)
{
	Tree t;
	t.Name("keep");
	t.SetChild("first", "1");
	ASSERT_TRUE(Json::Import(t, R"({"second": "2"})"));
	ExpectLeaves(t, {{"first", 1, "1"}, {"second", 1, "2"}});
	EXPECT_EQ(t.Name(), "keep");
	EXPECT_EQ(t.Info(), 0);
}

TEST(Json, ImportStringsStopAtNul)
{
	Tree t;
	ASSERT_TRUE(Json::Import(t, R"({"ke\u0000y": "va\u0000lue", "esc": "tab\there \u00e9"})"));
	ExpectLeaves(t, {{"ke", 1, "va"}, {"esc", 1, "tab\there \xc3\xa9"}});
}

TEST(Json, ImportRefusesBadText)
{
	const std::vector<BString> bad = {
		"", "   ", "1", "\"text\"", "true", "null", "{", "[1,", "{\"a\":}", "{\"a\" 1}", "[1]x", "{} {}",
		"[01]", "[1e400]", "[-1e400]", "[\"\\uD800\"]", "[\"unterminated", "{'a':1}", "[nan]", "[Infinity]",
		"[\"bad \xff utf8\"]", "[\"\xc3\"]", "{\"\xe9\": 1}", BString("{}\0{}", 5), BString("[\"a\0b\"]", 7),
		"[\"ctl \x01\"]", "\xef\xbb\xbf{}", "[\"\xc0\xaf\"]", "[\"\xed\xa0\x80\"]", "[\"\xf4\x90\x80\x80\"]",
		"[\"\xe2\x82\"]", "[\"abc\xe2\x82", "[\"\xf8\x88\x80\x80\x80\"]", "[\"\x80\"]",
		BString("[\"0123456789\0abcdef\"]", 20), BString("[1,2,3,4,5,6,7,8,9]\0", 20),
	};
	for (const BString& text : bad)
	{
		Tree t;
		t.SetChild("x", "y");
		EXPECT_FALSE(Json::Import(t, text)) << text;
		ASSERT_EQ(t.Children().size(), 1u) << text;
	}
}

TEST(Json, ImportKeepsValidUtf8)
{
	Tree t;
	const BString text = "{\"caf\xc3\xa9\": \"\xe2\x82\xac \xf0\x9f\x98\x80 \xed\x9f\xbf \xf4\x8f\xbf\xbf\", \"e\": \"\\ud83d\\ude00\"}";
	ASSERT_TRUE(Json::Import(t, text));
	ExpectLeaves(t, {{"caf\xc3\xa9", 1, "\xe2\x82\xac \xf0\x9f\x98\x80 \xed\x9f\xbf \xf4\x8f\xbf\xbf"}, {"e", 1, "\xf0\x9f\x98\x80"}});
}

TEST(Json, ImportDepthLimit)
{
	auto nested = [](size_t depth, const char* open, const char* close) {
		BString s;
		for (size_t i = 0; i < depth; ++i)
			s += open;
		for (size_t i = 0; i < depth; ++i)
			s += close;
		return s;
	};
	Tree ok;
	EXPECT_TRUE(Json::Import(ok, nested(Json::kMaxDepth, "[", "]")));
	Tree okObj;
	EXPECT_TRUE(Json::Import(okObj, nested(Json::kMaxDepth - 1, "{\"a\":", "}").insert((Json::kMaxDepth - 1) * 5, "{}")));
	Tree objTooDeep;
	EXPECT_FALSE(Json::Import(objTooDeep, nested(Json::kMaxDepth, "{\"a\":", "}").insert(Json::kMaxDepth * 5, "{}")));

	Tree tooDeep;
	EXPECT_FALSE(Json::Import(tooDeep, nested(Json::kMaxDepth + 1, "[", "]")));
	EXPECT_FALSE(tooDeep.HasChildren());
	// Far deeper than any stack could recurse, unterminated too.
	EXPECT_FALSE(Json::Import(tooDeep, BString(1000000, '[')));
	EXPECT_FALSE(Json::Import(tooDeep, nested(100000, "{\"k\":[", "]}")));
	EXPECT_FALSE(tooDeep.HasChildren());
}

TEST(Json, ImportSurvivesRandomAndTruncatedText)
{
	const BString doc = R"({"name": "addon", "tags": ["a", "b"], "n": [1, -2.5e3, true, null], "o": {"deep": [[{}]]}})";
	for (size_t len = 0; len < doc.size(); ++len)
	{
		Tree t;
		EXPECT_FALSE(Json::Import(t, doc.substr(0, len))) << len;
	}
	unsigned seed = 12345;
	for (int round = 0; round < 2000; ++round)
	{
		BString s = doc;
		for (int k = 0; k < 3; ++k)
		{
			seed = seed * 1103515245u + 12345u;
			s[(seed >> 8) % s.size()] = static_cast<char>(seed >> 24);
		}
		Tree t;
		Json::Import(t, s); // any result, no crash
	}
}

TEST(Json, ExportObjectKeysForUnnamedChildren)
{
	Tree t;
	t.SetChild("x", "s");
	t.SetChild("", "u1");
	t.SetChild("y", "n");
	t.SetChild("", "u2");
	t.SetChild("x", "dup");
	EXPECT_EQ(Exported(t), R"({"x":"s","_1_":"u1","y":"n","_2_":"u2","x":"dup"})");
}

TEST(Json, ExportArraysAndContainers)
{
	EXPECT_EQ(Exported(Tree()), "[]");

	Tree t;
	t.Name("ignored");
	t.Value("ignored");
	t.SetChild("", "a");
	t.SetChildVar("", 5);
	Tree& inner = t.AddChild();
	inner.SetChild("k", "v");
	inner.Value("lost");
	t.AddChild("").Value("typed");
	Tree& empty = t.AddChild();
	empty.Name("");
	EXPECT_EQ(Exported(t), R"(["a",5,{"k":"v"},"typed",[]])");
}

TEST(Json, ExportValuesByType)
{
	Tree t;
	t.SetChildVar("f", 0.1235f);
	Tree& d = t.SetChildVar("d", 0.0);
	d.Var(1234567.5);
	t.SetChildVar("i", -7);
	t.SetChildVar("b", true);
	t.SetChild("s", "q\"\\\n");

	// Typed text set by hand converts the way the type says.
	Tree& no = t.AddChild("yes");
	no.Var(false);
	EXPECT_EQ(Exported(t), R"({"f":0.1235,"d":1.23457e+06,"i":-7,"b":true,"s":"q\"\\\n","yes":false})");

	// Bool nodes whose text is not "true"/"false", as code writing the fields directly leaves them.
	Tree hand;
	ASSERT_TRUE(Json::Import(hand, R"({"yes": "yes", "zero": "0"})"));
	for (Tree& c : hand.Children())
	{
		c.m_Info = Tree::TypeBool;
	}
	EXPECT_EQ(Exported(hand), R"({"yes":true,"zero":false})");
}

TEST(Json, ExportWritesNullForInfinitiesAndNaN)
{
	Tree t;
	t.SetChildVar("inf", 1e300);
	t.SetChildVar("ninf", -HUGE_VAL);
	t.SetChildVar("nan", std::nan(""));
	t.SetChildVar("fnan", std::nanf(""));
	t.SetChildVar("ok", 2.5);
	BString out = Exported(t);
	EXPECT_EQ(out, R"({"inf":1e+300,"ninf":null,"nan":null,"fnan":null,"ok":2.5})");
	Tree back;
	EXPECT_TRUE(Json::Import(back, out));

	Tree imported;
	ASSERT_TRUE(Json::Import(imported, R"([1e300])"));
	EXPECT_EQ(Exported(imported), "[null]");
}

TEST(Json, ExportPrettyIndentsWithTabs)
{
	Tree t;
	t.GetChild("a").SetChildVar("", 1);
	t.SetChild("b", "c");
	EXPECT_EQ(Exported(t, true), "{\n\t\"a\": [\n\t\t1\n\t],\n\t\"b\": \"c\"\n}");
}

TEST(Json, ExportStopsNamesAndStringsAtNul)
{
	Tree t;
	t.SetChild(BString("ke\0y", 4), BString("va\0l", 4));
	EXPECT_EQ(Exported(t), R"({"ke":"va"})");
}

TEST(Json, RoundTripKeepsShapeNamesOrderStringsAndBools)
{
	const BString text = R"({"title":"T","tags":["x","y"],"n":{"i":3,"f":2.5,"b":false},"e":[],"o":{}})";
	Tree t;
	ASSERT_TRUE(Json::Import(t, text));
	BString out = Exported(t);
	EXPECT_EQ(out, R"({"title":"T","tags":["x","y"],"n":{"i":3,"f":2.5,"b":false},"e":[],"o":[]})");

	Tree again;
	ASSERT_TRUE(Json::Import(again, out));
	EXPECT_EQ(Exported(again), out);
}
