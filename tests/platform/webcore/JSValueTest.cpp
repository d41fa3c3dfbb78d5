// JavaScript values of the web-core stand-in and their conversions.
#include "webcore/JSValue.h"

#include <cmath>
#include <string>

#include <gtest/gtest.h>

using namespace Awesomium;

namespace
{
WebString Web(const std::string &s)
{
	return WebString::CreateFromUTF8(s.data(), static_cast<unsigned int>(s.size()));
}
std::string Utf8(const WebString &s)
{
	std::string text(s.length(), '\0');
	s.ToUTF8(text.data(), s.length());
	return text;
}
}

TEST(JSValue, ConvertsAsAPageScriptWould)
{
	const struct
	{
		JSValue value;
		bool b;
		int i;
		const char *text;
	} kCases[] = {
		{ JSValue(), false, 0, "undefined" },
		{ JSValue::Null(), false, 0, "null" },
		{ JSValue(true), true, 1, "true" },
		{ JSValue(42), true, 42, "42" },
		{ JSValue(2.5), true, 2, "2.5" },
		{ JSValue(-2.5), true, -2, "-2.5" },
		{ JSValue(1e300), true, 0, "1.0000000000000001e+300" },
		{ JSValue(Web("17")), true, 17, "17" },
		{ JSValue(Web("abc")), true, 0, "abc" },
		{ JSValue(Web("")), false, 0, "" },
		{ JSValue(JSObject(3)), true, 0, "[object Object]" },
	};
	for (const auto &c : kCases)
	{
		EXPECT_EQ(c.value.ToBoolean(), c.b) << c.text;
		EXPECT_EQ(c.value.ToInteger(), c.i) << c.text;
		EXPECT_EQ(Utf8(c.value.ToString()), c.text);
	}
	EXPECT_TRUE(std::isnan(JSValue(Web("abc")).ToDouble()));
	EXPECT_EQ(JSValue(JSObject(3)).ToObject().remote_id(), 3u);
	EXPECT_EQ(JSValue(5).ToObject().remote_id(), 0u);
}

TEST(JSValue, ArraysNestAndCopyTheirElements)
{
	JSArray inner;
	inner.Push(JSValue(1));
	inner.Push(JSValue(Web("two")));
	JSArray outer;
	outer.Push(JSValue(inner));
	outer.Push(JSValue(false));
	inner.Clear();  // the value kept its own copy

	JSValue value(outer);
	ASSERT_TRUE(value.IsArray());
	ASSERT_EQ(value.ToArray().size(), 2u);
	EXPECT_EQ(value.ToArray()[0].ToArray().size(), 2u);
	EXPECT_EQ(Utf8(value.ToString()), "1,two,false");
	EXPECT_EQ(JSValue(3).ToArray().size(), 0u);
	EXPECT_THROW(outer.At(5), std::out_of_range);
}
