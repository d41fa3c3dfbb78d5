// CAsyncRead: reads one whole file through the engine file system's asynchronous reader and
// keeps a private copy of its bytes, for panels that poll for an image on later frames.
#pragma once

#include "filesystem/IFileSystem.h"

class CAsyncRead
{
public:
	CAsyncRead();
	virtual ~CAsyncRead();

	// Starts reading the file from the "MOD" search path (pathId is not used); answers the
	// file system's result. A read still pending is finished and released first.
	FSAsyncStatus_t LoadFile(const char *file, const char *pathId);
	bool IsLoading() const { return m_bLoading; }
	bool IsLoaded() const { return !m_bLoading && !m_bErrored && m_bLoaded; }
	bool IsErrored() const { return !m_bLoading && m_bErrored; }
	const unsigned char *GetDataPointer() const { return m_pData; }
	int GetBytes() const { return m_nBytes; }
	// Ends the read (waiting for a pending one) and drops the bytes.
	void Finish();

	// The completion of a read, reached through the static callback of the same name.
	void ASyncLoad(const FileAsyncRequest_t &request, int bytesRead, FSAsyncStatus_t status);

private:
	CAsyncRead(const CAsyncRead &) = delete;
	CAsyncRead &operator=(const CAsyncRead &) = delete;

	int m_nBytes;
	bool m_bLoading;
	bool m_bLoaded;
	bool m_bErrored;
	FSAsyncControl_t m_hRequest;
	unsigned char *m_pData;
};
