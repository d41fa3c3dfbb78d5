// The macOS platform layer: placeholders and empty services where the macOS build has none
// (the services every build shares are in PlatformPosix.cpp). Outside macOS it is compiled
// into Kestrum::Platform::Mac, so its behaviour is tested too.
#include "Kestrum/Platform/PlatformMac.h"
#include "Kestrum/Utility/String.h"

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

			BString TemporaryFilename()
			{
				// "/tmp" directly followed by the full temporary path, backslashes made forward.
				BString strName = "/tmp" + Internal::UniqueTempPath();
				String::File::FixSlashes( strName, "\\", "/" );
				return strName;
			}

#if !defined( __APPLE__ )
		}
#endif
	}
}
