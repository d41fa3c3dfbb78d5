// SteamTools: zvpublish's whole contact with Steam: start-up, the interface table, waiting for
// calls, streaming a buffer into a cloud file, the upload progress line, and the enumeration of
// the user's published files with their details.
#pragma once

#include "Kestrum/Types/Buffer.h"
#include "Kestrum/Types/String.h"

#include <steam/steam_api.h>

#include <cstdint>
#include <cstring>
#include <functional>
#include <vector>

namespace SteamTools
{
	// Starts Steam for the application; every failure ends the process through Output::Error.
	void Init(int32_t iAppId);
	CSteamAPIContext* Steam();

	// Streams the buffer's written bytes into the cloud file in 1 MiB chunks; false (with a
	// warning, and nothing left in the cloud) when any step fails.
	bool WriteBufferToFile(const Kestrum::Buffer& buffer, const Kestrum::BString& strName);

	// Runs the callbacks with 10 ms sleeps until the call completes; true when it completed
	// without an I/O failure.
	bool WaitForCall(SteamAPICall_t hCall);

	// Waits for the call and fetches its result record (zeroed first); true when the call
	// completed without an I/O failure and the record was had.
	template <class R>
	bool WaitForResult(SteamAPICall_t hCall, R& result)
	{
		std::memset(&result, 0, sizeof(result));
		bool bCompleted = WaitForCall(hCall);
		bool bFailed = false;
		bool bFetched = Steam()->m_pSteamUtils->GetAPICallResult(hCall, &result, sizeof(result), R::k_iCallback, &bFailed);
		return bCompleted && bFetched && !bFailed;
	}

	class SteamUtil
	{
	public:
		SteamUtil();
		virtual ~SteamUtil() = default;
		virtual bool Finished();
		// Runs the callbacks, without sleeping, until Finished.
		virtual void Block();

	protected:
		CSteamAPIContext* m_pContext;
		bool m_bFinished;
	};

	namespace Workshop
	{
		class FileInfo : public SteamUtil
		{
		public:
			FileInfo();
			void Request(PublishedFileId_t iFileId);
			void Response(RemoteStorageGetPublishedFileDetailsResult_t* pResult, bool bIOFailure);
			// The details; all zero when they could not be had.
			const RemoteStorageGetPublishedFileDetailsResult_t& Details() const { return m_Details; }

		private:
			CCallResult<FileInfo, RemoteStorageGetPublishedFileDetailsResult_t> m_Call;
			RemoteStorageGetPublishedFileDetailsResult_t m_Details;
		};

		class PublishedFiles : public SteamUtil
		{
		public:
			~PublishedFiles() override;
			// Starts the enumeration at index 0.
			void GetList();
			// Waits for every page and every details request.
			void Block() override;
			const std::vector<FileInfo*>& List() const { return m_List; }

			void Steam_FilesList(RemoteStorageEnumerateUserPublishedFilesResult_t* pResult, bool bIOFailure);

		private:
			void RequestPage();

			CCallResult<PublishedFiles, RemoteStorageEnumerateUserPublishedFilesResult_t> m_Call;
			int32_t m_iStart = 0;
			std::vector<FileInfo*> m_List;
		};
	}
}

// Prints Steam's upload progress while registered.
class CSyncProgress
{
public:
	void Register();
	void Unregister();
	void UploadProgress(RemoteStorageAppSyncProgress_t* pProgress);

private:
	CCallback<CSyncProgress, RemoteStorageAppSyncProgress_t> m_Callback;
};

// Registers a CSyncProgress for the life of a command.
class SyncProgressScope
{
public:
	SyncProgressScope() { m_Progress.Register(); }
	~SyncProgressScope() { m_Progress.Unregister(); }

private:
	CSyncProgress m_Progress;
};

// Text of a fixed-size, possibly unterminated character field of a Steam record.
Kestrum::BString FieldText(const char* pField, size_t iSize);

// Enumerates the user's published files with their details and hands each add-on (an item
// whose tag text holds "addon", in any case) to visit, in list order, until visit returns false.
void ForEachPublishedAddon(const std::function<bool(const RemoteStorageGetPublishedFileDetailsResult_t&)>& visit);
