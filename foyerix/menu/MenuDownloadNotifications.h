// The menu's receiver of workshop download reports: each report becomes a call of a hook in
// the menu Lua state. The menu host object carries it as its second base.
#pragma once

#include "filesystem/AddonDownloadNotifications.h"

class CMenuDownloadNotifications : public AddonDownloadNotifications
{
public:
	void Start() override;
	void ListingFiles() override;
	void StartDownload(uint64_t itemId, uint64_t secondId, const char *title, uint32_t size) override;
	void FinishDownload(uint64_t itemId, const char *title) override;
	void Finish() override;
	void DownloadProgress(uint64_t itemId, uint64_t secondId, const char *title, uint32_t done,
	                      uint32_t total) override;
	void DownloadTotals(int a, int b) override;

protected:
	~CMenuDownloadNotifications() = default;
};
