// Files and folders: whole-file reads and writes, tests, copying, creating, removing and
// listing folders, and temporary names. Failures are false, 0 or the empty text.
#pragma once

#include <cstdint>

#include "Kestrum/Types/Buffer.h"
#include "Kestrum/Types/String.h"

namespace Kestrum
{
	namespace File
	{
		// Appends the whole file at the buffer's position; written and position then end
		// after it. False (nothing read) when the file cannot be read whole or does not fit.
		bool Read( const BString& strFileName, Buffer& buffer );
		// Replaces strOut with the whole file; strOut stays as it was on failure.
		bool Read( const BString& strFileName, BString& strOut );

		// Creates or truncates the file and writes the buffer's written bytes from its start.
		// False when the file cannot be opened, written whole or closed.
		bool Write( const BString& strFileName, const Buffer& buffer );
		bool Write( const BString& strFileName, const BString& strOut );

		// The size in bytes; 0 when the entry is missing or 4 GiB or larger.
		int Size( const BString& strFileName );
		// 1 when a file or folder exists, else 0.
		int Exists( const BString& strFileName );
		bool IsFolder( const BString& strFileName );
		// CRC-32 of the whole file, 0 when it cannot be read.
		uint64_t CRC( const BString& strFileName );

		// Copies strFrom to strTo (created or truncated); false unless every byte arrived.
		bool Copy( const BString& strFrom, const BString& strTo );
		bool RemoveFile( const BString& strFileName );

		// mkdir of the name (backslashes made forward), its missing parents first when
		// bRecursive. False when it already is a folder or could not be made.
		bool CreateFolder( const BString& strFileName, bool bRecursive );
		// Removes the folder, with everything in it when bAndFilesRecursive. Symbolic links
		// are removed as themselves, never followed. Without bAndFilesRecursive a folder that
		// is not empty stays, and the answer is still true.
		bool RemoveFolder( const BString& strFolder, bool bAndFilesRecursive );

		// Lists the entries matching strFind (a folder, "/" and a wildcard); see
		// Kestrum::Platform::FindFiles.
		int Find( String::List* files, String::List* folders, const BString& strFind, bool bUpUpFolders );
		// Appends the files of strFolder (and, when Recursive, of its subfolders as relative
		// "sub/name" paths, depth first) to OutputFiles; returns its new count.
		int GetFilesInFolder( const BString& strFolder, String::List& OutputFiles, bool Recursive );

		BString RelativeToAbsolute( const BString& strIn );
		// The TEMP variable with forward slashes and no leading or trailing "/".
		BString GetTempDir();
		// GetTempDir, "/" and a fresh temporary name.
		BString GetTempFilename();
	}
}
