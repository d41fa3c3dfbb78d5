// Tests of the macOS platform layer's placeholders, compiled here as Kestrum::Platform::Mac.
#include "Kestrum/Platform/PlatformMac.h"

#include <gtest/gtest.h>

#include <chrono>

#include <sys/stat.h>
#include <unistd.h>

#include "fixtures/ArgRecorder.h"
#include "fixtures/ScratchFolder.h"

using namespace Kestrum;

TEST( PlatformMac, Placeholders )
{
	EXPECT_EQ( "todo", Platform::Mac::LastError() );
	EXPECT_EQ( "todo", Platform::Mac::FullProgramName() );
	EXPECT_EQ( "todo", Platform::Mac::ProgramName() );
	EXPECT_EQ( "todo", Platform::Mac::ProgramFolder() );
	EXPECT_EQ( Platform::Internal::UserNameForId( (unsigned int)geteuid() ), Platform::Mac::CurrentUserName() );
	EXPECT_EQ( 800u, Platform::Mac::DesktopWidth() );
	EXPECT_EQ( 600u, Platform::Mac::DesktopHeight() );
	EXPECT_EQ( "/tmp", Platform::Mac::TemporaryDir() );
	Platform::Mac::SetupAssociation( "zva" );

	testing::internal::CaptureStdout();
	EXPECT_TRUE( Platform::Mac::Popup( "Error", "shown nowhere" ) );
	Platform::Mac::DebuggerOutput( "100%d\n" );
	EXPECT_EQ( "100%d\n", testing::internal::GetCapturedStdout() );
}

TEST( PlatformMac, FindFilesListsNothing )
{
	ScratchFolder folder;
	ASSERT_TRUE( folder.Ok() );
	mkdir( ( folder / "sub" ).c_str(), 0755 );

	String::List files { "kept" }, folders;
	EXPECT_EQ( 0, Platform::Mac::FindFiles( &files, &folders, folder / "*", true ) );
	EXPECT_EQ( String::List { "kept" }, files );
	EXPECT_TRUE( folders.empty() );
	EXPECT_EQ( 0, Platform::Mac::FindFiles( nullptr, nullptr, "", false ) );
}

TEST( PlatformMac, ProcessesAndPagesStartNothing )
{
	ScratchFolder folder;
	ASSERT_TRUE( folder.Ok() );
	ArgRecorder program( folder.Path() );

	Platform::Mac::StartProcess( program.Script(), true );
	Platform::Mac::OpenWebpage( "http://example.com/" );
	EXPECT_EQ( "", program.Wait( 200 ) );
}

TEST( PlatformMac, TemporaryFilenameIsTmpBeforeTheTemporaryPath )
{
	const BString strName = Platform::Mac::TemporaryFilename();
	EXPECT_EQ( 0u, strName.rfind( BString( "/tmp" ) + P_tmpdir + "/", 0 ) );
	EXPECT_EQ( BString::npos, strName.find( '\\' ) );
}

TEST( PlatformMac, Sleep )
{
	const auto start = std::chrono::steady_clock::now();
	Platform::Mac::Sleep( 10 );
	EXPECT_GE( std::chrono::steady_clock::now() - start, std::chrono::milliseconds( 10 ) );
}
