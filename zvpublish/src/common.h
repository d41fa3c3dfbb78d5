// What the create and update commands share: the application id, the upload payload (the
// archive as a Kestrum LZMA stream, its size and the signature) and the cloud file names.
#pragma once

#include "addon.h"

#include "Kestrum/Types/Buffer.h"
#include "Kestrum/Types/String.h"

#include <cstdint>

// The application zvpublish publishes for.
const int32_t ZVPUBLISH_APP_ID = 4120;

// Reads, parses and checks the archive, printing why when it fails.
bool LoadAddon(Addon::Reader& addon, const Kestrum::BString& strPath);

// Compresses the archive into payload and appends the size and the signature, printing
// "Compressing.. [size] => [compressed]"; false (with the warning "Failed!") when it fails.
bool BuildPayload(const Addon::Reader& addon, Kestrum::AutoBuffer& payload);

// "addon_uploads/" + Unix time + "_" + decimal CRC-32 of the payload; the caller adds ".zva"
// or ".jpg".
Kestrum::BString CloudStem(const Kestrum::Buffer& payload);

// Deletes cloud files, ignoring the outcome.
void DeleteCloudFile(const Kestrum::BString& strName);

int Publish_New_Addon(const Kestrum::BString& strAddon, const Kestrum::BString& strIcon);
int Update_Addon(const Kestrum::BString& strAddon, const Kestrum::BString& strId, const Kestrum::BString& strChanges);
int List_Addons();
bool CanEditWorkshopID(uint64_t iFileId);
