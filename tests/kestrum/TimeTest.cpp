// Tests of Unix time stamps.
#include "Kestrum/Utility/Time.h"

#include <gtest/gtest.h>

#include <ctime>

using namespace Kestrum;

TEST( Time, TimestampFollowsTheSystemClock )
{
	const uint64_t iBefore = (uint64_t)time( nullptr );
	const uint64_t iStamp = Time::UnixTimestamp();
	const uint64_t iAfter = (uint64_t)time( nullptr );
	EXPECT_LE( iBefore, iStamp );
	EXPECT_LE( iStamp, iAfter );
	EXPECT_GT( iStamp, 1600000000u );
}

TEST( Time, StringIsPlainDecimal )
{
	const BString strStamp = Time::UnixTimestampAsString();
	ASSERT_FALSE( strStamp.empty() );
	EXPECT_NE( '0', strStamp[0] );
	EXPECT_EQ( BString::npos, strStamp.find_first_not_of( "0123456789" ) );
	const uint64_t iValue = std::stoull( strStamp );
	EXPECT_LE( iValue, Time::UnixTimestamp() );
	EXPECT_GE( iValue + 2, Time::UnixTimestamp() );
}
