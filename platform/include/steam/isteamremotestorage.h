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

enum EWorkshopEnumerationType {
    k_EWorkshopEnumerationTypeRankedByVote = 0,
    k_EWorkshopEnumerationTypeRecent = 1,
    k_EWorkshopEnumerationTypeTrending = 2,
    k_EWorkshopEnumerationTypeFavoritesOfFriends = 3,
    k_EWorkshopEnumerationTypeVotedByFriends = 4,
    k_EWorkshopEnumerationTypeContentByFriends = 5,
    k_EWorkshopEnumerationTypeRecentFromFollowedUsers = 6,
};

enum EWorkshopFileAction {
    k_EWorkshopFileActionPlayed = 0,
    k_EWorkshopFileActionCompleted = 1,
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
    UGCHandle_t m_hFile;        // the item's content, for UGCDownload
    UGCHandle_t m_hPreviewFile; // its preview image (0 when none)
    bool m_bBanned;
    uint8_t m_rgubReserved[259];
};

// Result of EnumeratePublishedWorkshopFiles: one page of the application's items.
struct RemoteStorageEnumerateWorkshopFilesResult_t {
    enum { k_iCallback = k_iClientRemoteStorageCallbacks + 19 };
    EResult m_eResult;
    int32_t m_nResultsReturned;
    int32_t m_nTotalResultCount;
    PublishedFileId_t m_rgPublishedFileId[k_unEnumeratePublishedFilesMaxResults];
    float m_rgScore[k_unEnumeratePublishedFilesMaxResults];
};

// Result of EnumerateUserSharedWorkshopFiles: one page of a user's items.
struct RemoteStorageEnumerateUserSharedWorkshopFilesResult_t {
    enum { k_iCallback = k_iClientRemoteStorageCallbacks + 26 };
    EResult m_eResult;
    int32_t m_nResultsReturned;
    int32_t m_nTotalResultCount;
    PublishedFileId_t m_rgPublishedFileId[k_unEnumeratePublishedFilesMaxResults];
};

// Result of GetPublishedItemVoteDetails.
struct RemoteStorageGetPublishedItemVoteDetailsResult_t {
    enum { k_iCallback = k_iClientRemoteStorageCallbacks + 20 };
    EResult m_eResult;
    PublishedFileId_t m_nPublishedFileId;
    int32_t m_nVotesFor;
    int32_t m_nVotesAgainst;
    int32_t m_nReports;
    float m_fScore;
};

// Result of SubscribePublishedFile, UnsubscribePublishedFile, UpdateUserPublishedItemVote and
// SetUserPublishedFileAction (one record type each).
struct RemoteStorageSubscribePublishedFileResult_t {
    enum { k_iCallback = k_iClientRemoteStorageCallbacks + 13 };
    EResult m_eResult;
    PublishedFileId_t m_nPublishedFileId;
};

struct RemoteStorageUnsubscribePublishedFileResult_t {
    enum { k_iCallback = k_iClientRemoteStorageCallbacks + 15 };
    EResult m_eResult;
    PublishedFileId_t m_nPublishedFileId;
};

struct RemoteStorageUpdateUserPublishedItemVoteResult_t {
    enum { k_iCallback = k_iClientRemoteStorageCallbacks + 24 };
    EResult m_eResult;
    PublishedFileId_t m_nPublishedFileId;
};

struct RemoteStorageSetUserPublishedFileActionResult_t {
    enum { k_iCallback = k_iClientRemoteStorageCallbacks + 28 };
    EResult m_eResult;
    PublishedFileId_t m_nPublishedFileId;
    EWorkshopFileAction m_eAction;
};

// Result of UGCDownload: the content is then read with UGCRead.
struct RemoteStorageDownloadUGCResult_t {
    enum { k_iCallback = k_iClientRemoteStorageCallbacks + 17 };
    EResult m_eResult;
    UGCHandle_t m_hFile;
    AppId_t m_nAppID;
    int32_t m_nSizeInBytes;
    char m_pchFileName[k_cchFilenameMax];
    uint64_t m_ulSteamIDOwner;
};

STEAM_RECORD_PACK_END

static_assert(sizeof(RemoteStorageAppSyncProgress_t) == 280, "sync progress record");
static_assert(sizeof(RemoteStoragePublishFileResult_t) == 12, "publish result record");
static_assert(sizeof(RemoteStorageEnumerateUserPublishedFilesResult_t) == 412, "enumeration record");
static_assert(sizeof(RemoteStorageUpdatePublishedFileResult_t) == 12, "update result record");
static_assert(sizeof(RemoteStorageGetPublishedFileDetailsResult_t) == 9744, "details record");
static_assert(sizeof(RemoteStorageEnumerateWorkshopFilesResult_t) == 612, "workshop enumeration record");
static_assert(sizeof(RemoteStorageEnumerateUserSharedWorkshopFilesResult_t) == 412, "shared enumeration record");
static_assert(sizeof(RemoteStorageGetPublishedItemVoteDetailsResult_t) == 28, "vote details record");
static_assert(sizeof(RemoteStorageDownloadUGCResult_t) == 288, "download record");

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

    // Writes a whole cloud file at once; false when it cannot be stored (nothing is then kept).
    virtual bool FileWrite(const char* pchFile, const void* pvData, int32_t cubData) = 0;

    // The local user's subscriptions, votes and actions on items.
    virtual SteamAPICall_t SubscribePublishedFile(PublishedFileId_t unPublishedFileId) = 0; // RemoteStorageSubscribePublishedFileResult_t
    virtual SteamAPICall_t UnsubscribePublishedFile(PublishedFileId_t unPublishedFileId) = 0; // RemoteStorageUnsubscribePublishedFileResult_t
    virtual SteamAPICall_t UpdateUserPublishedItemVote(PublishedFileId_t unPublishedFileId, bool bVoteUp) = 0; // RemoteStorageUpdateUserPublishedItemVoteResult_t
    virtual SteamAPICall_t GetPublishedItemVoteDetails(PublishedFileId_t unPublishedFileId) = 0; // RemoteStorageGetPublishedItemVoteDetailsResult_t
    virtual SteamAPICall_t SetUserPublishedFileAction(PublishedFileId_t unPublishedFileId, EWorkshopFileAction eAction) = 0; // RemoteStorageSetUserPublishedFileActionResult_t

    // Listings: the application's items of a kind (at most one page of 50), and a user's.
    virtual SteamAPICall_t EnumeratePublishedWorkshopFiles(EWorkshopEnumerationType eEnumerationType,
                                                           uint32_t unStartIndex, uint32_t unCount, uint32_t unDays,
                                                           SteamParamStringArray_t* pTags,
                                                           SteamParamStringArray_t* pUserTags) = 0; // RemoteStorageEnumerateWorkshopFilesResult_t
    virtual SteamAPICall_t EnumerateUserSharedWorkshopFiles(CSteamID steamId, uint32_t unStartIndex,
                                                            SteamParamStringArray_t* pRequiredTags,
                                                            SteamParamStringArray_t* pExcludedTags) = 0; // RemoteStorageEnumerateUserSharedWorkshopFilesResult_t

    // Item content: download by handle, then ask its details and read it.
    virtual SteamAPICall_t UGCDownload(UGCHandle_t hContent, uint32_t unPriority) = 0; // RemoteStorageDownloadUGCResult_t
    // Of a downloaded handle: false when it has not been downloaded. Any out pointer may be null.
    virtual bool GetUGCDetails(UGCHandle_t hContent, AppId_t* pnAppID, char** ppchName, int32_t* pnFileSizeInBytes,
                               CSteamID* pSteamIDOwner) = 0;
    // Copies up to cubDataToRead bytes from cOffset of the downloaded content; the bytes copied.
    virtual int32_t UGCRead(UGCHandle_t hContent, void* pvData, int32_t cubDataToRead, uint32_t cOffset) = 0;

protected:
    virtual ~ISteamRemoteStorage() = default;
};
