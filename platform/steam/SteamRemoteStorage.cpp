// The remote-storage interface: cloud files through write streams, the quota, and workshop
// items (publish, details, the user's list, updates), each operation able to fail on request.
#include "CallQueue.h"
#include "Core.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

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

// Lower-cased comma-separated tags of an item, trimmed of spaces.
std::vector<std::string> TagsOf(const std::string& text)
{
    std::vector<std::string> tags;
    size_t start = 0;
    while (start <= text.size()) {
        size_t end = text.find(',', start);
        if (end == std::string::npos)
            end = text.size();
        std::string tag = text.substr(start, end - start);
        size_t first = tag.find_first_not_of(' '), last = tag.find_last_not_of(' ');
        tag = first == std::string::npos ? std::string() : tag.substr(first, last - first + 1);
        for (char& c : tag)
            c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        if (!tag.empty())
            tags.push_back(tag);
        start = end + 1;
    }
    return tags;
}

std::vector<std::string> ParamTags(const SteamParamStringArray_t* array)
{
    std::vector<std::string> tags;
    if (!array || !array->m_ppStrings)
        return tags;
    for (int32_t i = 0; i < array->m_nNumStrings; ++i)
        if (array->m_ppStrings[i]) {
            std::vector<std::string> one = TagsOf(array->m_ppStrings[i]);
            tags.insert(tags.end(), one.begin(), one.end());
        }
    return tags;
}

// Whether the item carries every required tag and none of the excluded ones (case ignored).
bool TagsMatch(const Item& item, const std::vector<std::string>& required, const std::vector<std::string>& excluded)
{
    std::vector<std::string> tags = TagsOf(item.tags);
    auto has = [&](const std::string& tag) { return std::find(tags.begin(), tags.end(), tag) != tags.end(); };
    return std::all_of(required.begin(), required.end(), has) && std::none_of(excluded.begin(), excluded.end(), has);
}

// Items of other users are seen only when public.
bool Visible(const Item& item, uint64_t viewer)
{
    return item.owner == viewer || item.visibility == k_ERemoteStoragePublishedFileVisibilityPublic;
}

// A result record of the given type carrying a result code and the item id (the records of
// subscribing, voting and the like).
template <class R>
R ItemResult(EResult result, PublishedFileId_t id)
{
    R record;
    std::memset(&record, 0, sizeof(record));
    record.m_eResult = result;
    record.m_nPublishedFileId = id;
    return record;
}

// Starts an asynchronous operation on one item: `apply` runs when the call completes and gives
// the result code; the settings' failure of `operation` replaces it.
template <class R>
SteamAPICall_t ItemCall(const char* operation, PublishedFileId_t id, std::function<EResult(Core&)> apply,
                        std::function<void(R&)> finish = nullptr)
{
    AsyncFailure failure = AsyncFailureOf(operation);
    if (!Running() || failure.refuseCall)
        return k_uAPICallInvalid;
    CallWork work = [=](bool& io) {
        io = failure.io;
        Core* core = Running();
        EResult result = failure.io ? k_EResultIOFailure
                         : failure.result != k_EResultOK ? failure.result
                         : !core                          ? k_EResultNoConnection
                                                          : apply(*core);
        R record = ItemResult<R>(result, id);
        if (finish)
            finish(record);
        return ToRecord(record);
    };
    return Calls().Start(R::k_iCallback, work);
}

// Bytes of a downloaded content handle.
struct Download {
    std::vector<unsigned char> bytes;
    AppId_t appId = 0;
    std::string name;
    uint64_t owner = 0;
};

// A file's bytes, refused (false) when it cannot be read or holds 2 GiB or more.
bool ReadWhole(const std::string& path, std::vector<unsigned char>& out)
{
    FILE* file = std::fopen(path.c_str(), "rb");
    if (!file)
        return false;
    bool ok = std::fseek(file, 0, SEEK_END) == 0;
    long size = ok ? std::ftell(file) : -1;
    ok = ok && size >= 0 && static_cast<int64_t>(size) < static_cast<int64_t>(INT32_MAX) &&
         std::fseek(file, 0, SEEK_SET) == 0;
    if (ok) {
        out.resize(static_cast<size_t>(size));
        ok = size == 0 || std::fread(out.data(), 1, out.size(), file) == out.size();
    }
    std::fclose(file);
    return ok;
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
                details.m_hFile = FileHandleOf(item.id);
                details.m_hPreviewFile = item.previewName.empty() ? 0 : PreviewHandleOf(item.id);
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

    bool FileWrite(const char* pchFile, const void* pvData, int32_t cubData) override
    {
        Core* core = Running();
        if (!core || Refused("file_write") || cubData < 0 || (!pvData && cubData > 0))
            return false;
        UGCFileWriteStreamHandle_t stream = core->cloud.OpenStream(pchFile);
        if (stream == k_UGCFileStreamHandleInvalid)
            return false;
        if (cubData > 0 && !core->cloud.WriteChunk(stream, pvData, cubData, core->settings.quotaBytes)) {
            core->cloud.CancelStream(stream);
            return false;
        }
        return core->cloud.CloseStream(stream, false);
    }

    SteamAPICall_t SubscribePublishedFile(PublishedFileId_t id) override
    {
        return ItemCall<RemoteStorageSubscribePublishedFileResult_t>("subscribe", id, [id](Core& core) {
            return core.workshop.Subscribe(core.settings.userId, id, Now());
        });
    }

    SteamAPICall_t UnsubscribePublishedFile(PublishedFileId_t id) override
    {
        return ItemCall<RemoteStorageUnsubscribePublishedFileResult_t>("unsubscribe", id, [id](Core& core) {
            return core.workshop.Unsubscribe(core.settings.userId, id);
        });
    }

    SteamAPICall_t UpdateUserPublishedItemVote(PublishedFileId_t id, bool bVoteUp) override
    {
        return ItemCall<RemoteStorageUpdateUserPublishedItemVoteResult_t>("vote", id, [id, bVoteUp](Core& core) {
            return core.workshop.Vote(core.settings.userId, id, bVoteUp);
        });
    }

    SteamAPICall_t SetUserPublishedFileAction(PublishedFileId_t id, EWorkshopFileAction eAction) override
    {
        return ItemCall<RemoteStorageSetUserPublishedFileActionResult_t>(
            "file_action", id,
            [id, eAction](Core& core) {
                return core.workshop.RecordAction(core.settings.userId, id, static_cast<int>(eAction), Now());
            },
            [eAction](RemoteStorageSetUserPublishedFileActionResult_t& record) { record.m_eAction = eAction; });
    }

    SteamAPICall_t GetPublishedItemVoteDetails(PublishedFileId_t id) override
    {
        auto counts = std::make_shared<std::pair<int64_t, int64_t>>(0, 0);
        return ItemCall<RemoteStorageGetPublishedItemVoteDetailsResult_t>(
            "vote_details", id,
            [id, counts](Core& core) {
                Item item;
                if (!core.workshop.Find(id, item))
                    return k_EResultFileNotFound;
                return core.workshop.VoteCounts(id, counts->first, counts->second) ? k_EResultOK : k_EResultIOFailure;
            },
            [counts](RemoteStorageGetPublishedItemVoteDetailsResult_t& record) {
                record.m_nVotesFor = static_cast<int32_t>(std::min<int64_t>(counts->first, INT32_MAX));
                record.m_nVotesAgainst = static_cast<int32_t>(std::min<int64_t>(counts->second, INT32_MAX));
                int64_t total = counts->first + counts->second;
                record.m_fScore = total > 0 ? static_cast<float>(static_cast<double>(counts->first) / total) : 0.0f;
            });
    }

    SteamAPICall_t EnumeratePublishedWorkshopFiles(EWorkshopEnumerationType eEnumerationType, uint32_t unStartIndex,
                                                   uint32_t, uint32_t unDays, SteamParamStringArray_t* pTags,
                                                   SteamParamStringArray_t*) override
    {
        AsyncFailure failure = AsyncFailureOf("enumerate_workshop");
        if (!Running() || failure.refuseCall)
            return k_uAPICallInvalid;
        std::vector<std::string> required = ParamTags(pTags);
        CallWork work = [=](bool& io) {
            RemoteStorageEnumerateWorkshopFilesResult_t page;
            std::memset(&page, 0, sizeof(page));
            io = failure.io;
            Core* core = Running();
            if (failure.io)
                page.m_eResult = k_EResultIOFailure;
            else if (failure.result != k_EResultOK)
                page.m_eResult = failure.result;
            else if (!core)
                page.m_eResult = k_EResultNoConnection;
            else {
                std::vector<std::pair<Item, float>> listed = Listing(*core, eEnumerationType, unDays, required);
                size_t start = std::min<size_t>(unStartIndex, listed.size());
                size_t count = std::min<size_t>(listed.size() - start, k_unEnumeratePublishedFilesMaxResults);
                for (size_t i = 0; i < count; ++i) {
                    page.m_rgPublishedFileId[i] = listed[start + i].first.id;
                    page.m_rgScore[i] = listed[start + i].second;
                }
                FillCounts(*core, page, count, listed.size());
            }
            return ToRecord(page);
        };
        return Calls().Start(RemoteStorageEnumerateWorkshopFilesResult_t::k_iCallback, work);
    }

    SteamAPICall_t EnumerateUserSharedWorkshopFiles(CSteamID steamId, uint32_t unStartIndex,
                                                    SteamParamStringArray_t* pRequiredTags,
                                                    SteamParamStringArray_t* pExcludedTags) override
    {
        AsyncFailure failure = AsyncFailureOf("enumerate_shared");
        if (!Running() || failure.refuseCall)
            return k_uAPICallInvalid;
        std::vector<std::string> required = ParamTags(pRequiredTags), excluded = ParamTags(pExcludedTags);
        uint64_t owner = steamId.ConvertToUint64();
        CallWork work = [=](bool& io) {
            RemoteStorageEnumerateUserSharedWorkshopFilesResult_t page;
            std::memset(&page, 0, sizeof(page));
            io = failure.io;
            Core* core = Running();
            if (failure.io)
                page.m_eResult = k_EResultIOFailure;
            else if (failure.result != k_EResultOK)
                page.m_eResult = failure.result;
            else if (!core)
                page.m_eResult = k_EResultNoConnection;
            else {
                std::vector<PublishedFileId_t> ids;
                for (const Item& item : core->workshop.ItemsOfApp(core->settings.appId))
                    if (item.owner == owner && Visible(item, core->settings.userId) && TagsMatch(item, required, excluded))
                        ids.push_back(item.id);
                size_t start = std::min<size_t>(unStartIndex, ids.size());
                size_t count = std::min<size_t>(ids.size() - start, k_unEnumeratePublishedFilesMaxResults);
                for (size_t i = 0; i < count; ++i)
                    page.m_rgPublishedFileId[i] = ids[start + i];
                FillCounts(*core, page, count, ids.size());
            }
            return ToRecord(page);
        };
        return Calls().Start(RemoteStorageEnumerateUserSharedWorkshopFilesResult_t::k_iCallback, work);
    }

    SteamAPICall_t UGCDownload(UGCHandle_t hContent, uint32_t) override
    {
        AsyncFailure failure = AsyncFailureOf("download");
        if (!Running() || failure.refuseCall)
            return k_uAPICallInvalid;
        CallWork work = [this, failure, hContent](bool& io) {
            RemoteStorageDownloadUGCResult_t result;
            std::memset(&result, 0, sizeof(result));
            result.m_hFile = hContent;
            io = failure.io;
            Core* core = Running();
            Item item;
            Download download;
            if (failure.io)
                result.m_eResult = k_EResultIOFailure;
            else if (failure.result != k_EResultOK)
                result.m_eResult = failure.result;
            else if (!core)
                result.m_eResult = k_EResultNoConnection;
            else if (!core->workshop.Find(ItemOfHandle(hContent), item) ||
                     (IsPreviewHandle(hContent) && item.previewName.empty()))
                result.m_eResult = k_EResultFileNotFound;
            else if (!Visible(item, core->settings.userId))
                result.m_eResult = k_EResultAccessDenied;
            else if (!ReadWhole(IsPreviewHandle(hContent) ? core->workshop.PreviewPath(item.id)
                                                          : core->workshop.FilePath(item.id),
                                download.bytes))
                result.m_eResult = k_EResultIOFailure;
            else {
                download.appId = item.appId;
                download.name = IsPreviewHandle(hContent) ? item.previewName : item.fileName;
                download.owner = item.owner;
                result.m_eResult = k_EResultOK;
                result.m_nAppID = download.appId;
                result.m_nSizeInBytes = static_cast<int32_t>(download.bytes.size());
                result.m_ulSteamIDOwner = download.owner;
                CopyText(result.m_pchFileName, sizeof(result.m_pchFileName), download.name);
                m_downloads[hContent] = std::move(download);
            }
            return ToRecord(result);
        };
        return Calls().Start(RemoteStorageDownloadUGCResult_t::k_iCallback, work);
    }

    bool GetUGCDetails(UGCHandle_t hContent, AppId_t* pnAppID, char** ppchName, int32_t* pnFileSizeInBytes,
                       CSteamID* pSteamIDOwner) override
    {
        auto it = m_downloads.find(hContent);
        if (!Running() || it == m_downloads.end())
            return false;
        if (pnAppID)
            *pnAppID = it->second.appId;
        if (ppchName)
            *ppchName = &it->second.name[0];
        if (pnFileSizeInBytes)
            *pnFileSizeInBytes = static_cast<int32_t>(it->second.bytes.size());
        if (pSteamIDOwner)
            *pSteamIDOwner = CSteamID(it->second.owner);
        return true;
    }

    int32_t UGCRead(UGCHandle_t hContent, void* pvData, int32_t cubDataToRead, uint32_t cOffset) override
    {
        auto it = m_downloads.find(hContent);
        if (!Running() || it == m_downloads.end() || !pvData || cubDataToRead <= 0)
            return 0;
        const std::vector<unsigned char>& bytes = it->second.bytes;
        if (cOffset >= bytes.size())
            return 0;
        size_t n = std::min<size_t>(bytes.size() - cOffset, static_cast<size_t>(cubDataToRead));
        std::memcpy(pvData, bytes.data() + cOffset, n);
        return static_cast<int32_t>(n);
    }

private:
    // The application's items seen by the user for an enumeration type, best first, with their
    // scores (share of up votes). Friends are the users the settings name.
    static std::vector<std::pair<Item, float>> Listing(Core& core, EWorkshopEnumerationType type, uint32_t days,
                                                       const std::vector<std::string>& required)
    {
        std::vector<std::pair<Item, float>> listed;
        uint32_t now = Now();
        for (const Item& item : core.workshop.ItemsOfApp(core.settings.appId)) {
            if (!Visible(item, core.settings.userId) || !TagsMatch(item, required, {}))
                continue;
            if (days > 0 && static_cast<uint64_t>(item.updated) + static_cast<uint64_t>(days) * 86400u < now)
                continue;
            if (type == k_EWorkshopEnumerationTypeContentByFriends && !core.settings.personas.count(item.owner))
                continue;
            if (type != k_EWorkshopEnumerationTypeRankedByVote && type != k_EWorkshopEnumerationTypeRecent &&
                type != k_EWorkshopEnumerationTypeTrending && type != k_EWorkshopEnumerationTypeContentByFriends)
                continue;
            int64_t up = 0, down = 0;
            core.workshop.VoteCounts(item.id, up, down);
            float score = up + down > 0 ? static_cast<float>(static_cast<double>(up) / (up + down)) : 0.0f;
            listed.emplace_back(item, score);
        }
        if (type == k_EWorkshopEnumerationTypeRecent)
            std::stable_sort(listed.begin(), listed.end(), [](const std::pair<Item, float>& a, const std::pair<Item, float>& b) {
                return a.first.created != b.first.created ? a.first.created > b.first.created : a.first.id > b.first.id;
            });
        else
            std::stable_sort(listed.begin(), listed.end(), [](const std::pair<Item, float>& a, const std::pair<Item, float>& b) {
                return a.second > b.second;
            });
        return listed;
    }

    template <class Page>
    static void FillCounts(const Core& core, Page& page, size_t returned, size_t total)
    {
        page.m_eResult = k_EResultOK;
        page.m_nResultsReturned = static_cast<int32_t>(returned);
        page.m_nTotalResultCount = static_cast<int32_t>(std::min<size_t>(total, INT32_MAX));
        if (core.settings.enumerateReturned >= 0)
            page.m_nResultsReturned = static_cast<int32_t>(std::min<int64_t>(core.settings.enumerateReturned, INT32_MAX));
        if (core.settings.enumerateTotal >= 0)
            page.m_nTotalResultCount = static_cast<int32_t>(std::min<int64_t>(core.settings.enumerateTotal, INT32_MAX));
    }

    std::map<UGCHandle_t, Download> m_downloads;
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
