// The macOS platform layer: placeholders and empty services where the macOS build has none.
// Outside macOS it is compiled into Kestrum::Platform::Mac, so its behaviour is tested too.
#include "Kestrum/Platform/PlatformMac.h"
#include "Kestrum/Utility/String.h"

#include <cstdio>

#include <unistd.h>

namespace Kestrum
{
	namespace Platform
	{
#if !defined( __APPLE__ )
		namespace Mac
		{
#endif
			BString LastError()
			{
				return "todo";
			}

			BString FullProgramName()
			{
				return "todo";
			}

			BString ProgramName()
			{
				return "todo";
			}

			BString ProgramFolder()
			{
				return "todo";
			}

			BString CurrentUserName()
			{
				return Internal::UserNameForId( (unsigned int)geteuid() );
			}

			void SetupAssociation( BString ext )
			{
			}

			unsigned int DesktopWidth()
			{
				return 800;
			}

			unsigned int DesktopHeight()
			{
				return 600;
			}

			bool Popup( const BString& strName, const BString& strText )
			{
				return true;
			}

			void DebuggerOutput( const BString& strText )
			{
				printf( "%s", strText.c_str() );
			}

			int FindFiles( String::List* files, String::List* folders, const BString& strFind, bool bUpUpFolders )
			{
				return 0;
			}

			void OpenWebpage( const BString& strURL )
			{
			}

			void StartProcess( const BString& strProcess, bool AndWait )
			{
			}

			BString TemporaryDir()
			{
				return "/tmp";
			}

			BString TemporaryFilename()
			{
				// "/tmp" directly followed by the full temporary path, backslashes made forward.
				BString strName = "/tmp" + Internal::UniqueTempPath();
				String::File::FixSlashes( strName, "\\", "/" );
				return strName;
			}

			void Sleep( unsigned int ms )
			{
				Internal::SleepMilliseconds( ms );
			}
#if !defined( __APPLE__ )
		}
#endif
	}
}
