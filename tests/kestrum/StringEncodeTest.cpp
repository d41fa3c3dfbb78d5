// Tests of Base64 and URL encoding.
#include "Kestrum/Utility/String.h"

#include <gtest/gtest.h>

using namespace Kestrum;
namespace Encode = Kestrum::String::Encode;
namespace Decode = Kestrum::String::Decode;

TEST(StringEncode, Base64RoundTrips)
{
	struct Case { const char* plain; const char* encoded; } cases[] = {
		{"", ""}, {"M", "TQ=="}, {"Ma", "TWE="}, {"Man", "TWFu"}, {"foobar", "Zm9vYmFy"},
		{"\xff\xfe\xfd", "//79"},
	};
	for (const Case& c : cases)
	{
		BString s = c.plain;
		Encode::Base64(s);
		EXPECT_EQ(s, c.encoded);
		Decode::Base64(s);
		EXPECT_EQ(s, c.plain);
	}

	BString all;
	for (int i = 0; i < 256; ++i)
		all += static_cast<char>(i);
	BString s = all;
	Encode::Base64(s);
	EXPECT_EQ(s.find_first_of("\r\n"), BString::npos);
	Decode::Base64(s);
	EXPECT_EQ(s, all);
}

TEST(StringEncode, Base64DecodeLenient)
{
	struct Case { const char* encoded; const char* plain; } cases[] = {
		{"TWE", "Ma"}, {"TQ", "M"}, {"TWFu=garbage!", "Man"}, {"TWE=TWFu", "Ma"}, {"=", ""},
	};
	for (const Case& c : cases)
	{
		BString s = c.encoded;
		Decode::Base64(s);
		EXPECT_EQ(s, c.plain) << c.encoded;
	}
}

TEST(StringEncode, Base64DecodeErrors)
{
	struct Case { const char* encoded; const char* kept; } cases[] = {
		{"T", ""}, {"TWFu ", "Man"}, {"TWFuT", "Man"}, {"T=", ""}, {"TW\nFu", "M"}, {"TWFu\xc3", "Man"},
	};
	for (const Case& c : cases)
	{
		BString s = c.encoded;
		try
		{
			Decode::Base64(s);
			ADD_FAILURE() << "no error for " << c.encoded;
		}
		catch (const std::runtime_error& e)
		{
			EXPECT_STREQ(e.what(), "base64 decode error");
			EXPECT_EQ(s, c.kept) << c.encoded;
		}
	}
}

TEST(StringEncode, URL)
{
	struct Case { BString plain; const char* encoded; } cases[] = {
		{"a b&c", "a%20b%26c"}, {"\xe9", "%E9"}, {"A-Z_a.z~", "A-Z_a.z~"}, {"", ""},
		{BString("\0+/", 3), "%00%2B%2F"},
	};
	for (const Case& c : cases)
	{
		BString s = c.plain;
		Encode::URL(s);
		EXPECT_EQ(s, c.encoded);
	}
}
