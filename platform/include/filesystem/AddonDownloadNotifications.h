// The receiver through which the engine's add-on service reports workshop downloads; the
// menu plug-in registers one with it.
#pragma once

#include <cstdint>

class AddonDownloadNotifications
{
public:
	virtual void Start() = 0;
	virtual void ListingFiles() = 0;
	virtual void StartDownload(uint64_t itemId, uint64_t secondId, const char *title, uint32_t size) = 0;
	virtual void FinishDownload(uint64_t itemId, const char *title) = 0;
	virtual void Finish() = 0;
	virtual void DownloadProgress(uint64_t itemId, uint64_t secondId, const char *title, uint32_t done,
	                              uint32_t total) = 0;
	virtual void DownloadTotals(int a, int b) = 0;

protected:
	~AddonDownloadNotifications() = default;
};
