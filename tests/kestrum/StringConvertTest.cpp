// Tests of text-to-value conversion, case conversion, random strings and list sorting.
#include "Kestrum/Utility/String.h"
#include "Kestrum/Utility/Random.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>

using namespace Kestrum;
namespace To = Kestrum::String::To;

TEST(StringConvert, Bool)
{
	struct Case { const char* text; bool value; } cases[] = {
		{"yes", true}, {"True", true}, {"t", true}, {"Y", true}, {"2", true}, {"maybe", true},
		{"no", false}, {"false", false}, {"0", false}, {"F", false}, {"N", false}, {"", false},
	};
	for (const Case& c : cases)
		EXPECT_EQ(To::Bool(c.text), c.value) << c.text;
}

TEST(StringConvert, Numbers)
{
	EXPECT_EQ(To::Int("12abc"), 12);
	EXPECT_EQ(To::Int(""), 0);
	EXPECT_EQ(To::Int("abc"), 0);
	EXPECT_EQ(To::Int("  -42"), -42);
	// Out-of-range text is held at the int limits instead of wrapping.
	EXPECT_EQ(To::Int("99999999999999999999"), INT_MAX);
	EXPECT_EQ(To::Int("-99999999999"), INT_MIN);

	EXPECT_EQ(To::UInt64("18446744073709551615"), 18446744073709551615ull);
	EXPECT_EQ(To::UInt64("a"), 0u);
	EXPECT_EQ(To::UInt64(""), 0u);
	EXPECT_EQ(To::UInt64("-1"), 18446744073709551615ull);
	EXPECT_EQ(To::UInt64(" 77x"), 77u);

	EXPECT_FLOAT_EQ(To::Float("1.25"), 1.25f);
	EXPECT_FLOAT_EQ(To::Float(""), 0.0f);
	EXPECT_FLOAT_EQ(To::Float("x"), 0.0f);
	EXPECT_TRUE(std::isinf(To::Float("1e300")));
	EXPECT_DOUBLE_EQ(To::Double("1e300"), 1e300);
	EXPECT_DOUBLE_EQ(To::Double(""), 0.0);
}

TEST(StringConvert, Floats)
{
	float f[4] = {9, 9, 9, 9};
	EXPECT_TRUE(To::Floats("1 2 3", f, 3));
	EXPECT_FLOAT_EQ(f[0], 1);
	EXPECT_FLOAT_EQ(f[1], 2);
	EXPECT_FLOAT_EQ(f[2], 3);
	EXPECT_FLOAT_EQ(f[3], 9);

	float g[4] = {9, 9, 9, 9};
	EXPECT_FALSE(To::Floats("1 2 3", g, 4));
	for (float v : g)
		EXPECT_FLOAT_EQ(v, 9);
	EXPECT_FALSE(To::Floats("1 2 3", g, -1));

	EXPECT_TRUE(To::Floats("1  3", g, 3));
	EXPECT_FLOAT_EQ(g[0], 1);
	EXPECT_FLOAT_EQ(g[1], 0);
	EXPECT_FLOAT_EQ(g[2], 3);

	// The empty text is one empty piece.
	EXPECT_TRUE(To::Floats("", g, 1));
	EXPECT_FLOAT_EQ(g[0], 0);
}

TEST(StringConvert, Case)
{
	BString s = "MiXeD 123 \xC9\xE9";
	String::Lower(s);
	EXPECT_EQ(s, "mixed 123 \xC9\xE9");
	String::Upper(s);
	EXPECT_EQ(s, "MIXED 123 \xC9\xE9");
}

TEST(StringConvert, RandomStringsUseTheirRanges)
{
	EXPECT_EQ(String::Random(0, true, true, true, true), "");
	EXPECT_EQ(String::Random(-3, true, true, true, true), "");

	BString letters = String::Random(400, true, false, false, false);
	ASSERT_EQ(letters.size(), 400u);
	EXPECT_EQ(letters.find_first_not_of("abcdefghijklmnopqrstuvwxy"), BString::npos);

	BString none = String::Random(200, false, false, false, true);
	EXPECT_EQ(none.find_first_not_of("abcdefghijklmnopqrstuvwxy"), BString::npos);

	BString mixed = String::Random(2000, true, true, true, false);
	EXPECT_EQ(mixed.size(), 2000u);
	EXPECT_EQ(mixed.find_first_not_of("abcdefghijklmnopqrstuvwxyABCDEFGHIJKLMNOPQRSTUVWXY012345678"), BString::npos);
	EXPECT_NE(mixed.find_first_of("ABCDEFGHIJKLMNOPQRSTUVWXY"), BString::npos);
	EXPECT_NE(mixed.find_first_of("012345678"), BString::npos);

	Math::Random::Seed(7);
	BString a = String::Random(32, true, true, true, false);
	Math::Random::Seed(7);
	EXPECT_EQ(String::Random(32, true, true, true, false), a);
}

TEST(StringConvert, SortList)
{
	String::List list = {"B", "a", "A"};
	String::SortList(list, false);
	EXPECT_EQ(list, (String::List{"A", "B", "a"}));
	String::SortList(list, true);
	EXPECT_EQ(list, (String::List{"a", "B", "A"}));
	String::List empty;
	String::SortList(empty, true);
	EXPECT_TRUE(empty.empty());
}
