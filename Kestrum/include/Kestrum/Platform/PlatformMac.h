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
			// The same on every build.
			using Platform::CurrentUserName;
			using Platform::SetupAssociation;
			using Platform::DesktopWidth;
			using Platform::DesktopHeight;
			using Platform::Popup;
			using Platform::DebuggerOutput;
			using Platform::TemporaryDir;
			using Platform::Sleep;

			// Placeholders: "todo" texts, no listing, no processes.
			BString LastError();
			BString FullProgramName();
			BString ProgramName();
			BString ProgramFolder();
			int FindFiles( String::List* files, String::List* folders, const BString& strFind, bool bUpUpFolders );
			void OpenWebpage( const BString& strURL );
			void StartProcess( const BString& strProcess, bool AndWait );
			BString TemporaryFilename();
		}
#endif
	}
}
