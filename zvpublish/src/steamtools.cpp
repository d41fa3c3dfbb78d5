// SteamTools: Steam start-up, call waiting, cloud upload and the enumeration of published files.
#include "steamtools.h"

#include "Kestrum/Console/Output.h"
#include "Kestrum/Platform/Platform.h"
#include "Kestrum/Utility/String.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace SteamTools
{
	namespace
	{
		CSteamAPIContext* steamapicontext = nullptr;

		const uint32_t ChunkSize = 0x100000;
		const int32_t MaxIdsPerPage = 50;

		template <class I>
		void Fetch(I*& pInterface, I* pFound)
		{
			pInterface = pFound;
			if (!pInterface)
				Kestrum::Output::Error("Couldn't initialize Steam Context!");
		}
	}

	void Init(int32_t iAppId)
	{
		if (!SteamAPI_InitSafe())
			Kestrum::Output::Error("Couldn't initialize Steam! (Is it running?)");

		steamapicontext = new CSteamAPIContext();
		steamapicontext->Clear();

		ISteamClient* client = SteamClient();
		if (!client)
			Kestrum::Output::Error("Couldn't initialize Steam Context!");

		HSteamUser user = SteamAPI_GetHSteamUser();
		HSteamPipe pipe = SteamAPI_GetHSteamPipe();
		CSteamAPIContext& c = *steamapicontext;
		Fetch(c.m_pSteamUser, client->GetISteamUser(user, pipe, STEAMUSER_INTERFACE_VERSION));
		Fetch(c.m_pSteamFriends, client->GetISteamFriends(user, pipe, STEAMFRIENDS_INTERFACE_VERSION));
		Fetch(c.m_pSteamUtils, client->GetISteamUtils(pipe, STEAMUTILS_INTERFACE_VERSION));
		Fetch(c.m_pSteamMatchmaking, client->GetISteamMatchmaking(user, pipe, STEAMMATCHMAKING_INTERFACE_VERSION));
		Fetch(c.m_pSteamMatchmakingServers, client->GetISteamMatchmakingServers(user, pipe, STEAMMATCHMAKINGSERVERS_INTERFACE_VERSION));
		Fetch(c.m_pSteamUserStats, client->GetISteamUserStats(user, pipe, STEAMUSERSTATS_INTERFACE_VERSION));
		Fetch(c.m_pSteamApps, client->GetISteamApps(user, pipe, STEAMAPPS_INTERFACE_VERSION));
		Fetch(c.m_pSteamNetworking, client->GetISteamNetworking(user, pipe, STEAMNETWORKING_INTERFACE_VERSION));
		Fetch(c.m_pSteamRemoteStorage, client->GetISteamRemoteStorage(user, pipe, STEAMREMOTESTORAGE_INTERFACE_VERSION));
		Fetch(c.m_pSteamScreenshots, client->GetISteamScreenshots(user, pipe, STEAMSCREENSHOTS_INTERFACE_VERSION));
		Fetch(c.m_pSteamHTTP, client->GetISteamHTTP(user, pipe, STEAMHTTP_INTERFACE_VERSION));
		Fetch(c.m_pSteamUnifiedMessages, client->GetISteamUnifiedMessages(user, pipe, STEAMUNIFIEDMESSAGES_INTERFACE_VERSION));

		if (c.m_pSteamUtils->GetAppID() != static_cast<AppId_t>(iAppId))
			Kestrum::Output::Error("Couldn't initialize Steam AppID!");
	}

	CSteamAPIContext* Steam()
	{
		return steamapicontext;
	}

	bool WriteBufferToFile(const Kestrum::Buffer& buffer, const Kestrum::BString& strName)
	{
		ISteamRemoteStorage* storage = Steam()->m_pSteamRemoteStorage;
		UGCFileWriteStreamHandle_t hStream = storage->FileWriteStreamOpen(strName.c_str());
		if (hStream == k_UGCFileStreamHandleInvalid)
		{
			Kestrum::Output::Warning("\tFile upload failed! (Error writing file %s)\n", strName.c_str());
			return false;
		}

		for (uint32_t iOffset = 0; iOffset < buffer.GetWritten();)
		{
			uint32_t iChunk = std::min(buffer.GetWritten() - iOffset, ChunkSize);
			if (!storage->FileWriteStreamWriteChunk(hStream, buffer.GetBase(iOffset), static_cast<int32_t>(iChunk)))
			{
				Kestrum::Output::Warning("\tFile upload failed! (your account may have run out of space!)\n");
				storage->FileWriteStreamCancel(hStream);
				return false;
			}
			iOffset += iChunk;
		}

		if (!storage->FileWriteStreamClose(hStream))
		{
			Kestrum::Output::Warning("\tFile upload failed! (Error writing file %s)\n", strName.c_str());
			return false;
		}
		return true;
	}

	bool WaitForCall(SteamAPICall_t hCall)
	{
		bool bFailed = false;
		while (!Steam()->m_pSteamUtils->IsAPICallCompleted(hCall, &bFailed))
		{
			SteamAPI_RunCallbacks();
			Kestrum::Platform::Sleep(10);
		}
		return !bFailed;
	}

	SteamUtil::SteamUtil() : m_pContext(Steam()), m_bFinished(false)
	{
	}

	bool SteamUtil::Finished()
	{
		return m_bFinished;
	}

	void SteamUtil::Block()
	{
		while (!Finished())
			SteamAPI_RunCallbacks();
	}

	namespace Workshop
	{
		FileInfo::FileInfo()
		{
			std::memset(&m_Details, 0, sizeof(m_Details));
		}

		void FileInfo::Request(PublishedFileId_t iFileId)
		{
			SteamAPICall_t hCall = m_pContext->m_pSteamRemoteStorage->GetPublishedFileDetails(iFileId, 0);
			if (hCall == k_uAPICallInvalid)
			{
				m_bFinished = true;
				return;
			}
			m_Call.Set(hCall, this, &FileInfo::Response);
		}

		void FileInfo::Response(RemoteStorageGetPublishedFileDetailsResult_t* pResult, bool bIOFailure)
		{
			m_bFinished = true;
			if (!bIOFailure && pResult->m_eResult == k_EResultOK)
				std::memcpy(&m_Details, pResult, sizeof(m_Details));
		}

		PublishedFiles::~PublishedFiles()
		{
			m_Call.Cancel();
			for (FileInfo* info : m_List)
				delete info;
		}

		void PublishedFiles::GetList()
		{
			m_iStart = 0;
			RequestPage();
		}

		void PublishedFiles::RequestPage()
		{
			SteamAPICall_t hCall = m_pContext->m_pSteamRemoteStorage->EnumerateUserPublishedFiles(static_cast<uint32_t>(m_iStart));
			if (hCall == k_uAPICallInvalid)
			{
				Kestrum::Output::Warning("PublishedFiles failed (invalid call)\n");
				m_bFinished = true;
				return;
			}
			m_Call.Set(hCall, this, &PublishedFiles::Steam_FilesList);
		}

		void PublishedFiles::Steam_FilesList(RemoteStorageEnumerateUserPublishedFilesResult_t* pResult, bool bIOFailure)
		{
			if (bIOFailure || pResult->m_eResult != k_EResultOK)
			{
				Kestrum::Output::Warning("PublishedFiles failed %i\n", static_cast<int>(pResult->m_eResult));
				m_bFinished = true;
				return;
			}

			// A page holds at most 50 ids, whatever its count says; an empty page ends the list.
			int32_t iReturned = std::min(pResult->m_nResultsReturned, MaxIdsPerPage);
			if (iReturned <= 0)
			{
				m_bFinished = true;
				return;
			}
			for (int32_t i = 0; i < iReturned; i++)
			{
				FileInfo* info = new FileInfo();
				m_List.push_back(info);
				info->Request(pResult->m_rgPublishedFileId[i]);
			}

			if (m_iStart > INT32_MAX - iReturned)
			{
				m_bFinished = true;
				return;
			}
			m_iStart += iReturned;
			if (m_iStart < pResult->m_nTotalResultCount)
				RequestPage();
			else
				m_bFinished = true;
		}

		void PublishedFiles::Block()
		{
			SteamUtil::Block();
			for (FileInfo* info : m_List)
				info->Block();
		}
	}
}

void CSyncProgress::Register()
{
	m_Callback.Register(this, &CSyncProgress::UploadProgress);
}

void CSyncProgress::Unregister()
{
	m_Callback.Unregister();
}

void CSyncProgress::UploadProgress(RemoteStorageAppSyncProgress_t* pProgress)
{
	double dPercent = pProgress->m_dAppPercentComplete;
	if (!(dPercent >= -2147483648.0 && dPercent <= 2147483647.0))
		dPercent = 0; // outside what an int holds (or not a number)
	Kestrum::Output::Msg("%i%%\n", static_cast<int>(dPercent));
}

Kestrum::BString FieldText(const char* pField, size_t iSize)
{
	return Kestrum::BString(pField, strnlen(pField, iSize));
}

void ForEachPublishedAddon(const std::function<bool(const RemoteStorageGetPublishedFileDetailsResult_t&)>& visit)
{
	SteamTools::Workshop::PublishedFiles files;
	files.GetList();
	files.Block();
	for (const SteamTools::Workshop::FileInfo* info : files.List())
	{
		const RemoteStorageGetPublishedFileDetailsResult_t& details = info->Details();
		if (!Kestrum::String::Test::Contains(FieldText(details.m_rgchTags, sizeof(details.m_rgchTags)), "addon", true))
			continue;
		if (!visit(details))
			return;
	}
}
