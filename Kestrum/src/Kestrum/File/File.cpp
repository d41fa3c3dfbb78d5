// Files and folders over the POSIX file calls: every read, write and close is checked, sizes
// are 64-bit, and folder removal and listing never follow symbolic links.
#include "Kestrum/File/File.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <new>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "Kestrum/Debug/Debug.h"
#include "Kestrum/Platform/Platform.h"
#include "Kestrum/Utility/Hasher.h"
#include "Kestrum/Utility/String.h"

namespace Kestrum
{
	namespace File
	{
		namespace
		{
			const uint64_t kLargestFile = UINT32_MAX;  // byte counts are 32-bit
			const size_t kChunk = 1 << 16;

			// A name the system can take as it is: a zero byte would silently shorten it.
			bool UsableName( const BString& strName )
			{
				return strName.find( '\0' ) == BString::npos;
			}

			int OpenFile( const BString& strName, int iFlags )
			{
				if ( !UsableName( strName ) )
					return -1;
				int fd;
				do
					fd = open( strName.c_str(), iFlags | O_CLOEXEC, 0666 );
				while ( fd < 0 && errno == EINTR );
				return fd;
			}

			// Reads up to iWant bytes; the count read, or -1 on an error.
			int64_t ReadSome( int fd, void* pTarget, size_t iWant )
			{
				ssize_t iGot;
				do
					iGot = read( fd, pTarget, iWant );
				while ( iGot < 0 && errno == EINTR );
				return iGot;
			}

			bool ReadExactly( int fd, unsigned char* pTarget, uint64_t iCount )
			{
				while ( iCount > 0 )
				{
					const int64_t iGot = ReadSome( fd, pTarget, (size_t)std::min<uint64_t>( iCount, 1u << 30 ) );
					if ( iGot <= 0 )
						return false;  // an error, or the file ended early
					pTarget += iGot;
					iCount -= (uint64_t)iGot;
				}
				return true;
			}

			bool WriteExactly( int fd, const unsigned char* pSource, uint64_t iCount )
			{
				while ( iCount > 0 )
				{
					ssize_t iPut;
					do
						iPut = write( fd, pSource, (size_t)std::min<uint64_t>( iCount, 1u << 30 ) );
					while ( iPut < 0 && errno == EINTR );
					if ( iPut <= 0 )
						return false;
					pSource += iPut;
					iCount -= (uint64_t)iPut;
				}
				return true;
			}

			// Closes and reports whether everything written reached the file.
			bool CloseChecked( int fd )
			{
				return close( fd ) == 0;
			}

			bool StatName( const BString& strName, struct stat& info )
			{
				return UsableName( strName ) && stat( strName.c_str(), &info ) == 0;
			}

			// A folder itself, not a link to one. Trailing separators are dropped first, as
			// they would make the system resolve a link.
			bool IsRealFolder( BString strName )
			{
				while ( strName.size() > 1 && strName.back() == '/' )
					strName.pop_back();
				struct stat info;
				return UsableName( strName ) && lstat( strName.c_str(), &info ) == 0 && S_ISDIR( info.st_mode );
			}

			bool WriteBytes( const BString& strFileName, const unsigned char* pData, uint64_t iCount )
			{
				const int fd = OpenFile( strFileName, O_WRONLY | O_CREAT | O_TRUNC );
				if ( fd < 0 )
					return false;
				const bool bWritten = WriteExactly( fd, pData, iCount );
				return CloseChecked( fd ) && bWritten;
			}

			// Reads a stream (a pipe, a device) to its end, appending through pAppend;
			// false past iLimit bytes or on an error.
			template <typename Append>
			bool ReadStream( int fd, uint64_t iLimit, Append pAppend )
			{
				unsigned char chunk[kChunk];
				uint64_t iTotal = 0;
				for ( ;; )
				{
					const int64_t iGot = ReadSome( fd, chunk, sizeof( chunk ) );
					if ( iGot < 0 )
						return false;
					if ( iGot == 0 )
						return true;
					iTotal += (uint64_t)iGot;
					if ( iTotal > iLimit || !pAppend( chunk, (size_t)iGot ) )
						return false;
				}
			}
		}

		bool Read( const BString& strFileName, Buffer& buffer )
		{
			const int fd = OpenFile( strFileName, O_RDONLY );
			if ( fd < 0 )
				return false;

			struct stat info;
			if ( fstat( fd, &info ) != 0 || S_ISDIR( info.st_mode ) )
			{
				close( fd );
				return false;
			}

			const uint32_t iPos = buffer.GetPos();
			const uint64_t iRoom = kLargestFile - iPos;
			uint64_t iCount = 0;
			bool bRead;

			if ( S_ISREG( info.st_mode ) )
			{
				iCount = (uint64_t)info.st_size;
				bRead = iCount <= iRoom && buffer.EnsureCapacity( (uint32_t)( iPos + iCount ) )
					&& ReadExactly( fd, buffer.GetBase( iPos ), iCount );
			}
			else
			{
				bRead = ReadStream( fd, iRoom, [&]( const unsigned char* pChunk, size_t iGot ) {
					if ( !buffer.EnsureCapacity( (uint32_t)( iPos + iCount + iGot ) ) )
						return false;
					std::copy( pChunk, pChunk + iGot, buffer.GetBase( (uint32_t)( iPos + iCount ) ) );
					iCount += iGot;
					return true;
				} );
			}

			if ( !CloseChecked( fd ) || !bRead )
				return false;

			buffer.SetWritten( (uint32_t)( iPos + iCount ) );
			buffer.SetPos( (uint32_t)( iPos + iCount ) );
			return true;
		}

		bool Read( const BString& strFileName, BString& strOut )
		{
			const int fd = OpenFile( strFileName, O_RDONLY );
			if ( fd < 0 )
				return false;

			struct stat info;
			if ( fstat( fd, &info ) != 0 || S_ISDIR( info.st_mode ) || (uint64_t)info.st_size > kLargestFile )
			{
				close( fd );
				return false;
			}

			// Memory running out is a failed read, not an exception.
			BString strText;
			bool bRead;
			try
			{
				strText.reserve( (size_t)info.st_size );
				bRead = ReadStream( fd, kLargestFile, [&]( const unsigned char* pChunk, size_t iGot ) {
					strText.append( (const char*)pChunk, iGot );
					return true;
				} );
			}
			catch ( const std::bad_alloc& )
			{
				bRead = false;
			}

			if ( !CloseChecked( fd ) || !bRead )
				return false;

			strOut.swap( strText );
			return true;
		}

		bool Write( const BString& strFileName, const Buffer& buffer )
		{
			return WriteBytes( strFileName, buffer.GetBase( 0 ), buffer.GetWritten() );
		}

		bool Write( const BString& strFileName, const BString& strOut )
		{
			return WriteBytes( strFileName, (const unsigned char*)strOut.data(), strOut.size() );
		}

		int Size( const BString& strFileName )
		{
			struct stat info;
			if ( !StatName( strFileName, info ) || (uint64_t)info.st_size > kLargestFile )
				return 0;
			return (int)(uint32_t)info.st_size;
		}

		int Exists( const BString& strFileName )
		{
			struct stat info;
			return StatName( strFileName, info ) ? 1 : 0;
		}

		bool IsFolder( const BString& strFileName )
		{
			struct stat info;
			return StatName( strFileName, info ) && S_ISDIR( info.st_mode );
		}

		uint64_t CRC( const BString& strFileName )
		{
			AutoBuffer buffer( 32 );
			if ( !Read( strFileName, buffer ) )
				return 0;
			return Hasher::CRC32::Easy( buffer.GetBase(), buffer.GetWritten(), 0 );
		}

		bool Copy( const BString& strFrom, const BString& strTo )
		{
			const int fdFrom = OpenFile( strFrom, O_RDONLY );
			if ( fdFrom < 0 )
				return false;

			struct stat info;
			if ( fstat( fdFrom, &info ) != 0 || S_ISDIR( info.st_mode ) )
			{
				close( fdFrom );
				return false;
			}

			// Copying a file onto itself would truncate it before it is read.
			struct stat target;
			if ( stat( strTo.c_str(), &target ) == 0 && target.st_dev == info.st_dev && target.st_ino == info.st_ino )
			{
				close( fdFrom );
				return false;
			}

			const int fdTo = OpenFile( strTo, O_WRONLY | O_CREAT | O_TRUNC );
			if ( fdTo < 0 )
			{
				close( fdFrom );
				return false;
			}

			const bool bCopied = ReadStream( fdFrom, UINT64_MAX, [&]( const unsigned char* pChunk, size_t iGot ) {
				return WriteExactly( fdTo, pChunk, iGot );
			} );

			const bool bClosedFrom = CloseChecked( fdFrom );
			const bool bClosedTo = CloseChecked( fdTo );
			return bCopied && bClosedFrom && bClosedTo;
		}

		bool RemoveFile( const BString& strFileName )
		{
			return UsableName( strFileName ) && unlink( strFileName.c_str() ) == 0;
		}

		bool CreateFolder( const BString& strFileName, bool bRecursive )
		{
			BString strPath = strFileName;
			String::File::FixSlashes( strPath, "\\", "/" );

			// A name longer than the system takes could never be made.
			if ( strFileName.empty() || strPath.size() > PATH_MAX || !UsableName( strPath ) )
				return false;
			if ( IsFolder( strPath ) )
				return false;

			if ( bRecursive )
			{
				// The missing parents, nearest first; made from the top down.
				String::List parents;
				BString strParent = strPath;
				String::File::UpOneDirectory( strParent );
				while ( !strParent.empty() && !IsFolder( strParent ) )
				{
					parents.push_back( strParent );
					String::File::UpOneDirectory( strParent );
				}
				for ( auto it = parents.rbegin(); it != parents.rend(); ++it )
					mkdir( it->c_str(), 0777 );
			}

			return mkdir( strPath.c_str(), 0777 ) == 0;
		}

		bool RemoveFolder( const BString& strFolder, bool bAndFilesRecursive )
		{
			if ( !IsRealFolder( strFolder ) )
				return false;

			if ( !bAndFilesRecursive )
			{
				rmdir( strFolder.c_str() );
				return true;
			}

			// Links come back as files and are unlinked as themselves.
			String::List files, folders;
			Find( &files, &folders, strFolder + "/*", false );

			for ( const BString& strFile : files )
			{
				if ( !RemoveFile( strFolder + "/" + strFile ) )
					return false;
			}

			for ( const BString& strSub : folders )
			{
				if ( !RemoveFolder( strFolder + "/" + strSub, true ) )
					return false;
			}

			rmdir( strFolder.c_str() );
			return true;
		}

		int Find( String::List* files, String::List* folders, const BString& strFind, bool bUpUpFolders )
		{
			if ( !UsableName( strFind ) )
				return 0;
			return Platform::FindFiles( files, folders, strFind, bUpUpFolders );
		}

		int GetFilesInFolder( const BString& strFolder, String::List& OutputFiles, bool Recursive )
		{
			String::List files, folders;
			Find( &files, &folders, strFolder + "/*", false );

			OutputFiles.insert( OutputFiles.end(), files.begin(), files.end() );

			if ( Recursive )
			{
				for ( const BString& strSub : folders )
				{
					files.clear();
					GetFilesInFolder( strFolder + "/" + strSub, files, true );
					for ( const BString& strFile : files )
						OutputFiles.push_back( strSub + "/" + strFile );
				}
			}

			return (int)OutputFiles.size();
		}

		BString RelativeToAbsolute( const BString& strIn )
		{
			return strIn;
		}

		BString GetTempDir()
		{
			// An unset variable counts as the empty text, which the assertion then reports.
			const char* pTemp = getenv( "TEMP" );
			BString strName = pTemp ? pTemp : "";

			if ( !( strName.length() > 2 ) )
				Debug::Internal::DoAssert( "../../../src/Kestrum/File/File", 222, "GetTempDir", "", "%s", "strName.length() > 2" );

			String::File::FixSlashes( strName, "\\", "/" );
			String::Util::Trim( strName, "/" );
			return strName;
		}

		BString GetTempFilename()
		{
			const BString strFolder = GetTempDir();
			BString strName = Platform::Internal::UniqueTempPath();
			String::Util::Trim( strName, "/\\." );
			return strFolder + "/" + strName;
		}
	}
}
