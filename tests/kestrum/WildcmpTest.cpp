// Tests of the one-pass wildcard matcher.
#include "Kestrum/Platform/Platform.h"

#include <gtest/gtest.h>

#include <string>

TEST( Wildcmp, Table )
{
	struct Case
	{
		const char* pWild;
		const char* pText;
		bool bMatch;
	};
	const Case cases[] = {
		{ "*.txt", "a.txt", true },
		{ "*.txt", ".txt", true },
		{ "*.txt", "a.TXT", false },
		{ "*.txt", "a.txt.bak", false },
		{ "a?c", "abc", true },
		{ "a?c", "ac", false },
		{ "*", "", true },
		{ "**", "", true },
		{ "*", "anything", true },
		{ "", "", true },
		{ "", "a", false },
		{ "a", "", false },
		{ "a*b*c", "aXbYc", true },
		{ "a*b*c", "abc", true },
		{ "a*b*c", "acb", false },
		{ "*ab", "aab", true },
		{ "*aab", "aaab", true },
		{ "a*", "a", true },
		{ "?", "", false },
		{ "*?", "", false },
		{ "*?", "x", true },
		{ "abc", "abcd", false },
	};
	for ( const Case& c : cases )
		EXPECT_EQ( c.bMatch, wildcmp( c.pWild, c.pText ) ) << c.pWild << " vs " << c.pText;

	EXPECT_TRUE( wildcmp( nullptr, nullptr ) );
	EXPECT_TRUE( wildcmp( "*", nullptr ) );
}

TEST( Wildcmp, LongInputsStayLinearEnough )
{
	const std::string strText( 20000, 'a' );
	EXPECT_FALSE( wildcmp( "*a*a*a*b", strText.c_str() ) );
	EXPECT_TRUE( wildcmp( ( std::string( 100, '*' ) + "a" ).c_str(), strText.c_str() ) );
}
