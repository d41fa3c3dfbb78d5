// The "update" command: replaces the file of a workshop item the user published, with a
// change note; and CanEditWorkshopID, which decides whether an item is one of the user's add-ons.
#include "common.h"
#include "steamtools.h"

#include "Kestrum/Console/Output.h"
#include "Kestrum/Utility/String.h"

#include <cstring>

bool CanEditWorkshopID(uint64_t iFileId)
{
	if (iFileId == 0)
		return false;

	SteamTools::Workshop::PublishedFiles files;
	files.GetList();
	files.Block();
	for (const SteamTools::Workshop::FileInfo* info : files.List())
	{
		const RemoteStorageGetPublishedFileDetailsResult_t& details = info->Details();
		if (!Kestrum::String::Test::Contains(FieldText(details.m_rgchTags, sizeof(details.m_rgchTags)), "addon", true))
			continue;
		if (details.m_nPublishedFileId == iFileId)
			return true;
	}
	return false;
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
	if (!addon.ReadFromFile(strAddon))
	{
		Kestrum::Output::Warning("Error opening addon (does the file exist?)\n");
		return 1;
	}
	if (!addon.Parse())
	{
		Kestrum::Output::Warning("Error parsing addon\n");
		return 1;
	}
	if (!CheckAddon(addon))
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
	std::memset(&result, 0, sizeof(result));
	bool bFailed = false;
	bool bCompleted = SteamTools::WaitForCall(hCall);
	bool bFetched = SteamTools::Steam()->m_pSteamUtils->GetAPICallResult(hCall, &result, sizeof(result),
	                                                                      RemoteStorageUpdatePublishedFileResult_t::k_iCallback, &bFailed);
	if (!bCompleted || !bFetched || bFailed || result.m_eResult != k_EResultOK)
		return CommitFailed(strName);

	Kestrum::Output::Msg("Success!\n");
	DeleteCloudFile(strName);
	return 0;
}
