// Zip archive writer: creates an archive in a file, on an open file or in memory and adds
// entries from files, open files, memory blocks or as folders (stored or raw-deflated,
// optionally PKWARE-encrypted).
#pragma once

#include <Kestrum/Utility/ZipTypes.h>

#include <cstdint>
#include <cstdio>

namespace XZip
{
	HZIP CreateZip(const char* szPath, const char* szPassword);
	// With a null block the writer keeps its own, of at most iCapacity bytes.
	HZIP CreateZip(void* pMemory, uint32_t iCapacity, const char* szPassword);
	HZIP CreateZipHandle(FILE* pFile, const char* szPassword);

	ZRESULT ZipAdd(HZIP hZip, const char* szName, const char* szSourcePath);
	ZRESULT ZipAdd(HZIP hZip, const char* szName, const void* pData, uint32_t iLength);
	// iLength is used for a stream that is not a regular file; -1 when unknown.
	ZRESULT ZipAddHandle(HZIP hZip, const char* szName, FILE* pFile, int64_t iLength = -1);
	ZRESULT ZipAddFolder(HZIP hZip, const char* szName);

	// Finishes a memory archive and gives its bytes (valid until the handle is closed).
	ZRESULT ZipGetMemory(HZIP hZip, void** ppBase, uint32_t* pLength);
	// Finishes the archive when not yet done, then frees the handle.
	ZRESULT CloseZipZ(HZIP hZip);
	bool IsZipHandleZ(HZIP hZip);

	// As FormatZipMessageU, with the writer's spelling; ResultRecent is the writer's most recent result.
	uint32_t FormatZipMessageZ(ZRESULT iCode, char* pBuffer, uint32_t iSize);
}
