// Kestrum's operating-system layer: every service that differs between systems.
// Each platform build supplies one implementation of the whole set.
#pragma once

#include "Kestrum/Types/String.h"

namespace Kestrum
{
	namespace Platform
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

		// Lists the entries of the folder before the last separator of strFind whose names
		// match the wildcard after it. Bare names go to folders (directories, "." and ".."
		// only when bUpUpFolders) or else to files; either list may be null. A symbolic
		// link is listed as itself, never as a folder. Returns the number of names added.
		int FindFiles( String::List* files, String::List* folders, const BString& strFind, bool bUpUpFolders );

		void OpenWebpage( const BString& strURL );
		void StartProcess( const BString& strProcess, bool AndWait );

		BString TemporaryDir();
		BString TemporaryFilename();
		void Sleep( unsigned int ms );

		namespace Internal
		{
			// Login name of the given user id, "<UNKNOWN>" when it has no password entry.
			BString UserNameForId( unsigned int iUserId );

			// Starts strProgram with the argument vector args (args[0] is the program's
			// name) in a detached grandchild, so the caller returns at once and leaves no
			// zombie. A program found on PATH when strProgram has no "/".
			void SpawnDetached( const BString& strProgram, const String::List& args );

			// Opens strURL with the given opener program (OpenWebpage's is xdg-open).
			void OpenWebpageWith( const BString& strOpener, const BString& strURL );

			// A fresh full path in the system's temporary folder that names no file yet.
			BString UniqueTempPath();

			// Suspends the calling thread for ms milliseconds, resuming after signals.
			void SleepMilliseconds( unsigned int ms );
		}
	}
}

// True when the whole of string matches wild: "*" is any run, "?" one character.
bool wildcmp( const char* wild, const char* string );
