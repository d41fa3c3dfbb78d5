// The Linux platform layer: program names, error text, folder listing, processes and
// temporary names (the services every build shares are in PlatformPosix.cpp).
#if !defined( __APPLE__ )

#include "Kestrum/Platform/Platform.h"
#include "Kestrum/Utility/String.h"

#include <cerrno>
#include <cstring>
#include <vector>

#include <dirent.h>
#include <libgen.h>
#include <sys/stat.h>

namespace Kestrum
{
	namespace Platform
	{
		namespace
		{
			// dirname and basename edit their argument, so each works on its own copy.
			BString DirName( const BString& strPath )
			{
				std::vector<char> copy( strPath.c_str(), strPath.c_str() + strlen( strPath.c_str() ) + 1 );
				return dirname( copy.data() );
			}

			BString BaseName( const BString& strPath )
			{
				std::vector<char> copy( strPath.c_str(), strPath.c_str() + strlen( strPath.c_str() ) + 1 );
				return basename( copy.data() );
			}

			// A real folder: a symbolic link counts as itself, never as what it points to.
			bool IsRealFolder( const dirent* pEntry, const BString& strFolder )
			{
				if ( pEntry->d_type == DT_DIR )
					return true;
				if ( pEntry->d_type != DT_UNKNOWN )
					return false;

				const BString strFullName = strFolder + "/" + pEntry->d_name;
				struct stat info;
				return lstat( strFullName.c_str(), &info ) == 0 && S_ISDIR( info.st_mode );
			}
		}

		BString LastError()
		{
			return strerror( errno );
		}

		BString FullProgramName()
		{
			return program_invocation_name;
		}

		BString ProgramName()
		{
			return program_invocation_short_name;
		}

		BString ProgramFolder()
		{
			BString strFolder = FullProgramName();
			String::File::StripFilename( strFolder );
			return strFolder;
		}

		int FindFiles( String::List* files, String::List* folders, const BString& strFind, bool bUpUpFolders )
		{
			const BString strFolder = DirName( strFind );
			const BString strMask = BaseName( strFind );

			DIR* pDir = opendir( strFolder.c_str() );
			if ( !pDir )
				return 0;

			int iCount = 0;
			while ( const dirent* pEntry = readdir( pDir ) )
			{
				const char* pName = pEntry->d_name;
				if ( !wildcmp( strMask.c_str(), pName ) )
					continue;

				if ( folders && IsRealFolder( pEntry, strFolder ) )
				{
					if ( !bUpUpFolders && ( strcmp( pName, "." ) == 0 || strcmp( pName, ".." ) == 0 ) )
						continue;
					folders->push_back( pName );
					iCount++;
				}
				else if ( files )
				{
					files->push_back( pName );
					iCount++;
				}
			}

			closedir( pDir );
			return iCount;
		}

		void OpenWebpage( const BString& strURL )
		{
			Internal::OpenWebpageWith( "/usr/bin/xdg-open", strURL );
		}

		void StartProcess( const BString& strProcess, bool AndWait )
		{
			Internal::SpawnDetached( strProcess, { strProcess } );
		}

		BString TemporaryFilename()
		{
			return Internal::UniqueTempPath();
		}
	}
}

#endif
