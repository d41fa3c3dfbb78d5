// Tests of files and folders: whole-file reads and writes with every failure reported, sizes
// past 4 GiB, folder creation, removal and listing that never follow links, temporary names.
#include "Kestrum/File/File.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>

#include <csignal>

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <sys/stat.h>
#include <unistd.h>

#include "fixtures/ScratchFolder.h"

using namespace Kestrum;

namespace
{
	void Put( const std::string& strPath, const std::string& strContent )
	{
		std::ofstream( strPath, std::ios::binary ) << strContent;
	}

	std::string Get( const std::string& strPath )
	{
		std::ifstream in( strPath, std::ios::binary );
		std::stringstream text;
		text << in.rdbuf();
		return text.str();
	}

	bool Present( const std::string& strPath )
	{
		struct stat info;
		return lstat( strPath.c_str(), &info ) == 0;
	}

	bool MakeSparse( const std::string& strPath, uint64_t iSize )
	{
		const int fd = open( strPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644 );
		if ( fd < 0 )
			return false;
		const bool bOk = ftruncate( fd, (off_t)iSize ) == 0;
		close( fd );
		return bOk;
	}

	// Sets TEMP (or unsets it for null) for one scope.
	class TempVariable
	{
	public:
		explicit TempVariable( const char* pValue )
		{
			const char* pOld = getenv( "TEMP" );
			m_bHad = pOld != nullptr;
			if ( pOld )
				m_strOld = pOld;
			if ( pValue )
				setenv( "TEMP", pValue, 1 );
			else
				unsetenv( "TEMP" );
		}
		~TempVariable()
		{
			if ( m_bHad )
				setenv( "TEMP", m_strOld.c_str(), 1 );
			else
				unsetenv( "TEMP" );
		}

	private:
		bool m_bHad;
		std::string m_strOld;
	};

	class FileTest : public testing::Test
	{
	protected:
		void SetUp() override { ASSERT_TRUE( folder.Ok() ); }
		ScratchFolder folder;
	};
}

TEST_F( FileTest, ReadAppendsAtThePositionAndSetsWritten )
{
	Put( folder / "f", "hello" );
	AutoBuffer buffer( 0 );
	buffer.Write( "0123456789", 10 );
	buffer.SetPos( 3 );

	ASSERT_TRUE( File::Read( folder / "f", buffer ) );
	EXPECT_EQ( 8u, buffer.GetPos() );
	EXPECT_EQ( 8u, buffer.GetWritten() );  // set, not raised: the old 10 goes
	EXPECT_EQ( 0, memcmp( "012hello", buffer.GetBase(), 8 ) );

	Put( folder / "empty", "" );
	buffer.SetPos( 4 );
	ASSERT_TRUE( File::Read( folder / "empty", buffer ) );
	EXPECT_EQ( 4u, buffer.GetPos() );
	EXPECT_EQ( 4u, buffer.GetWritten() );
}

TEST_F( FileTest, ReadFailuresLeaveTheBufferAlone )
{
	Put( folder / "ten", "0123456789" );
	mkdir( ( folder / "dir" ).c_str(), 0755 );

	const std::string names[] = { folder / "missing", folder / "dir", "", std::string( 100000, 'x' ),
		std::string( folder / "ten" ) + std::string( 1, '\0' ) + "junk" };
	for ( const std::string& strName : names )
	{
		AutoBuffer buffer( 0 );
		buffer.Write( "ab", 2 );
		EXPECT_FALSE( File::Read( strName, buffer ) ) << strName.substr( 0, 80 );
		EXPECT_EQ( 2u, buffer.GetPos() );
		EXPECT_EQ( 2u, buffer.GetWritten() );
	}

	// A fixed buffer takes the file only when it has room for position + size.
	unsigned char block[12];
	Buffer small( block, 10 );
	small.SetPos( 1 );
	small.SetWritten( 1 );
	Buffer exact( block, 12 );
	exact.SetPos( 2 );
	exact.SetWritten( 2 );
	EXPECT_FALSE( File::Read( folder / "ten", small ) );
	EXPECT_EQ( 1u, small.GetWritten() );
	EXPECT_TRUE( File::Read( folder / "ten", exact ) );
	EXPECT_EQ( 12u, exact.GetWritten() );

	// A position near the top of the 32-bit range must not wrap around to a small size.
	Buffer high( block, 12 );
	high.SetPos( 0xFFFFFFF8u );
	EXPECT_FALSE( File::Read( folder / "ten", high ) );
	EXPECT_EQ( 0xFFFFFFF8u, high.GetPos() );
}

TEST_F( FileTest, ReadOfAFileShorterThanItsStatedSizeFails )
{
	// sysfs files state 4096 bytes and hold fewer: the read ends early.
	for ( const char* pName : { "/sys/kernel/mm/transparent_hugepage/enabled", "/sys/devices/system/cpu/online", "/sys/kernel/profiling" } )
	{
		struct stat info;
		if ( stat( pName, &info ) != 0 || !S_ISREG( info.st_mode ) || (uint64_t)info.st_size <= Get( pName ).size() )
			continue;
		AutoBuffer buffer( 0 );
		EXPECT_FALSE( File::Read( pName, buffer ) ) << pName;
		EXPECT_EQ( 0u, buffer.GetWritten() );
		return;
	}
	GTEST_SKIP() << "no file here states more bytes than it holds";
}

TEST_F( FileTest, StreamsAreReadToTheirEnd )
{
	ASSERT_EQ( 0, mkfifo( ( folder / "pipe" ).c_str(), 0600 ) );
	const std::string strContent( 200000, 'p' );
	const pid_t writer = fork();
	ASSERT_GE( writer, 0 );
	if ( writer == 0 )
	{
		const int fd = open( ( folder / "pipe" ).c_str(), O_WRONLY );
		const bool bOk = fd >= 0 && write( fd, strContent.data(), strContent.size() ) == (ssize_t)strContent.size();
		_exit( bOk ? 0 : 1 );
	}
	AutoBuffer buffer( 0 );
	EXPECT_TRUE( File::Read( folder / "pipe", buffer ) );
	EXPECT_EQ( strContent.size(), buffer.GetWritten() );
	int iStatus;
	waitpid( writer, &iStatus, 0 );
}

TEST_F( FileTest, FilesOf4GiBOrMoreAreRefusedNotCut )
{
	struct Case
	{
		uint64_t iSize;
		int iExpectSize;
	};
	const Case cases[] = {
		{ 0x100000005ull, 0 },          // would read as 5 if cut to 32 bits
		{ 0x100000000ull, 0 },
		{ 0xFFFFFFFFull, -1 },          // the low 32 bits, as before
		{ 0x20000001ull, 0x20000001 },  // larger than a growing buffer may hold
	};
	for ( const Case& c : cases )
	{
		SCOPED_TRACE( c.iSize );
		const std::string strName = folder / "sparse";
		ASSERT_TRUE( MakeSparse( strName, c.iSize ) );
		EXPECT_EQ( c.iExpectSize, File::Size( strName ) );

		AutoBuffer buffer( 0 );
		EXPECT_FALSE( File::Read( strName, buffer ) );
		EXPECT_EQ( 0u, buffer.GetWritten() );
		EXPECT_EQ( 0u, File::CRC( strName ) );
		if ( c.iSize > 0xFFFFFFFFull )
		{
			BString strOut = "kept";
			EXPECT_FALSE( File::Read( strName, strOut ) );
			EXPECT_EQ( "kept", strOut );
		}
	}
}

TEST_F( FileTest, WriteStoresTheWrittenBytesFromTheStart )
{
	AutoBuffer buffer( 0 );
	buffer.Write( "abcdef", 6 );
	buffer.SetPos( 2 );
	Put( folder / "out", "a much longer earlier content" );
	ASSERT_TRUE( File::Write( folder / "out", buffer ) );
	EXPECT_EQ( "abcdef", Get( folder / "out" ) );

	const std::string strBinary( "x\0y\r\n\xff", 6 );
	ASSERT_TRUE( File::Write( folder / "text", BString( strBinary ) ) );
	BString strBack = "old";
	ASSERT_TRUE( File::Read( folder / "text", strBack ) );
	EXPECT_EQ( strBinary, strBack );

	AutoBuffer empty( 0 );
	ASSERT_TRUE( File::Write( folder / "none", empty ) );
	EXPECT_TRUE( File::Exists( folder / "none" ) );
	EXPECT_EQ( 0, File::Size( folder / "none" ) );
}

TEST_F( FileTest, ShortWritesAndBadTargetsAreFailures )
{
	AutoBuffer buffer( 0 );
	buffer.Write( "data", 4 );
	Put( folder / "src", "data" );
	mkdir( ( folder / "dir" ).c_str(), 0755 );

	const std::string targets[] = { "/dev/full", folder / "missing/out", folder / "dir", "" };
	for ( const std::string& strTarget : targets )
	{
		SCOPED_TRACE( strTarget );
		EXPECT_FALSE( File::Write( strTarget, buffer ) );
		EXPECT_FALSE( File::Write( strTarget, BString( "data" ) ) );
		EXPECT_FALSE( File::Copy( folder / "src", strTarget ) );
	}
}

TEST_F( FileTest, WritesCutShortByAFileSizeLimitAreFailures )
{
	// In a child limited to 100-byte files, writes of 1000 bytes land partly and then fail.
	const std::string strSource = folder / "source";
	Put( strSource, std::string( 1000, 's' ) );
	const pid_t child = fork();
	ASSERT_GE( child, 0 );
	if ( child == 0 )
	{
		signal( SIGXFSZ, SIG_IGN );
		const rlimit limit = { 100, 100 };
		setrlimit( RLIMIT_FSIZE, &limit );

		AutoBuffer buffer( 0 );
		buffer.Write( std::string( 1000, 'b' ).data(), 1000 );
		int iWrong = 0;
		iWrong += File::Write( folder / "buffer", buffer ) ? 1 : 0;
		iWrong += File::Write( folder / "text", BString( 1000, 't' ) ) ? 2 : 0;
		iWrong += File::Copy( strSource, folder / "copy" ) ? 4 : 0;
		iWrong += File::Size( folder / "buffer" ) == 100 ? 0 : 8;
		_exit( iWrong );
	}
	int iStatus = 0;
	ASSERT_EQ( child, waitpid( child, &iStatus, 0 ) );
	ASSERT_TRUE( WIFEXITED( iStatus ) );
	EXPECT_EQ( 0, WEXITSTATUS( iStatus ) );
}

TEST_F( FileTest, CopyCopiesEveryByte )
{
	std::string strContent;
	for ( int i = 0; i < 300000; i++ )
		strContent.push_back( (char)( i * 7 ) );
	Put( folder / "src", strContent );
	Put( folder / "dst", "old content that must go, longer than nothing" );

	EXPECT_TRUE( File::Copy( folder / "src", folder / "dst" ) );
	EXPECT_EQ( strContent, Get( folder / "dst" ) );

	EXPECT_FALSE( File::Copy( folder / "missing", folder / "new" ) );
	EXPECT_FALSE( Present( folder / "new" ) );
	EXPECT_FALSE( File::Copy( folder.Path(), folder / "new" ) );
	EXPECT_FALSE( Present( folder / "new" ) );

	// Onto itself, directly or through a link: refused, and the content survives.
	EXPECT_FALSE( File::Copy( folder / "src", folder / "src" ) );
	ASSERT_EQ( 0, symlink( ( folder / "src" ).c_str(), ( folder / "alias" ).c_str() ) );
	EXPECT_FALSE( File::Copy( folder / "src", folder / "alias" ) );
	EXPECT_EQ( strContent, Get( folder / "src" ) );
}

TEST_F( FileTest, Tests )
{
	Put( folder / "f", "12345" );
	Put( folder / "empty", "" );
	mkdir( ( folder / "dir" ).c_str(), 0755 );

	struct Case
	{
		std::string strName;
		int iSize, iExists;
		bool bFolder;
	};
	const Case cases[] = {
		{ folder / "f", 5, 1, false },
		{ folder / "empty", 0, 1, false },
		{ folder / "missing", 0, 0, false },
		{ folder / "dir", -1, 1, true },
		{ "", 0, 0, false },
		{ std::string( 100000, 'a' ), 0, 0, false },
		{ std::string( folder / "f" ) + std::string( 1, '\0' ), 0, 0, false },
	};
	for ( const Case& c : cases )
	{
		SCOPED_TRACE( c.strName.substr( 0, 80 ) );
		if ( c.iSize >= 0 )
		{
			EXPECT_EQ( c.iSize, File::Size( c.strName ) );
		}
		EXPECT_EQ( c.iExists, File::Exists( c.strName ) );
		EXPECT_EQ( c.bFolder, File::IsFolder( c.strName ) );
	}
}

TEST_F( FileTest, CRC )
{
	Put( folder / "digits", "123456789" );
	Put( folder / "empty", "" );
	EXPECT_EQ( 0xCBF43926u, File::CRC( folder / "digits" ) );
	EXPECT_EQ( 0u, File::CRC( folder / "empty" ) );
	EXPECT_EQ( 0u, File::CRC( folder / "missing" ) );
}

TEST_F( FileTest, RemoveFile )
{
	Put( folder / "f", "x" );
	EXPECT_TRUE( File::RemoveFile( folder / "f" ) );
	EXPECT_FALSE( Present( folder / "f" ) );
	EXPECT_FALSE( File::RemoveFile( folder / "f" ) );
	EXPECT_FALSE( File::RemoveFile( "" ) );
}

TEST_F( FileTest, CreateFolder )
{
	const std::string strBase = folder.Path();
	EXPECT_TRUE( File::CreateFolder( strBase + "/a/b/c", true ) );
	EXPECT_TRUE( File::IsFolder( strBase + "/a/b/c" ) );
	EXPECT_FALSE( File::CreateFolder( strBase + "/a/b/c", true ) );
	EXPECT_FALSE( File::CreateFolder( "", true ) );
	EXPECT_FALSE( File::CreateFolder( "", false ) );

	EXPECT_FALSE( File::CreateFolder( strBase + "/x/y", false ) );  // no parent
	EXPECT_TRUE( File::CreateFolder( strBase + "\\x\\y", true ) );
	EXPECT_TRUE( File::IsFolder( strBase + "/x/y" ) );

	EXPECT_TRUE( File::CreateFolder( strBase + "/a\\d", false ) );
	EXPECT_TRUE( File::IsFolder( strBase + "/a/d" ) );

	Put( strBase + "/file", "x" );
	EXPECT_FALSE( File::CreateFolder( strBase + "/file/sub", true ) );

	// Huge and deep names fail cleanly instead of recursing without end.
	std::string strDeep = strBase;
	for ( int i = 0; i < 60000; i++ )
		strDeep += "/d";
	EXPECT_FALSE( File::CreateFolder( strDeep, true ) );
	EXPECT_FALSE( File::CreateFolder( std::string( 1 << 20, '/' ), true ) );
	EXPECT_FALSE( File::CreateFolder( strBase + "/n" + std::string( 1, '\0' ) + "x", true ) );
	EXPECT_FALSE( Present( strBase + "/n" ) );
}

TEST_F( FileTest, RemoveFolder )
{
	const std::string strTree = folder / "tree";
	Put( folder / "plain", "x" );
	EXPECT_FALSE( File::RemoveFolder( folder / "plain", true ) );
	EXPECT_FALSE( File::RemoveFolder( folder / "missing", true ) );
	EXPECT_FALSE( File::RemoveFolder( "", true ) );

	ASSERT_TRUE( File::CreateFolder( strTree + "/sub/deeper", true ) );
	Put( strTree + "/a.txt", "a" );
	Put( strTree + "/.hidden", "h" );
	Put( strTree + "/sub/deeper/b.txt", "b" );

	// Without recursion a full folder stays, and the answer is still true.
	EXPECT_TRUE( File::RemoveFolder( strTree, false ) );
	EXPECT_TRUE( File::IsFolder( strTree ) );

	EXPECT_TRUE( File::RemoveFolder( strTree, true ) );
	EXPECT_FALSE( Present( strTree ) );

	ASSERT_TRUE( File::CreateFolder( folder / "empty", false ) );
	EXPECT_TRUE( File::RemoveFolder( folder / "empty", false ) );
	EXPECT_FALSE( Present( folder / "empty" ) );
}

TEST_F( FileTest, RemoveFolderNeverFollowsLinks )
{
	const std::string strOutside = folder / "outside";
	ASSERT_TRUE( File::CreateFolder( strOutside + "/inner", true ) );
	Put( strOutside + "/keep.txt", "k" );
	Put( strOutside + "/inner/keep2.txt", "k" );

	const std::string strTree = folder / "tree";
	ASSERT_TRUE( File::CreateFolder( strTree + "/sub", true ) );
	ASSERT_EQ( 0, symlink( strOutside.c_str(), ( strTree + "/dirlink" ).c_str() ) );
	ASSERT_EQ( 0, symlink( strOutside.c_str(), ( strTree + "/sub/dirlink2" ).c_str() ) );
	ASSERT_EQ( 0, symlink( ( strOutside + "/keep.txt" ).c_str(), ( strTree + "/filelink" ).c_str() ) );
	ASSERT_EQ( 0, symlink( "nowhere", ( strTree + "/dangling" ).c_str() ) );
	ASSERT_EQ( 0, symlink( strOutside.c_str(), ( folder / "toplink" ).c_str() ) );

	// A link named as the folder itself is not a folder to remove.
	EXPECT_FALSE( File::RemoveFolder( folder / "toplink", true ) );
	EXPECT_FALSE( File::RemoveFolder( folder / "toplink/", true ) );
	EXPECT_FALSE( File::RemoveFolder( folder / "toplink//", true ) );

	EXPECT_TRUE( File::RemoveFolder( strTree, true ) );
	EXPECT_FALSE( Present( strTree ) );
	EXPECT_TRUE( Present( folder / "toplink" ) );
	EXPECT_EQ( "k", Get( strOutside + "/keep.txt" ) );
	EXPECT_EQ( "k", Get( strOutside + "/inner/keep2.txt" ) );
}

TEST_F( FileTest, GetFilesInFolder )
{
	const std::string strTree = folder / "tree";
	ASSERT_TRUE( File::CreateFolder( strTree + "/sub", true ) );
	Put( strTree + "/x.txt", "x" );
	Put( strTree + "/sub/y.txt", "y" );

	String::List files;
	EXPECT_EQ( 2, File::GetFilesInFolder( strTree, files, true ) );
	EXPECT_EQ( ( String::List { "x.txt", "sub/y.txt" } ), files );

	files.clear();
	EXPECT_EQ( 1, File::GetFilesInFolder( strTree, files, false ) );
	EXPECT_EQ( String::List { "x.txt" }, files );

	files = { "1", "2", "3" };
	EXPECT_EQ( 5, File::GetFilesInFolder( strTree, files, true ) );

	files.clear();
	EXPECT_EQ( 0, File::GetFilesInFolder( folder / "missing", files, true ) );
}

TEST_F( FileTest, GetFilesInFolderListsLinksAsThemselves )
{
	const std::string strTree = folder / "tree";
	ASSERT_TRUE( File::CreateFolder( strTree + "/sub/deep", true ) );
	Put( strTree + "/sub/deep/z", "z" );
	Put( strTree + "/.dot", "d" );
	// A link back up would loop for ever if it were followed.
	ASSERT_EQ( 0, symlink( "..", ( strTree + "/sub/up" ).c_str() ) );

	String::List files;
	EXPECT_EQ( 3, File::GetFilesInFolder( strTree, files, true ) );
	std::sort( files.begin(), files.end() );
	EXPECT_EQ( ( String::List { ".dot", "sub/deep/z", "sub/up" } ), files );
}

TEST_F( FileTest, FindForwardsToThePlatform )
{
	Put( folder / "a.txt", "a" );
	Put( folder / "b.dat", "b" );
	String::List files, folders;
	EXPECT_EQ( 1, File::Find( &files, &folders, folder / "*.txt", false ) );
	EXPECT_EQ( String::List { "a.txt" }, files );
	EXPECT_EQ( 0, File::Find( &files, &folders, folder / "missing/*", false ) );
	EXPECT_EQ( "some/path", File::RelativeToAbsolute( "some/path" ) );
}

TEST( FileTemp, GetTempDir )
{
	struct Case
	{
		const char* pValue;
		const char* pExpect;
		bool bAsserts;
	};
	const Case cases[] = {
		{ "/tmp", "tmp", false },
		{ "ab", "ab", true },
		{ "\\var\\tmp\\", "var/tmp", false },
		{ "", "", true },
		{ nullptr, "", true },  // unset: the empty text, reported like any short value
	};
	for ( const Case& c : cases )
	{
		SCOPED_TRACE( c.pValue ? c.pValue : "(unset)" );
		TempVariable temp( c.pValue );
		testing::internal::CaptureStdout();
		EXPECT_EQ( c.pExpect, File::GetTempDir() );
		const std::string strOutput = testing::internal::GetCapturedStdout();
		if ( c.bAsserts )
		{
			EXPECT_NE( std::string::npos, strOutput.find( "strName.length() > 2\n\nModule:\t\nFile:\t../../../src/Kestrum/File/File\n"
															   "Line:\t222\nFunction:\tGetTempDir\n" ) );
		}
		else
		{
			EXPECT_EQ( "", strOutput );
		}
	}
}

TEST( FileTemp, GetTempFilename )
{
	TempVariable temp( "/tmp" );
	const BString strName = File::GetTempFilename();
	BString strTmp = P_tmpdir;
	while ( !strTmp.empty() && strTmp[0] == '/' )
		strTmp.erase( 0, 1 );
	EXPECT_EQ( 0u, strName.rfind( "tmp/" + strTmp + "/", 0 ) ) << strName;
	EXPECT_NE( strName, File::GetTempFilename() );
}
