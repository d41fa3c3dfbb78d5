// Tests of the Linux platform layer: names, fixed answers, folder listing and processes.
#include "Kestrum/Platform/Platform.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
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
	String::List Sorted( String::List list )
	{
		std::sort( list.begin(), list.end() );
		return list;
	}

	void Touch( const std::string& strPath )
	{
		std::ofstream( strPath ) << "x";
	}
}

TEST( PlatformLinux, Names )
{
	errno = ENOENT;
	EXPECT_EQ( strerror( ENOENT ), Platform::LastError() );

	// The name this process was started with, as the kernel keeps it.
	std::ifstream cmdline( "/proc/self/cmdline", std::ios::binary );
	std::string strStarted;
	std::getline( cmdline, strStarted, '\0' );
	ASSERT_FALSE( strStarted.empty() );
	const size_t iSlash = strStarted.rfind( '/' );

	EXPECT_EQ( strStarted, Platform::FullProgramName() );
	EXPECT_EQ( strStarted.substr( iSlash == std::string::npos ? 0 : iSlash + 1 ), Platform::ProgramName() );
	EXPECT_EQ( iSlash == std::string::npos ? "" : strStarted.substr( 0, iSlash + 1 ), Platform::ProgramFolder() );

	const passwd* pSelf = getpwuid( geteuid() );
	ASSERT_NE( nullptr, pSelf );
	EXPECT_EQ( pSelf->pw_name, Platform::CurrentUserName() );
}

TEST( PlatformLinux, FixedAnswers )
{
	EXPECT_EQ( 800u, Platform::DesktopWidth() );
	EXPECT_EQ( 600u, Platform::DesktopHeight() );
	EXPECT_EQ( "/tmp", Platform::TemporaryDir() );
	Platform::SetupAssociation( "zva" );

	testing::internal::CaptureStdout();
	EXPECT_TRUE( Platform::Popup( "Error", "shown nowhere" ) );
	Platform::DebuggerOutput( "a %s\n" );
	Platform::DebuggerOutput( "" );
	EXPECT_EQ( "a %s\n", testing::internal::GetCapturedStdout() );
}

TEST( PlatformLinux, TemporaryFilenameIsFreshAndUnderTmp )
{
	const BString strName = Platform::TemporaryFilename();
	EXPECT_EQ( 0u, strName.rfind( "/tmp/", 0 ) );
	EXPECT_EQ( BString::npos, strName.find( '\\' ) );
	struct stat info;
	EXPECT_NE( 0, lstat( strName.c_str(), &info ) );
	EXPECT_NE( strName, Platform::TemporaryFilename() );
}

class PlatformLinuxFind : public testing::Test
{
protected:
	void SetUp() override
	{
		ASSERT_TRUE( folder.Ok() );
		Touch( folder / "a.txt" );
		Touch( folder / "b.dat" );
		Touch( folder / ".hidden" );
		mkdir( ( folder / "sub" ).c_str(), 0755 );
		Touch( folder / "sub/inner.txt" );
		// Links are listed as themselves, never as the folders they point to.
		ASSERT_EQ( 0, symlink( "sub", ( folder / "linkdir" ).c_str() ) );
		ASSERT_EQ( 0, symlink( "a.txt", ( folder / "link.txt" ).c_str() ) );
	}

	ScratchFolder folder;
};

TEST_F( PlatformLinuxFind, Table )
{
	struct Case
	{
		const char* pPattern;
		bool bFiles, bFolders, bUpUp;
		String::List files, folders;
	};
	const Case cases[] = {
		{ "*", true, true, false, { ".hidden", "a.txt", "b.dat", "link.txt", "linkdir" }, { "sub" } },
		{ "*", true, true, true, { ".hidden", "a.txt", "b.dat", "link.txt", "linkdir" }, { ".", "..", "sub" } },
		// Without a folder list, folders and the dot entries land among the files.
		{ "*", true, false, false, { ".", "..", ".hidden", "a.txt", "b.dat", "link.txt", "linkdir", "sub" }, {} },
		{ "*", false, true, false, {}, { "sub" } },
		{ "*.txt", true, true, false, { "a.txt", "link.txt" }, {} },
		{ "?.*", true, true, false, { "a.txt", "b.dat" }, {} },
		{ "s*", true, true, false, {}, { "sub" } },
		{ "none*", true, true, false, {}, {} },
	};

	for ( const Case& c : cases )
	{
		SCOPED_TRACE( c.pPattern );
		String::List files { "kept" }, folders;
		const int iCount = Platform::FindFiles( c.bFiles ? &files : nullptr, c.bFolders ? &folders : nullptr,
			folder / c.pPattern, c.bUpUp );

		String::List expectFiles = c.files;
		expectFiles.push_back( "kept" );
		EXPECT_EQ( Sorted( expectFiles ), Sorted( files ) );
		EXPECT_EQ( Sorted( c.folders ), Sorted( folders ) );
		EXPECT_EQ( (int)( c.files.size() + c.folders.size() ), iCount );
	}
}

TEST_F( PlatformLinuxFind, BadFoldersListNothing )
{
	String::List files, folders;
	const BString huge( 100000, 'a' );
	for ( const BString& strFind : { folder / "missing/*", folder / "a.txt/*", huge + "/*", huge, BString( "\n/*" ) } )
		EXPECT_EQ( 0, Platform::FindFiles( &files, &folders, strFind, true ) );
	EXPECT_TRUE( files.empty() );
	EXPECT_TRUE( folders.empty() );
}

TEST( PlatformLinux, StartProcessRunsTheProgramAloneAndLeavesNoZombie )
{
	ScratchFolder folder;
	ASSERT_TRUE( folder.Ok() );
	ArgRecorder program( folder.Path() );

	Platform::StartProcess( program.Script(), true );
	EXPECT_EQ( "0\n", program.Wait() );

	int iStatus;
	EXPECT_TRUE( waitpid( -1, &iStatus, WNOHANG ) < 0 && errno == ECHILD );
}
