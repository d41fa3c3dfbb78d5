// Web strings and URL splitting of the web-core stand-in.
#include "webcore/WebString.h"

#include <string>

#include <gtest/gtest.h>

using Awesomium::WebString;
using Awesomium::WebURL;

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

TEST(WebString, ToUTF8ReportsTheLengthAndCopiesAtMostTheBuffer)
{
	WebString s = Web("hello");
	EXPECT_FALSE(s.IsEmpty());
	EXPECT_EQ(s.ToUTF8(nullptr, 0), 5u);
	char buf[3] = { 'x', 'x', 'x' };
	EXPECT_EQ(s.ToUTF8(buf, 2), 2u);
	EXPECT_EQ(std::string(buf, 3), "hex");
	EXPECT_TRUE(WebString::CreateFromUTF8(nullptr, 4).IsEmpty());
	EXPECT_TRUE(WebString().IsEmpty());
}

TEST(WebURL, SplitsSchemeHostAndPath)
{
	const struct
	{
		const char *url;
		bool valid;
		const char *scheme, *host, *path;
	} kCases[] = {
		{ "asset://zorvan/html/loading.html?x=1", true, "asset", "zorvan", "/html/loading.html?x=1" },
		{ "ASSET://Zorvan", true, "asset", "Zorvan", "" },
		{ "asset://zorvan?q", true, "asset", "zorvan", "?q" },
		{ "data:text/html,%3Cp%3E", true, "data", "", "text/html,%3Cp%3E" },
		{ "about:blank", true, "about", "", "blank" },
		{ "no scheme here", false, "", "", "" },
		{ ":empty", false, "", "", "" },
		{ "1http://x", false, "", "", "" },
		{ "", false, "", "", "" },
	};
	for (const auto &c : kCases)
	{
		WebURL url(Web(c.url));
		EXPECT_EQ(url.IsValid(), c.valid) << c.url;
		EXPECT_EQ(Utf8(url.scheme()), c.scheme) << c.url;
		EXPECT_EQ(Utf8(url.host()), c.host) << c.url;
		EXPECT_EQ(Utf8(url.path()), c.path) << c.url;
		EXPECT_EQ(Utf8(url.address()), c.url);
	}
}
