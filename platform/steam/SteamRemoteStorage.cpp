// The remote-storage interface: cloud files through write streams, the quota, and workshop
// items (publish, details, the user's list, updates), each operation able to fail on request.
#include "CallQueue.h"
#include "Core.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <map>

namespace steamstandin {

namespace {

// Upload calls take four turns: progress 0, 50 and 100 %, then the result.
const int kUploadTurns = 4;

// Whether a synchronous operation is made to fail by the settings.
bool Refused(const char* operation)
{
    Core* core = Running();
    return !core || !core->settings.Failure(operation).empty();
}

// How an asynchronous operation is made to fail: "call" refuses the call (handle 0), "io"
// completes it with an I/O failure, a number completes it with that result code.
struct AsyncFailure {
    bool refuseCall = false;
    bool io = false;
    EResult result = k_EResultOK;

    // What the call completes with before its own work: the I/O failure or result code it is
    // made to fail with, no connection once Steam has shut down, else k_EResultOK.
    EResult Outcome(bool& ioFailure) const
    {
        ioFailure = io;
        if (io)
            return k_EResultIOFailure;
        if (result != k_EResultOK)
            return result;
        return Running() ? k_EResultOK : k_EResultNoConnection;
    }
};

AsyncFailure AsyncFailureOf(const char* operation)
{
    AsyncFailure failure;
    Core* core = Running();
    std::string how = core ? core->settings.Failure(operation) : std::string();
    if (how.empty())
        return failure;
    if (how == "call") {
        failure.refuseCall = true;
    } else if (how == "io") {
        failure.io = true;
    } else {
        char* end = nullptr;
        long code = std::strtol(how.c_str(), &end, 10);
        failure.result = (*end == '\0' && code != 0) ? static_cast<EResult>(code) : k_EResultFail;
    }
    return failure;
}

template <class R>
Record ToRecord(const R& record)
{
    Record bytes(sizeof(R));
    std::memcpy(bytes.data(), &record, sizeof(R));
    return bytes;
}

void CopyText(char* target, size_t size, const std::string& text)
{
    size_t n = std::min(size - 1, text.size());
    std::memcpy(target, text.data(), n);
    target[n] = '\0';
}

std::string TextOf(const char* text)
{
    return text ? std::string(text) : std::string();
}

EResult PublishNow(const std::string& file, const std::string& preview, AppId_t app, const std::string& title,
                   const std::string& description, int visibility, const std::string& tags, int fileType,
                   PublishedFileId_t& id)
{
    Core* core = Running();
    if (!core)
        return k_EResultNoConnection;
    if (app != core->settings.appId || visibility < 0 || visibility > 2 ||
        title.size() >= static_cast<size_t>(k_cchPublishedDocumentTitleMax) ||
        description.size() >= static_cast<size_t>(k_cchPublishedDocumentDescriptionMax) ||
        tags.size() >= static_cast<size_t>(k_cchTagListMax) || !Cloud::ValidName(file.c_str()) ||
        (!preview.empty() && !Cloud::ValidName(preview.c_str())))
        return k_EResultInvalidParam;
    if (!core->cloud.Exists(file.c_str()))
        return k_EResultFileNotFound;
    Item item;
    item.appId = app;
    item.owner = core->settings.userId;
    item.title = title;
    item.description = description;
    item.tags = tags;
    item.visibility = visibility;
    item.fileType = fileType;
    item.fileName = file;
    item.previewName = preview;
    item.created = item.updated = Now();
    // A preview that was never uploaded leaves the item without one.
    std::string previewPath = (!preview.empty() && core->cloud.Exists(preview.c_str())) ? core->cloud.PathOf(preview) : std::string();
    EResult result = core->workshop.Publish(item, core->cloud.PathOf(file), previewPath);
    id = item.id;
    return result;
}

struct UpdateRequest {
    PublishedFileId_t id;
    bool hasFile;
    std::string file;
    std::string note;
};

class RemoteStorage : public ISteamRemoteStorage {
public:
    UGCFileWriteStreamHandle_t FileWriteStreamOpen(const char* pchFile) override
    {
        if (Refused("stream_open"))
            return k_UGCFileStreamHandleInvalid;
        return Running()->cloud.OpenStream(pchFile);
    }

    bool FileWriteStreamWriteChunk(UGCFileWriteStreamHandle_t hStream, const void* pvData, int32_t cubData) override
    {
        Core* core = Running();
        if (!core)
            return false;
        // fail_chunk_write = N: the N-th and every later chunk of a stream fail.
        std::string how = core->settings.Failure("chunk_write");
        if (!how.empty()) {
            long from = std::strtol(how.c_str(), nullptr, 10);
            if (core->cloud.ChunksWritten(hStream) + 1 >= std::max(from, 1L))
                return false;
        }
        return core->cloud.WriteChunk(hStream, pvData, cubData, core->settings.quotaBytes);
    }

    bool FileWriteStreamClose(UGCFileWriteStreamHandle_t hStream) override
    {
        Core* core = Running();
        return core && core->cloud.CloseStream(hStream, Refused("stream_close"));
    }

    bool FileWriteStreamCancel(UGCFileWriteStreamHandle_t hStream) override
    {
        Core* core = Running();
        return core && core->cloud.CancelStream(hStream);
    }

    bool FileDelete(const char* pchFile) override
    {
        if (Refused("delete"))
            return false;
        return Running()->cloud.Delete(pchFile);
    }

    bool FileExists(const char* pchFile) override
    {
        Core* core = Running();
        return core && core->cloud.Exists(pchFile);
    }

    int32_t GetFileSize(const char* pchFile) override
    {
        Core* core = Running();
        return core ? static_cast<int32_t>(std::min<int64_t>(core->cloud.Size(pchFile), INT32_MAX)) : 0;
    }

    bool GetQuota(int32_t* pnTotalBytes, int32_t* puAvailableBytes) override
    {
        if (Refused("quota") || !pnTotalBytes || !puAvailableBytes)
            return false;
        Core* core = Running();
        int64_t total = std::min<int64_t>(core->settings.quotaBytes, INT32_MAX);
        int64_t available = std::max<int64_t>(0, total - core->cloud.Usage());
        *pnTotalBytes = static_cast<int32_t>(total);
        *puAvailableBytes = static_cast<int32_t>(available);
        return true;
    }

    SteamAPICall_t PublishWorkshopFile(const char* pchFile, const char* pchPreviewFile, AppId_t nConsumerAppId,
                                       const char* pchTitle, const char* pchDescription,
                                       ERemoteStoragePublishedFileVisibility eVisibility,
                                       SteamParamStringArray_t* pTags, EWorkshopFileType eWorkshopFileType) override
    {
        AsyncFailure failure = AsyncFailureOf("publish");
        if (!Running() || failure.refuseCall || !pchFile)
            return k_uAPICallInvalid;
        std::string tags;
        if (pTags && pTags->m_ppStrings) {
            for (int32_t i = 0; i < pTags->m_nNumStrings; ++i) {
                if (!pTags->m_ppStrings[i])
                    continue;
                if (!tags.empty())
                    tags += ",";
                tags += pTags->m_ppStrings[i];
            }
        }
        std::string file = pchFile, preview = TextOf(pchPreviewFile), title = TextOf(pchTitle),
                    description = TextOf(pchDescription);
        int visibility = eVisibility, fileType = eWorkshopFileType;
        CallWork work = [=](bool& io) {
            RemoteStoragePublishFileResult_t result;
            std::memset(&result, 0, sizeof(result));
            result.m_eResult = failure.Outcome(io);
            if (result.m_eResult == k_EResultOK) {
                PublishedFileId_t id = 0;
                result.m_eResult = PublishNow(file, preview, nConsumerAppId, title, description, visibility, tags,
                                              fileType, id);
                result.m_nPublishedFileId = id;
            }
            return ToRecord(result);
        };
        return Calls().Start(RemoteStoragePublishFileResult_t::k_iCallback, work, kUploadTurns, file);
    }

    SteamAPICall_t GetPublishedFileDetails(PublishedFileId_t id, uint32_t) override
    {
        AsyncFailure failure = AsyncFailureOf("details");
        if (!Running() || failure.refuseCall)
            return k_uAPICallInvalid;
        CallWork work = [=](bool& io) {
            RemoteStorageGetPublishedFileDetailsResult_t details;
            std::memset(&details, 0, sizeof(details));
            details.m_nPublishedFileId = id;
            EResult outcome = failure.Outcome(io);
            Core* core = Running();
            Item item;
            if (outcome != k_EResultOK)
                details.m_eResult = outcome;
            else if (!core->workshop.Find(id, item))
                details.m_eResult = k_EResultFileNotFound;
            else if (item.owner != core->settings.userId && item.visibility != k_ERemoteStoragePublishedFileVisibilityPublic)
                details.m_eResult = k_EResultAccessDenied;
            else {
                details.m_eResult = k_EResultOK;
                details.m_ulSteamIDOwner = item.owner;
                details.m_nCreatorAppID = item.appId;
                details.m_nConsumerAppID = item.appId;
                details.m_rtimeCreated = item.created;
                details.m_rtimeUpdated = item.updated;
                details.m_eVisibility = static_cast<ERemoteStoragePublishedFileVisibility>(item.visibility);
                details.m_eFileType = static_cast<EWorkshopFileType>(item.fileType);
                details.m_nFileSize = static_cast<int32_t>(std::min<int64_t>(item.fileSize, INT32_MAX));
                details.m_nPreviewFileSize = static_cast<int32_t>(std::min<int64_t>(item.previewSize, INT32_MAX));
                details.m_bTagsTruncated = item.tags.size() >= sizeof(details.m_rgchTags);
                CopyText(details.m_rgchTitle, sizeof(details.m_rgchTitle), item.title);
                CopyText(details.m_rgchDescription, sizeof(details.m_rgchDescription), item.description);
                CopyText(details.m_rgchTags, sizeof(details.m_rgchTags), item.tags);
                CopyText(details.m_pchFileName, sizeof(details.m_pchFileName), item.fileName);
            }
            return ToRecord(details);
        };
        return Calls().Start(RemoteStorageGetPublishedFileDetailsResult_t::k_iCallback, work);
    }

    SteamAPICall_t EnumerateUserPublishedFiles(uint32_t unStartIndex) override
    {
        AsyncFailure failure = AsyncFailureOf("enumerate");
        if (!Running() || failure.refuseCall)
            return k_uAPICallInvalid;
        CallWork work = [=](bool& io) {
            RemoteStorageEnumerateUserPublishedFilesResult_t page;
            std::memset(&page, 0, sizeof(page));
            EResult outcome = failure.Outcome(io);
            Core* core = Running();
            if (outcome != k_EResultOK)
                page.m_eResult = outcome;
            else {
                std::vector<PublishedFileId_t> ids = core->workshop.ItemsOf(core->settings.userId, core->settings.appId);
                size_t start = std::min<size_t>(unStartIndex, ids.size());
                size_t count = std::min<size_t>(ids.size() - start, k_unEnumeratePublishedFilesMaxResults);
                for (size_t i = 0; i < count; ++i)
                    page.m_rgPublishedFileId[i] = ids[start + i]; // element by element: the record is packed
                page.m_eResult = k_EResultOK;
                page.m_nResultsReturned = static_cast<int32_t>(count);
                page.m_nTotalResultCount = static_cast<int32_t>(ids.size());
                if (core->settings.enumerateReturned >= 0)
                    page.m_nResultsReturned = static_cast<int32_t>(std::min<int64_t>(core->settings.enumerateReturned, INT32_MAX));
                if (core->settings.enumerateTotal >= 0)
                    page.m_nTotalResultCount = static_cast<int32_t>(std::min<int64_t>(core->settings.enumerateTotal, INT32_MAX));
            }
            return ToRecord(page);
        };
        return Calls().Start(RemoteStorageEnumerateUserPublishedFilesResult_t::k_iCallback, work);
    }

    PublishedFileUpdateHandle_t CreatePublishedFileUpdateRequest(PublishedFileId_t unPublishedFileId) override
    {
        if (Refused("update_request"))
            return k_PublishedFileUpdateHandleInvalid;
        PublishedFileUpdateHandle_t handle = m_nextRequest++;
        m_requests[handle] = UpdateRequest{unPublishedFileId, false, std::string(), std::string()};
        return handle;
    }

    bool UpdatePublishedFileFile(PublishedFileUpdateHandle_t hUpdateRequest, const char* pchFile) override
    {
        auto it = m_requests.find(hUpdateRequest);
        if (Refused("update_file") || it == m_requests.end() || !Cloud::ValidName(pchFile))
            return false;
        it->second.hasFile = true;
        it->second.file = pchFile;
        return true;
    }

    bool UpdatePublishedFileSetChangeDescription(PublishedFileUpdateHandle_t hUpdateRequest,
                                                 const char* pchChangeDescription) override
    {
        auto it = m_requests.find(hUpdateRequest);
        std::string note = TextOf(pchChangeDescription);
        if (Refused("update_note") || it == m_requests.end() ||
            note.size() >= static_cast<size_t>(k_cchPublishedDocumentChangeDescriptionMax))
            return false;
        it->second.note = note;
        return true;
    }

    SteamAPICall_t CommitPublishedFileUpdate(PublishedFileUpdateHandle_t hUpdateRequest) override
    {
        AsyncFailure failure = AsyncFailureOf("commit");
        auto it = m_requests.find(hUpdateRequest);
        if (!Running() || failure.refuseCall || it == m_requests.end())
            return k_uAPICallInvalid;
        UpdateRequest request = it->second;
        m_requests.erase(it);
        CallWork work = [=](bool& io) {
            RemoteStorageUpdatePublishedFileResult_t result;
            std::memset(&result, 0, sizeof(result));
            result.m_nPublishedFileId = request.id;
            EResult outcome = failure.Outcome(io);
            Core* core = Running();
            Item item;
            if (outcome != k_EResultOK)
                result.m_eResult = outcome;
            else if (!core->workshop.Find(request.id, item))
                result.m_eResult = k_EResultFileNotFound;
            else if (item.owner != core->settings.userId || item.appId != core->settings.appId)
                result.m_eResult = k_EResultAccessDenied;
            else if (request.hasFile && !core->cloud.Exists(request.file.c_str()))
                result.m_eResult = k_EResultFileNotFound;
            else
                result.m_eResult = core->workshop.Update(request.id, request.file,
                                                         request.hasFile ? core->cloud.PathOf(request.file) : std::string(),
                                                         request.note, Now());
            return ToRecord(result);
        };
        return Calls().Start(RemoteStorageUpdatePublishedFileResult_t::k_iCallback, work, kUploadTurns,
                             request.hasFile ? request.file : std::string());
    }

private:
    PublishedFileUpdateHandle_t m_nextRequest = 1;
    std::map<PublishedFileUpdateHandle_t, UpdateRequest> m_requests;
};

} // namespace

ISteamRemoteStorage* RemoteStorageInterface()
{
    static RemoteStorage storage;
    return &storage;
}

} // namespace steamstandin
