// The "update" command: replaces the file of a workshop item the user published, with a
// change note; and CanEditWorkshopID, which decides whether an item is one of the user's add-ons.
#include "common.h"
#include "steamtools.h"

#include "Kestrum/Console/Output.h"
#include "Kestrum/Utility/String.h"

bool CanEditWorkshopID(uint64_t iFileId)
{
	if (iFileId == 0)
		return false;

	bool bFound = false;
	ForEachPublishedAddon([iFileId, &bFound](const RemoteStorageGetPublishedFileDetailsResult_t& details) {
		bFound = details.m_nPublishedFileId == iFileId;
		return !bFound;
	});
	return bFound;
}

namespace
{
	// A commit that could not be made or did not succeed: the cloud file goes.
	int CommitFailed(const Kestrum::BString& strName)
	{
		Kestrum::Output::Msg("File publish failed!\n");
		DeleteCloudFile(strName);
		Kestrum::Output::Msg("Failed!\n");
		return 1;
	}
}

int Update_Addon(const Kestrum::BString& strAddon, const Kestrum::BString& strId, const Kestrum::BString& strChanges)
{
	uint64_t iFileId = Kestrum::String::To::UInt64(strId);
	SyncProgressScope progress;

	if (!CanEditWorkshopID(iFileId))
	{
		Kestrum::Output::Warning("Can't edit workshop id %llu (are you the author?)\n", static_cast<unsigned long long>(iFileId));
		return 1;
	}

	Addon::Reader addon;
	if (!LoadAddon(addon, strAddon))
		return 1;

	Kestrum::Output::Msg("Updating..\n");
	ISteamRemoteStorage* storage = SteamTools::Steam()->m_pSteamRemoteStorage;
	PublishedFileUpdateHandle_t hUpdate = storage->CreatePublishedFileUpdateRequest(iFileId);
	if (hUpdate == k_PublishedFileUpdateHandleInvalid)
	{
		Kestrum::Output::Warning("Couldn't create update request\n");
		return 1;
	}

	Kestrum::AutoBuffer payload(32);
	if (!BuildPayload(addon, payload))
		return 1;
	Kestrum::BString strName = CloudStem(payload) + ".zva";

	Kestrum::Output::Msg("Updating Addon..\n");
	if (!SteamTools::WriteBufferToFile(payload, strName))
	{
		Kestrum::Output::Warning("Addon Upload failed.. can't continue.\n");
		DeleteCloudFile(strName);
		return 1;
	}

	if (!storage->UpdatePublishedFileFile(hUpdate, strName.c_str()) ||
	    !storage->UpdatePublishedFileSetChangeDescription(hUpdate, strChanges.c_str()))
		return CommitFailed(strName);

	Kestrum::Output::Msg("Committing.. (this can take a long time)\n");
	SteamAPICall_t hCall = storage->CommitPublishedFileUpdate(hUpdate);
	if (hCall == k_uAPICallInvalid)
		return CommitFailed(strName);

	RemoteStorageUpdatePublishedFileResult_t result;
	if (!SteamTools::WaitForResult(hCall, result) || result.m_eResult != k_EResultOK)
		return CommitFailed(strName);

	Kestrum::Output::Msg("Success!\n");
	DeleteCloudFile(strName);
	return 0;
}
