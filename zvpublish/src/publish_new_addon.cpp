// The "create" command: validates an add-on and its icon, uploads both into the cloud under
// temporary names, publishes a new private workshop item from them and deletes the cloud files.
#include "common.h"
#include "steamtools.h"

#include "Kestrum/Console/Output.h"
#include "Kestrum/File/File.h"
#include "Kestrum/Image/JPEG.h"
#include "Kestrum/Platform/Platform.h"
#include "Kestrum/Utility/String.h"

#include <stb_image.h>

#include <vector>

namespace
{
	const uint32_t IconSize = 512;

	// Both cloud names go on every failure after the archive's upload was attempted.
	int Fail(const Kestrum::BString& strArchive, const Kestrum::BString& strIcon)
	{
		DeleteCloudFile(strArchive);
		DeleteCloudFile(strIcon);
		return 1;
	}

	// Reads, checks and uploads the icon; false after printing why.
	bool SendIcon(const Kestrum::BString& strIconPath, const Kestrum::BString& strIconName)
	{
		Kestrum::AutoBuffer icon(32);
		if (!Kestrum::File::Read(strIconPath, icon))
		{
			Kestrum::Output::Warning("Couldn't open the icon!\n");
			return false;
		}

		// A JPEG that announces another size is refused before anything is decoded, so a
		// hostile header cannot ask for a huge picture.
		int iWidth = 0, iHeight = 0, iComponents = 0;
		int iLength = static_cast<int>(icon.GetWritten() > 0x7FFFFFFF ? 0x7FFFFFFF : icon.GetWritten());
		bool bAnnounced = icon.GetWritten() > 0 && stbi_info_from_memory(icon.GetBase(), iLength, &iWidth, &iHeight, &iComponents);
		if (bAnnounced && (iWidth != static_cast<int>(IconSize) || iHeight != static_cast<int>(IconSize)))
		{
			Kestrum::Output::Warning("Image is the wrong size, it should be 512x512!");
			return false;
		}

		Kestrum::Image::Format image;
		if (!Kestrum::Image::JPEG::Load(icon, image))
		{
			Kestrum::Output::Warning("Couldn't load icon - is it a jpeg?\n");
			return false;
		}
		if (image.width != IconSize || image.height != IconSize)
		{
			Kestrum::Output::Warning("Image is the wrong size, it should be 512x512!");
			return false;
		}

		Kestrum::Output::Msg("Sending Icon to Steam..\n");
		if (!SteamTools::WriteBufferToFile(icon, strIconName))
		{
			Kestrum::Output::Warning("Addon Upload failed.. can't continue.\n");
			return false;
		}
		return true;
	}
}

int Publish_New_Addon(const Kestrum::BString& strAddon, const Kestrum::BString& strIcon)
{
	Kestrum::Output::Msg("Opening %s\n", strAddon.c_str());
	SyncProgressScope progress;

	Addon::Reader addon;
	if (!LoadAddon(addon, strAddon))
		return 1;

	Kestrum::AutoBuffer payload(32);
	if (!BuildPayload(addon, payload))
		return 1;

	Kestrum::BString strStem = CloudStem(payload);
	Kestrum::BString strArchiveName = strStem + ".zva";
	Kestrum::BString strIconName = strStem + ".jpg";

	Kestrum::Output::Msg("Sending Addon to Steam..\n");
	if (!SteamTools::WriteBufferToFile(payload, strArchiveName))
	{
		Kestrum::Output::Warning("Addon Upload failed.. can't continue.\n");
		return Fail(strArchiveName, strIconName);
	}

	if (!strIcon.empty() && !SendIcon(strIcon, strIconName))
		return Fail(strArchiveName, strIconName);

	Kestrum::Output::Msg("Publishing \"%s\"..\n(this can take a long time - it's actually uploading the files right now..)\n",
	                     addon.Title().c_str());

	std::vector<const char*> tags;
	tags.push_back("addon");
	tags.push_back(addon.Type().c_str());
	for (const Kestrum::BString& tag : addon.Tags())
		tags.push_back(tag.c_str());
	SteamParamStringArray_t tagList;
	tagList.m_ppStrings = tags.data();
	tagList.m_nNumStrings = static_cast<int32_t>(tags.size());

	ISteamRemoteStorage* storage = SteamTools::Steam()->m_pSteamRemoteStorage;
	SteamAPICall_t hCall = storage->PublishWorkshopFile(strArchiveName.c_str(), strIconName.c_str(), ZVPUBLISH_APP_ID,
	                                                    addon.Title().c_str(), addon.Description().c_str(),
	                                                    k_ERemoteStoragePublishedFileVisibilityPrivate, &tagList,
	                                                    k_EWorkshopFileTypeCommunity);
	if (hCall == k_uAPICallInvalid)
	{
		Kestrum::Output::Msg("File publish failed!\n");
		return Fail(strArchiveName, strIconName);
	}

	RemoteStoragePublishFileResult_t result;
	if (!SteamTools::WaitForResult(hCall, result))
	{
		Kestrum::Output::Warning("PublishWorkshopFile failed!\n");
		return Fail(strArchiveName, strIconName);
	}
	if (result.m_eResult != k_EResultOK)
	{
		Kestrum::Output::Warning("PublishWorkshopFile failed! (%i)\n", static_cast<int>(result.m_eResult));
		return Fail(strArchiveName, strIconName);
	}

	Kestrum::Output::Msg("\nPublished file!\n\n");
	Kestrum::Output::Msg(" UID: %llu\n\n", static_cast<unsigned long long>(result.m_nPublishedFileId));
	Kestrum::Output::Warning("Your file is marked as private - only you will be able to see it.\n");
	Kestrum::Output::Warning("Please mark it as public only when you have tested it!!\n\n");
	SteamAPI_RunCallbacks();
	Kestrum::Output::Msg("Cleaning up..\n");
	DeleteCloudFile(strArchiveName);
	DeleteCloudFile(strIconName);
	Kestrum::Output::Msg("All done!\n");
	Kestrum::Platform::Sleep(2);
	return 0;
}
