// Tests of the POSIX helpers behind both platform layers: user names, detached processes,
// temporary names and sleeping.
#include "Kestrum/Platform/Platform.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <chrono>
#include <fstream>

#include <pwd.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "fixtures/ArgRecorder.h"
#include "fixtures/ScratchFolder.h"

using namespace Kestrum;

namespace
{
	// True when this process has no child left, running or unreaped.
	bool HasNoChildren()
	{
		int iStatus;
		return waitpid( -1, &iStatus, WNOHANG ) < 0 && errno == ECHILD;
	}

	bool Exists( const std::string& strPath )
	{
		struct stat info;
		return lstat( strPath.c_str(), &info ) == 0;
	}
}

TEST( PlatformPosix, UserNameForIdWithoutPasswordEntryIsUnknown )
{
	unsigned int iId = 0x7ffffff0u;
	while ( getpwuid( (uid_t)iId ) )
		iId--;
	EXPECT_EQ( "<UNKNOWN>", Platform::Internal::UserNameForId( iId ) );

	const passwd* pSelf = getpwuid( geteuid() );
	ASSERT_NE( nullptr, pSelf );
	EXPECT_EQ( pSelf->pw_name, Platform::Internal::UserNameForId( (unsigned int)geteuid() ) );
}

TEST( PlatformPosix, OpenerGetsTheAddressAsItsOnlyArgument )
{
	ScratchFolder folder;
	ASSERT_TRUE( folder.Ok() );
	ArgRecorder opener( folder.Path(), "opener" );

	// Shell syntax in the address must reach the opener untouched and run nothing.
	const std::string strURL = "http://example.com/a b?x=1&y=$(touch " + folder.Path() + "/pwned);`id`'\"";
	Platform::Internal::OpenWebpageWith( opener.Script(), strURL );

	EXPECT_EQ( "1\n" + strURL + "\n", opener.Wait() );
	EXPECT_FALSE( Exists( folder / "pwned" ) );
	EXPECT_TRUE( HasNoChildren() );
}

TEST( PlatformPosix, SpawnFindsProgramsOnPath )
{
	ScratchFolder folder;
	ASSERT_TRUE( folder.Ok() );
	ArgRecorder program( folder.Path(), "zv-recorder" );

	const char* pOldPath = getenv( "PATH" );
	const std::string strOldPath = pOldPath ? pOldPath : "";
	setenv( "PATH", ( folder.Path() + ":" + strOldPath ).c_str(), 1 );
	Platform::Internal::SpawnDetached( "zv-recorder", { "zv-recorder", "one", "two words" } );
	setenv( "PATH", strOldPath.c_str(), 1 );

	EXPECT_EQ( "2\none\ntwo words\n", program.Wait() );
	EXPECT_TRUE( HasNoChildren() );
}

TEST( PlatformPosix, FailedExecEndsTheChildAtOnce )
{
	ScratchFolder folder;
	ASSERT_TRUE( folder.Ok() );
	const std::string strMarks = folder / "marks";
	const pid_t self = getpid();

	const std::string programs[] = { "/nonexistent/program", "", "zv-no-such-program-on-path", std::string( 1 << 20, 'a' ),
		folder.Path() };
	for ( const std::string& strProgram : programs )
	{
		Platform::Internal::SpawnDetached( strProgram, { strProgram, std::string( 1 << 20, 'x' ) } );

		// A child that came back from a failed exec would run on from here.
		std::ofstream( strMarks, std::ios::app ) << getpid() << "\n";
		if ( getpid() != self )
			_exit( 0 );
	}

	Platform::Internal::SleepMilliseconds( 200 );
	std::ifstream in( strMarks );
	int iLines = 0;
	for ( std::string strLine; std::getline( in, strLine ); iLines++ )
		EXPECT_EQ( std::to_string( self ), strLine );
	EXPECT_EQ( 5, iLines );
	EXPECT_TRUE( HasNoChildren() );
}

TEST( PlatformPosix, UniqueTempPathNamesNothingYet )
{
	const BString strA = Platform::Internal::UniqueTempPath();
	const BString strB = Platform::Internal::UniqueTempPath();
	EXPECT_NE( strA, strB );
	EXPECT_EQ( 0u, strA.rfind( BString( P_tmpdir ) + "/", 0 ) );
	EXPECT_FALSE( Exists( strA ) );
	EXPECT_FALSE( Exists( strB ) );
}

TEST( PlatformPosix, SleepWaitsAboutTheTimeAsked )
{
	using Clock = std::chrono::steady_clock;
	auto start = Clock::now();
	Platform::Internal::SleepMilliseconds( 0 );
	EXPECT_LT( Clock::now() - start, std::chrono::milliseconds( 50 ) );

	start = Clock::now();
	Platform::Internal::SleepMilliseconds( 10 );
	const auto elapsed = Clock::now() - start;
	EXPECT_GE( elapsed, std::chrono::milliseconds( 10 ) );
	EXPECT_LT( elapsed, std::chrono::milliseconds( 500 ) );
}
