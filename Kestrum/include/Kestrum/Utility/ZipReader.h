// Zip archive reader: opens an archive from a file, an open file or memory, lists and finds
// its entries and extracts them (stored or deflated, optionally PKWARE-encrypted).
#pragma once

#include <Kestrum/Utility/ZipTypes.h>

#include <cstdint>
#include <cstdio>
#include <ctime>

namespace XZip
{
	// Description of one entry, filled by GetZipItem and FindZipItem.
	struct ZIPENTRY
	{
		int index;					// position in the central directory, from 0
		char name[1024];			// cleaned-up name, NUL-terminated
		uint32_t attr;				// Unix-style mode bits (16384 directory, 0x80 owner-write)
		time_t atime, ctime, mtime;	// access, creation and modification times
		uint32_t comp_size;
		uint32_t unc_size;
	};

	// Largest entry that UnzipItem writes to a file or an open file; bigger ones are refused
	// with ResultWrite before anything is written (a zip bomb cannot fill the disk).
	constexpr uint32_t MaxUnzipFileSize = 1u << 30;

	HZIP OpenZip(const char* szPath, const char* szPassword);
	HZIP OpenZip(const void* pData, uint32_t iLength, const char* szPassword);
	HZIP OpenZipHandle(FILE* pFile, const char* szPassword);

	// Index -1 gives a summary whose index field is the entry count.
	ZRESULT GetZipItem(HZIP hZip, int iIndex, ZIPENTRY* pEntry);
	ZRESULT FindZipItem(HZIP hZip, const char* szName, bool bIgnoreCase, int* pIndex, ZIPENTRY* pEntry);

	// To a path (relative paths resolve below the base directory); directories are created.
	ZRESULT UnzipItem(HZIP hZip, int iIndex, const char* szPath);
	// Into memory, in chunks: ResultMore while data remains (call again with the same index).
	ZRESULT UnzipItem(HZIP hZip, int iIndex, void* pBuffer, uint32_t iLength);
	ZRESULT UnzipItemHandle(HZIP hZip, int iIndex, FILE* pFile);

	// False for a cleaned-up name that could leave the target folder: empty, absolute, or with
	// a ".." part under either separator. Such entries are never extracted to a path.
	bool IsSafeZipItemName(const char* szName);

	ZRESULT SetUnzipBaseDir(HZIP hZip, const char* szDirectory);
	ZRESULT CloseZipU(HZIP hZip);
	bool IsZipHandleU(HZIP hZip);

	// Copies the code's text (ResultRecent: the reader's most recent result) into the buffer,
	// truncated and terminated; returns the length of the whole text.
	uint32_t FormatZipMessageU(ZRESULT iCode, char* pBuffer, uint32_t iSize);
}
