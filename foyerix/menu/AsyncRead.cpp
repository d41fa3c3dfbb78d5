// Asynchronous whole-file reads with a private copy of the bytes.
#include "menu/AsyncRead.h"

#include <cstdlib>
#include <cstring>

#include "tier0/dbg.h"
#include "tier1/tier2.h"

namespace
{
void ASyncLoad(const FileAsyncRequest_t &request, int bytesRead, FSAsyncStatus_t status)
{
	if (request.pContext)
		static_cast<CAsyncRead *>(request.pContext)->ASyncLoad(request, bytesRead, status);
}
}

CAsyncRead::CAsyncRead()
	: m_nBytes(0), m_bLoading(false), m_bLoaded(false), m_bErrored(false), m_hRequest(nullptr), m_pData(nullptr)
{
}

CAsyncRead::~CAsyncRead() { Finish(); }

FSAsyncStatus_t CAsyncRead::LoadFile(const char *file, const char *)
{
	// A pending request still names this object: end it before a new one replaces its handle,
	// so that it can never complete into a destroyed object. Its bytes stay until replaced.
	if (m_hRequest && g_pFullFileSystem)
	{
		if (m_bLoading)
			g_pFullFileSystem->AsyncFinish(m_hRequest, true);
		g_pFullFileSystem->AsyncRelease(m_hRequest);
		m_hRequest = nullptr;
	}

	m_bLoading = true;
	m_bLoaded = false;
	m_bErrored = false;
	if (!g_pFullFileSystem)
	{
		m_bLoading = false;
		m_bErrored = true;
		return FSASYNC_ERR_FAILURE;
	}

	FileAsyncRequest_t request;
	request.pszFilename = file;
	request.pData = nullptr;
	request.nOffset = 0;
	request.nBytes = 0;
	request.pfnCallback = &::ASyncLoad;
	request.pContext = this;
	request.priority = 0;
	request.flags = 0;
	request.pszPathID = "MOD";
	request.hSpecificAsyncFile = 0xFFFF;
	request.pfnAlloc = nullptr;
	FSAsyncStatus_t result = g_pFullFileSystem->AsyncReadMultiple(&request, 1, &m_hRequest);
	if (result < 0 && m_bLoading)
	{
		// Refused outright: no completion will come.
		m_bLoading = false;
		m_bErrored = true;
	}
	return result;
}

void CAsyncRead::ASyncLoad(const FileAsyncRequest_t &request, int bytesRead, FSAsyncStatus_t status)
{
	if (status > 0)
		return;  // still in progress
	if (status == 0 && bytesRead >= 0 && (request.pData || bytesRead == 0))
	{
		free(m_pData);
		// One byte at least, so an empty file is held (and not taken for a failed allocation).
		m_pData = static_cast<unsigned char *>(malloc(bytesRead > 0 ? static_cast<size_t>(bytesRead) : 1));
		if (!m_pData)
		{
			m_nBytes = 0;
			m_bLoading = false;
			m_bLoaded = false;
			m_bErrored = false;
			Msg("Couldn't allocate memory to load file %s!\n", request.pszFilename ? request.pszFilename : "");
			return;
		}
		if (bytesRead > 0)
			memcpy(m_pData, request.pData, static_cast<size_t>(bytesRead));
		m_nBytes = bytesRead;
		m_bLoading = false;
		m_bLoaded = true;
		m_bErrored = false;
		return;
	}
	// A failure, or a success report without usable bytes.
	m_nBytes = 0;
	m_bLoading = false;
	m_bLoaded = false;
	m_bErrored = true;
	free(m_pData);
	m_pData = nullptr;
}

void CAsyncRead::Finish()
{
	if (m_hRequest)
	{
		if (m_bLoading && g_pFullFileSystem)
			g_pFullFileSystem->AsyncFinish(m_hRequest, true);
		if (g_pFullFileSystem)
			g_pFullFileSystem->AsyncRelease(m_hRequest);
		m_hRequest = nullptr;
	}
	m_bLoading = false;
	m_bLoaded = false;
	m_bErrored = false;
	free(m_pData);
	m_pData = nullptr;
}
