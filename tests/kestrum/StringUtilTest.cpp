// Tests of string predicates, in-place editing and the wildcard matcher.
#include "Kestrum/Utility/String.h"

#include <gtest/gtest.h>

using namespace Kestrum;
namespace STest = Kestrum::String::Test;
namespace Util = Kestrum::String::Util;

TEST(StringUtil, Globber)
{
	struct Case { const char* pattern; const char* text; bool match; } cases[] = {
		{"*.txt", "a.txt", true}, {"*.txt", ".txt", true}, {"*.txt", "a.TXT", false},
		{"a?c", "abc", true}, {"a?c", "ac", false}, {"*", "", true}, {"*", "anything", true},
		{"**", "", true}, {"**", "xyz", true}, {"", "", true}, {"", "a", false},
		{"a*b*c", "aXbYc", true}, {"a*b*c", "abc", true}, {"a*b*c", "acb", false},
		{"*ab", "aab", true}, {"*aab", "aaab", true}, {"a*", "b", false}, {"?", "", false},
		{"abc", "abcd", false}, {"abcd", "abc", false}, {"*x*", "aaaaaaaaaaaaaaaaaaaab", false},
		{"*a*a*a*a*b", "aaaaaaaaaaaaaaaaaaaaaaaa", false}, {"ab*", "ab", true},
	};
	for (const Case& c : cases)
	{
		EXPECT_EQ(globber(c.pattern, c.text), c.match) << c.pattern << " / " << c.text;
		EXPECT_EQ(STest::Wildcard(c.pattern, c.text), c.match) << c.pattern << " / " << c.text;
	}
}

TEST(StringUtil, StartsEndsContains)
{
	EXPECT_TRUE(STest::StartsWith("", ""));
	EXPECT_TRUE(STest::StartsWith("abc", ""));
	EXPECT_TRUE(STest::StartsWith("abc", "ab"));
	EXPECT_FALSE(STest::StartsWith("abc", "bc"));
	EXPECT_FALSE(STest::StartsWith("ab", "abc"));
	EXPECT_TRUE(STest::EndsWith("abc", "abc"));
	EXPECT_TRUE(STest::EndsWith("abc", ""));
	EXPECT_TRUE(STest::EndsWith("abcbc", "bc"));
	EXPECT_FALSE(STest::EndsWith("bc", "abc"));
	EXPECT_FALSE(STest::EndsWith("abcb", "bc"));

	EXPECT_TRUE(STest::Contains("anything", ""));
	EXPECT_TRUE(STest::Contains("", ""));
	EXPECT_TRUE(STest::Contains("workshop,Addon", "addon", true));
	EXPECT_FALSE(STest::Contains("workshop,Addon", "addon", false));
	EXPECT_FALSE(STest::Contains("ab", "abc", true));

	EXPECT_TRUE(STest::ContainsChar("abc", 'b'));
	EXPECT_FALSE(STest::ContainsChar("", 'b'));
	EXPECT_TRUE(STest::ContainsChar(BString("a\0b", 3), '\0'));

	EXPECT_TRUE(STest::ContainsOnly("", "abc"));
	EXPECT_TRUE(STest::ContainsOnly("cab", "abc"));
	EXPECT_FALSE(STest::ContainsOnly("cabd", "abc"));
	EXPECT_FALSE(STest::ContainsOnly("a", ""));
	EXPECT_FALSE(STest::ContainsAny("", "abc"));
	EXPECT_TRUE(STest::ContainsAny("xyzc", "abc"));
	EXPECT_FALSE(STest::ContainsAny("xyz", "abc"));
}

TEST(StringUtil, ICompareAndIsNumber)
{
	EXPECT_TRUE(STest::ICompare("ABC", "abc"));
	EXPECT_FALSE(STest::ICompare("abc", "abcd"));
	EXPECT_TRUE(STest::ICompare("", ""));

	struct Case { const char* text; bool number; } cases[] = {
		{"12", true}, {" 12", true}, {"1e5", true}, {"0x1A", true}, {"-3.5", true}, {"inf", true},
		{"12 ", false}, {"", false}, {"abc", false}, {" ", false}, {"1e", false}, {"--1", false},
	};
	for (const Case& c : cases)
		EXPECT_EQ(STest::IsNumber(c.text), c.number) << '"' << c.text << '"';
	EXPECT_FALSE(STest::IsNumber(BString("12\0x", 4)));
}

TEST(StringUtil, FindAndReplace)
{
	struct Case { const char* in; const char* find; const char* repl; const char* out; } cases[] = {
		{"a.b.c", ".", "::", "a::b::c"},
		{"aaa", "a", "aa", "aaaaaa"},       // replacement text is not searched again
		{"abcabc", "abc", "", ""},
		{"xyz", "q", "r", "xyz"},
		{"a///b", "//", "/", "a//b"},
		{"", "a", "b", ""},
		{"abc", "", "X", "abc"},           // an empty search text replaces nothing
		{"abc", "", "", "abc"},
	};
	for (const Case& c : cases)
	{
		BString s = c.in;
		Util::FindAndReplace(s, c.find, c.repl);
		EXPECT_EQ(s, c.out) << c.in << " / " << c.find;
	}
}

TEST(StringUtil, Trims)
{
	BString s = "  xx  ";
	Util::TrimRight(s, " ");
	EXPECT_EQ(s, "  xx");
	Util::TrimLeft(s, " ");
	EXPECT_EQ(s, "xx");
	s = "\t- a -\t";
	Util::Trim(s, "\t- ");
	EXPECT_EQ(s, "a");
	s = "----";
	Util::Trim(s, "-");
	EXPECT_EQ(s, "");
	s = "abc";
	Util::Trim(s, "");
	EXPECT_EQ(s, "abc");
	s = "";
	Util::TrimRight(s, "x");
	EXPECT_EQ(s, "");
}

TEST(StringUtil, Split)
{
	struct Case { const char* in; const char* sep; String::List out; } cases[] = {
		{"a,,b", ",", {"a", "", "b"}},
		{"", ",", {""}},
		{",", ",", {"", ""}},
		{"a::b::", "::", {"a", "b", ""}},
		{"abc", ",", {"abc"}},
	};
	for (const Case& c : cases)
	{
		String::List out;
		Util::Split(c.in, c.sep, out);
		EXPECT_EQ(out, c.out) << c.in;
	}

	String::List kept = {"x"};
	Util::Split("a b", " ", kept);
	EXPECT_EQ(kept, (String::List{"x", "a", "b"}));
	Util::Split("a b", "", kept);   // an empty separator splits nothing
	EXPECT_EQ(kept, (String::List{"x", "a", "b"}));
}

TEST(StringUtil, CountAndTrimAroundFind)
{
	EXPECT_EQ(Util::Count("a.b.c.", '.'), 3);
	EXPECT_EQ(Util::Count("", '.'), 0);

	struct Case { const char* in; const char* find; bool including; const char* after; const char* before; } cases[] = {
		{"a::b", "::", false, "a::", "::b"},
		{"a::b", "::", true, "a", "b"},
		{"a::b::c", "::", true, "a", "b::c"},
		{"abc", "::", true, "abc", "abc"},
		{"", "::", false, "", ""},
	};
	for (const Case& c : cases)
	{
		BString a = c.in, b = c.in;
		Util::TrimAfter(a, c.find, c.including);
		Util::TrimBefore(b, c.find, c.including);
		EXPECT_EQ(a, c.after) << c.in;
		EXPECT_EQ(b, c.before) << c.in;
	}
}
