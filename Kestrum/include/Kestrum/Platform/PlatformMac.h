// The macOS implementation of the platform layer. On macOS it is Kestrum::Platform itself;
// elsewhere it is compiled into Kestrum::Platform::Mac so its behaviour is tested everywhere.
#pragma once

#include "Kestrum/Platform/Platform.h"

namespace Kestrum
{
	namespace Platform
	{
#ifdef __APPLE__
		namespace Mac = ::Kestrum::Platform;
#else
		namespace Mac
		{
			BString LastError();
			BString FullProgramName();
			BString ProgramName();
			BString ProgramFolder();
			BString CurrentUserName();

			void SetupAssociation( BString ext );
			unsigned int DesktopWidth();
			unsigned int DesktopHeight();
			bool Popup( const BString& strName, const BString& strText );
			void DebuggerOutput( const BString& strText );
			int FindFiles( String::List* files, String::List* folders, const BString& strFind, bool bUpUpFolders );
			void OpenWebpage( const BString& strURL );
			void StartProcess( const BString& strProcess, bool AndWait );

			BString TemporaryDir();
			BString TemporaryFilename();
			void Sleep( unsigned int ms );
		}
#endif
	}
}
