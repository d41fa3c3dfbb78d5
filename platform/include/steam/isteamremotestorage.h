// Steam Cloud files and Steam Workshop items ("STEAMREMOTESTORAGE_INTERFACE_VERSION010"), with
// the records its calls and callbacks deliver.
#pragma once

#include "steamtypes.h"

#define STEAMREMOTESTORAGE_INTERFACE_VERSION "STEAMREMOTESTORAGE_INTERFACE_VERSION010"

// Longest texts Steam keeps for a published item, terminating zero included.
const int k_cchPublishedDocumentTitleMax = 129;
const int k_cchPublishedDocumentDescriptionMax = 8000;
const int k_cchPublishedDocumentChangeDescriptionMax = 8000;
const int k_cchTagListMax = 1025;
const int k_cchFilenameMax = 260;
// Ids per page of an enumeration.
const int k_unEnumeratePublishedFilesMaxResults = 50;

enum ERemoteStoragePublishedFileVisibility {
    k_ERemoteStoragePublishedFileVisibilityPublic = 0,
    k_ERemoteStoragePublishedFileVisibilityFriendsOnly = 1,
    k_ERemoteStoragePublishedFileVisibilityPrivate = 2,
};

enum EWorkshopFileType {
    k_EWorkshopFileTypeCommunity = 0,
    k_EWorkshopFileTypeMicrotransaction = 1,
    k_EWorkshopFileTypeCollection = 2,
};

// A list of strings handed to Steam (the tags of an item).
struct SteamParamStringArray_t {
    const char** m_ppStrings;
    int32_t m_nNumStrings;
};

STEAM_RECORD_PACK_BEGIN

// Posted while Steam uploads the files of a pending publish or update.
struct RemoteStorageAppSyncProgress_t {
    enum { k_iCallback = k_iClientRemoteStorageCallbacks + 3 };
    double m_dAppPercentComplete; // 0 to 100
    uint32_t m_uBytesTransferredThisChunk;
    AppId_t m_nAppID;
    bool m_bUploading;
    char m_rgchCurrentFile[k_cchFilenameMax];
};

// Result of PublishWorkshopFile.
struct RemoteStoragePublishFileResult_t {
    enum { k_iCallback = k_iClientRemoteStorageCallbacks + 9 };
    EResult m_eResult;
    PublishedFileId_t m_nPublishedFileId;
};

// Result of EnumerateUserPublishedFiles: one page of the user's items.
struct RemoteStorageEnumerateUserPublishedFilesResult_t {
    enum { k_iCallback = k_iClientRemoteStorageCallbacks + 12 };
    EResult m_eResult;
    int32_t m_nResultsReturned;
    int32_t m_nTotalResultCount;
    PublishedFileId_t m_rgPublishedFileId[k_unEnumeratePublishedFilesMaxResults];
};

// Result of CommitPublishedFileUpdate.
struct RemoteStorageUpdatePublishedFileResult_t {
    enum { k_iCallback = k_iClientRemoteStorageCallbacks + 16 };
    EResult m_eResult;
    PublishedFileId_t m_nPublishedFileId;
};

// Result of GetPublishedFileDetails.
struct RemoteStorageGetPublishedFileDetailsResult_t {
    enum { k_iCallback = k_iClientRemoteStorageCallbacks + 18 };
    EResult m_eResult;
    PublishedFileId_t m_nPublishedFileId;
    uint64_t m_ulSteamIDOwner;
    AppId_t m_nCreatorAppID;
    AppId_t m_nConsumerAppID;
    RTime32 m_rtimeCreated;
    RTime32 m_rtimeUpdated;
    ERemoteStoragePublishedFileVisibility m_eVisibility;
    EWorkshopFileType m_eFileType;
    int32_t m_nFileSize;
    int32_t m_nPreviewFileSize;
    bool m_bTagsTruncated;
    char m_rgchTitle[k_cchPublishedDocumentTitleMax];
    char m_rgchDescription[k_cchPublishedDocumentDescriptionMax];
    char m_rgchTags[k_cchTagListMax]; // comma-separated
    char m_pchFileName[k_cchFilenameMax];
    uint8_t m_rgubReserved[277];
};

STEAM_RECORD_PACK_END

static_assert(sizeof(RemoteStorageAppSyncProgress_t) == 280, "sync progress record");
static_assert(sizeof(RemoteStoragePublishFileResult_t) == 12, "publish result record");
static_assert(sizeof(RemoteStorageEnumerateUserPublishedFilesResult_t) == 412, "enumeration record");
static_assert(sizeof(RemoteStorageUpdatePublishedFileResult_t) == 12, "update result record");
static_assert(sizeof(RemoteStorageGetPublishedFileDetailsResult_t) == 9744, "details record");

class ISteamRemoteStorage {
public:
    // Cloud files. Names are relative paths with "/" separators; names that would leave the
    // user's cloud folder are refused.
    virtual UGCFileWriteStreamHandle_t FileWriteStreamOpen(const char* pchFile) = 0;
    virtual bool FileWriteStreamWriteChunk(UGCFileWriteStreamHandle_t hStream, const void* pvData,
                                           int32_t cubData) = 0;
    // Makes the streamed bytes the file's content; false when that fails (nothing is stored).
    virtual bool FileWriteStreamClose(UGCFileWriteStreamHandle_t hStream) = 0;
    // Drops the stream and everything written to it.
    virtual bool FileWriteStreamCancel(UGCFileWriteStreamHandle_t hStream) = 0;
    virtual bool FileDelete(const char* pchFile) = 0;
    virtual bool FileExists(const char* pchFile) = 0;
    virtual int32_t GetFileSize(const char* pchFile) = 0;
    // Total and still available bytes of the user's cloud.
    virtual bool GetQuota(int32_t* pnTotalBytes, int32_t* puAvailableBytes) = 0;

    // Workshop items. Each call returns a call handle, 0 when the call cannot be made; the result
    // record is named beside each.
    virtual SteamAPICall_t PublishWorkshopFile(const char* pchFile, const char* pchPreviewFile,
                                               AppId_t nConsumerAppId, const char* pchTitle,
                                               const char* pchDescription,
                                               ERemoteStoragePublishedFileVisibility eVisibility,
                                               SteamParamStringArray_t* pTags,
                                               EWorkshopFileType eWorkshopFileType) = 0; // RemoteStoragePublishFileResult_t
    virtual SteamAPICall_t GetPublishedFileDetails(PublishedFileId_t unPublishedFileId,
                                                   uint32_t unMaxSecondsOld) = 0; // RemoteStorageGetPublishedFileDetailsResult_t
    virtual SteamAPICall_t EnumerateUserPublishedFiles(uint32_t unStartIndex) = 0; // RemoteStorageEnumerateUserPublishedFilesResult_t

    // Updating an item: create a request, set what changes, commit it (which consumes it).
    virtual PublishedFileUpdateHandle_t CreatePublishedFileUpdateRequest(PublishedFileId_t unPublishedFileId) = 0;
    virtual bool UpdatePublishedFileFile(PublishedFileUpdateHandle_t hUpdateRequest, const char* pchFile) = 0;
    virtual bool UpdatePublishedFileSetChangeDescription(PublishedFileUpdateHandle_t hUpdateRequest,
                                                         const char* pchChangeDescription) = 0;
    virtual SteamAPICall_t CommitPublishedFileUpdate(PublishedFileUpdateHandle_t hUpdateRequest) = 0; // RemoteStorageUpdatePublishedFileResult_t

protected:
    virtual ~ISteamRemoteStorage() = default;
};
