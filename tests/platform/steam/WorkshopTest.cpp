// Workshop items of the Steam stand-in: publishing keeps file and preview byte for byte, details,
// the user's list in pages of 50, updates with change notes, persistence, and failures on request.
#include "platform/steam/SteamTestFolder.h"

#include <steam/steam_api.h>

#include <gtest/gtest.h>

#include <cstring>
#include <sqlite3.h>
#include <string>
#include <vector>

namespace {

class WorkshopTest : public ::testing::Test {
protected:
    void Start(const std::string& settings = std::string())
    {
        folder.Settings(settings);
        ASSERT_TRUE(SteamAPI_InitSafe());
        ASSERT_TRUE(context.Init());
        storage = context.SteamRemoteStorage();
    }
    void Restart(const std::string& settings = std::string())
    {
        SteamAPI_Shutdown();
        Start(settings);
    }
    void TearDown() override { SteamAPI_Shutdown(); }

    bool Upload(const char* name, const std::string& bytes)
    {
        UGCFileWriteStreamHandle_t stream = storage->FileWriteStreamOpen(name);
        return stream != k_UGCFileStreamHandleInvalid &&
               storage->FileWriteStreamWriteChunk(stream, bytes.data(), static_cast<int32_t>(bytes.size())) &&
               storage->FileWriteStreamClose(stream);
    }

    // Runs the callbacks until the call completes and fetches its record; false on I/O failure.
    template <class R>
    bool Wait(SteamAPICall_t call, R& record)
    {
        bool failed = false;
        for (int i = 0; i < 50 && !context.SteamUtils()->IsAPICallCompleted(call, &failed); ++i)
            SteamAPI_RunCallbacks();
        std::memset(&record, 0, sizeof(record));
        bool fetched = context.SteamUtils()->GetAPICallResult(call, &record, sizeof(record), R::k_iCallback, &failed);
        return fetched && !failed;
    }

    SteamAPICall_t Publish(const char* file, const char* preview, const char* title,
                           std::vector<const char*> tags = {"addon", "map"}, AppId_t app = 4120)
    {
        SteamParamStringArray_t list{tags.data(), static_cast<int32_t>(tags.size())};
        return storage->PublishWorkshopFile(file, preview, app, title, "about it",
                                            k_ERemoteStoragePublishedFileVisibilityPrivate, &list,
                                            k_EWorkshopFileTypeCommunity);
    }

    PublishedFileId_t PublishOne(const char* title, const std::string& bytes = "zva bytes")
    {
        EXPECT_TRUE(Upload("up/f.zva", bytes));
        RemoteStoragePublishFileResult_t result;
        EXPECT_TRUE(Wait(Publish("up/f.zva", "", title), result));
        EXPECT_EQ(k_EResultOK, result.m_eResult);
        storage->FileDelete("up/f.zva");
        return result.m_nPublishedFileId;
    }

    RemoteStorageGetPublishedFileDetailsResult_t Details(PublishedFileId_t id)
    {
        RemoteStorageGetPublishedFileDetailsResult_t details;
        EXPECT_TRUE(Wait(storage->GetPublishedFileDetails(id, 0), details));
        return details;
    }

    std::vector<PublishedFileId_t> Page(uint32_t start, int32_t* total = nullptr, int32_t* returned = nullptr)
    {
        RemoteStorageEnumerateUserPublishedFilesResult_t page;
        EXPECT_TRUE(Wait(storage->EnumerateUserPublishedFiles(start), page));
        EXPECT_EQ(k_EResultOK, page.m_eResult);
        if (total)
            *total = page.m_nTotalResultCount;
        if (returned)
            *returned = page.m_nResultsReturned;
        std::vector<PublishedFileId_t> ids;
        for (int32_t i = 0; i < std::min(page.m_nResultsReturned, 50); ++i)
            ids.push_back(PublishedFileId_t(page.m_rgPublishedFileId[i]));
        return ids;
    }

    SteamTestFolder folder;
    CSteamAPIContext context;
    ISteamRemoteStorage* storage = nullptr;
};

TEST_F(WorkshopTest, PublishKeepsFileAndPreviewByteForByte)
{
    Start();
    std::string archive("\x00\x01zva\xff", 6), icon("\xff\xd8jpeg\xff\xd9", 8);
    ASSERT_TRUE(Upload("addon_uploads/1_2.zva", archive));
    ASSERT_TRUE(Upload("addon_uploads/1_2.jpg", icon));
    RemoteStoragePublishFileResult_t result;
    ASSERT_TRUE(Wait(Publish("addon_uploads/1_2.zva", "addon_uploads/1_2.jpg", "My 100% addon", {"addon", "map", "fun"}), result));
    ASSERT_EQ(k_EResultOK, result.m_eResult);
    EXPECT_GT(uint64_t(result.m_nPublishedFileId), 2147483647ull); // ids are full 64-bit numbers

    // The cloud files may go: the item keeps its own copies.
    EXPECT_TRUE(storage->FileDelete("addon_uploads/1_2.zva"));
    EXPECT_TRUE(storage->FileDelete("addon_uploads/1_2.jpg"));
    std::string itemFolder = folder.Path() + "/items/" + std::to_string(result.m_nPublishedFileId);
    std::string file, preview;
    ASSERT_TRUE(SteamTestFolder::ReadFile(itemFolder + "/file", file));
    ASSERT_TRUE(SteamTestFolder::ReadFile(itemFolder + "/preview", preview));
    EXPECT_EQ(archive, file);
    EXPECT_EQ(icon, preview);

    RemoteStorageGetPublishedFileDetailsResult_t details = Details(result.m_nPublishedFileId);
    EXPECT_EQ(k_EResultOK, details.m_eResult);
    EXPECT_EQ(uint64_t(result.m_nPublishedFileId), uint64_t(details.m_nPublishedFileId));
    EXPECT_STREQ("My 100% addon", details.m_rgchTitle);
    EXPECT_STREQ("about it", details.m_rgchDescription);
    EXPECT_STREQ("addon,map,fun", details.m_rgchTags);
    EXPECT_STREQ("addon_uploads/1_2.zva", details.m_pchFileName);
    EXPECT_EQ(6, details.m_nFileSize);
    EXPECT_EQ(8, details.m_nPreviewFileSize);
    EXPECT_EQ(k_ERemoteStoragePublishedFileVisibilityPrivate, details.m_eVisibility);
    EXPECT_EQ(76561198000000001ull, uint64_t(details.m_ulSteamIDOwner));
    EXPECT_EQ(4120u, details.m_nConsumerAppID);
}

TEST_F(WorkshopTest, PreviewNeverUploadedPublishesWithoutOne)
{
    Start();
    ASSERT_TRUE(Upload("a.zva", "x"));
    RemoteStoragePublishFileResult_t result;
    ASSERT_TRUE(Wait(Publish("a.zva", "a.jpg", "t"), result));
    ASSERT_EQ(k_EResultOK, result.m_eResult);
    EXPECT_EQ(0, Details(uint64_t(result.m_nPublishedFileId)).m_nPreviewFileSize);
    EXPECT_FALSE(SteamTestFolder::Exists(folder.Path() + "/items/" + std::to_string(result.m_nPublishedFileId) + "/preview"));
}

struct PublishRefusal {
    const char* what;
    const char* file;
    const char* preview;
    std::string title;
    AppId_t app;
    EResult expected;
};

TEST_F(WorkshopTest, PublishRefusesBadRequests)
{
    Start();
    ASSERT_TRUE(Upload("a.zva", "x"));
    const PublishRefusal cases[] = {
        {"missing file", "b.zva", "", "t", 4120, k_EResultFileNotFound},
        {"file outside", "../a.zva", "", "t", 4120, k_EResultInvalidParam},
        {"preview outside", "a.zva", "/etc/passwd", "t", 4120, k_EResultInvalidParam},
        {"other application", "a.zva", "", "t", 480, k_EResultInvalidParam},
        {"title too long", "a.zva", "", std::string(129, 't'), 4120, k_EResultInvalidParam},
    };
    for (const PublishRefusal& c : cases) {
        SCOPED_TRACE(c.what);
        RemoteStoragePublishFileResult_t result;
        ASSERT_TRUE(Wait(Publish(c.file, c.preview, c.title.c_str(), {"addon"}, c.app), result));
        EXPECT_EQ(c.expected, result.m_eResult);
        EXPECT_EQ(0u, uint64_t(result.m_nPublishedFileId));
    }
    EXPECT_TRUE(Page(0).empty());
    EXPECT_EQ(k_uAPICallInvalid, storage->PublishWorkshopFile(nullptr, "", 4120, "t", "d",
                                                              k_ERemoteStoragePublishedFileVisibilityPrivate, nullptr,
                                                              k_EWorkshopFileTypeCommunity));
}

TEST_F(WorkshopTest, EnumerationPagesHoldFiftyIds)
{
    Start();
    std::vector<PublishedFileId_t> published;
    for (int i = 0; i < 120; ++i)
        published.push_back(PublishOne(("item " + std::to_string(i)).c_str()));
    int32_t total = 0, returned = 0;
    std::vector<PublishedFileId_t> seen;
    for (uint32_t start : {0u, 50u, 100u}) {
        std::vector<PublishedFileId_t> page = Page(start, &total, &returned);
        EXPECT_EQ(120, total);
        EXPECT_EQ(start < 100 ? 50 : 20, returned);
        seen.insert(seen.end(), page.begin(), page.end());
    }
    EXPECT_EQ(published, seen);
    EXPECT_TRUE(Page(500, &total, &returned).empty());
    EXPECT_EQ(0, returned);

    // Other users' items are not in the list.
    Restart("user_id = 42\n");
    EXPECT_TRUE(Page(0, &total).empty());
    EXPECT_EQ(0, total);
}

TEST_F(WorkshopTest, EnumerationCountsCanBeMadeToLie)
{
    Start("enumerate_total = 1000\nenumerate_returned = 70\n");
    PublishedFileId_t id = PublishOne("only");
    int32_t total = 0, returned = 0;
    std::vector<PublishedFileId_t> page = Page(0, &total, &returned);
    EXPECT_EQ(1000, total);
    EXPECT_EQ(70, returned);
    EXPECT_EQ(id, page[0]);
}

TEST_F(WorkshopTest, ItemsSurviveAndAreSharedBetweenRuns)
{
    Start();
    PublishedFileId_t id = PublishOne("kept");
    Restart();
    EXPECT_STREQ("kept", Details(id).m_rgchTitle);
    EXPECT_EQ(std::vector<PublishedFileId_t>{id}, Page(0));
    PublishedFileId_t next = PublishOne("second");
    EXPECT_GT(next, id);

    // Another user sees the item only when it is public.
    Restart("user_id = 42\n");
    RemoteStorageGetPublishedFileDetailsResult_t details;
    ASSERT_TRUE(Wait(storage->GetPublishedFileDetails(id, 0), details));
    EXPECT_EQ(k_EResultAccessDenied, details.m_eResult);
    ASSERT_TRUE(Wait(storage->GetPublishedFileDetails(12345, 0), details));
    EXPECT_EQ(k_EResultFileNotFound, details.m_eResult);
    EXPECT_STREQ("", details.m_rgchTitle);
}

TEST_F(WorkshopTest, UpdateReplacesTheFileAndKeepsTheChangeNote)
{
    Start();
    PublishedFileId_t id = PublishOne("to update", "old bytes");
    ASSERT_TRUE(Upload("addon_uploads/new.zva", "new bytes!"));
    PublishedFileUpdateHandle_t request = storage->CreatePublishedFileUpdateRequest(id);
    ASSERT_NE(k_PublishedFileUpdateHandleInvalid, request);
    EXPECT_FALSE(storage->UpdatePublishedFileFile(request, "../x"));
    EXPECT_TRUE(storage->UpdatePublishedFileFile(request, "addon_uploads/new.zva"));
    EXPECT_TRUE(storage->UpdatePublishedFileSetChangeDescription(request, "Fixed error when dying"));
    RemoteStorageUpdatePublishedFileResult_t result;
    ASSERT_TRUE(Wait(storage->CommitPublishedFileUpdate(request), result));
    EXPECT_EQ(k_EResultOK, result.m_eResult);
    EXPECT_EQ(id, uint64_t(result.m_nPublishedFileId));
    EXPECT_EQ(k_uAPICallInvalid, storage->CommitPublishedFileUpdate(request)); // consumed

    std::string file;
    ASSERT_TRUE(SteamTestFolder::ReadFile(folder.Path() + "/items/" + std::to_string(id) + "/file", file));
    EXPECT_EQ("new bytes!", file);
    RemoteStorageGetPublishedFileDetailsResult_t details = Details(id);
    EXPECT_EQ(10, details.m_nFileSize);
    EXPECT_STREQ("to update", details.m_rgchTitle);

    sqlite3* db = nullptr;
    ASSERT_EQ(SQLITE_OK, sqlite3_open((folder.Path() + "/workshop.db").c_str(), &db));
    sqlite3_stmt* stmt = nullptr;
    ASSERT_EQ(SQLITE_OK, sqlite3_prepare_v2(db, "SELECT item_id, note FROM change_notes", -1, &stmt, nullptr));
    ASSERT_EQ(SQLITE_ROW, sqlite3_step(stmt));
    EXPECT_EQ(static_cast<int64_t>(id), sqlite3_column_int64(stmt, 0));
    EXPECT_STREQ("Fixed error when dying", reinterpret_cast<const char*>(sqlite3_column_text(stmt, 1)));
    sqlite3_finalize(stmt);
    sqlite3_close(db);
}

TEST_F(WorkshopTest, UpdateOfSomeoneElsesOrAMissingItemIsRefused)
{
    Start();
    PublishedFileId_t id = PublishOne("mine");
    Restart("user_id = 42\n");
    ASSERT_TRUE(Upload("n.zva", "n"));
    struct {
        PublishedFileId_t id;
        const char* file;
        EResult expected;
    } cases[] = {{id, "n.zva", k_EResultAccessDenied}, {99, "n.zva", k_EResultFileNotFound}};
    for (const auto& c : cases) {
        PublishedFileUpdateHandle_t request = storage->CreatePublishedFileUpdateRequest(c.id);
        ASSERT_TRUE(storage->UpdatePublishedFileFile(request, c.file));
        RemoteStorageUpdatePublishedFileResult_t result;
        ASSERT_TRUE(Wait(storage->CommitPublishedFileUpdate(request), result));
        EXPECT_EQ(c.expected, result.m_eResult);
    }
    Restart();
    PublishedFileUpdateHandle_t request = storage->CreatePublishedFileUpdateRequest(id);
    ASSERT_TRUE(storage->UpdatePublishedFileFile(request, "never-uploaded.zva"));
    RemoteStorageUpdatePublishedFileResult_t result;
    ASSERT_TRUE(Wait(storage->CommitPublishedFileUpdate(request), result));
    EXPECT_EQ(k_EResultFileNotFound, result.m_eResult);
}

TEST_F(WorkshopTest, AsynchronousOperationsFailOnRequest)
{
    struct Case {
        const char* settings;
        bool callMade;
        bool ioFailure;
        EResult result;
    };
    const Case cases[] = {
        {"fail_%s = call\n", false, false, k_EResultOK},
        {"fail_%s = io\n", true, true, k_EResultIOFailure},
        {"fail_%s = 25\n", true, false, k_EResultLimitExceeded},
        {"fail_%s = yes\n", true, false, k_EResultFail},
    };
    const char* operations[] = {"publish", "details", "enumerate", "commit"};
    for (const char* operation : operations) {
        for (const Case& c : cases) {
            char settings[64];
            std::snprintf(settings, sizeof(settings), c.settings, operation);
            SCOPED_TRACE(settings);
            Start();
            PublishedFileId_t id = std::strcmp(operation, "publish") == 0 ? 0 : PublishOne("x");
            ASSERT_TRUE(Upload("f.zva", "f"));
            Restart(settings);
            SteamAPICall_t call = k_uAPICallInvalid;
            int callbackId = 0;
            if (std::strcmp(operation, "publish") == 0) {
                call = Publish("f.zva", "", "t");
                callbackId = RemoteStoragePublishFileResult_t::k_iCallback;
            } else if (std::strcmp(operation, "details") == 0) {
                call = storage->GetPublishedFileDetails(id, 0);
                callbackId = RemoteStorageGetPublishedFileDetailsResult_t::k_iCallback;
            } else if (std::strcmp(operation, "enumerate") == 0) {
                call = storage->EnumerateUserPublishedFiles(0);
                callbackId = RemoteStorageEnumerateUserPublishedFilesResult_t::k_iCallback;
            } else {
                PublishedFileUpdateHandle_t request = storage->CreatePublishedFileUpdateRequest(id);
                storage->UpdatePublishedFileFile(request, "f.zva");
                call = storage->CommitPublishedFileUpdate(request);
                callbackId = RemoteStorageUpdatePublishedFileResult_t::k_iCallback;
            }
            EXPECT_EQ(c.callMade, call != k_uAPICallInvalid);
            if (call != k_uAPICallInvalid) {
                bool failed = false;
                for (int i = 0; i < 10; ++i)
                    SteamAPI_RunCallbacks();
                ASSERT_TRUE(context.SteamUtils()->IsAPICallCompleted(call, &failed));
                EXPECT_EQ(c.ioFailure, failed);
                std::vector<unsigned char> record(9744);
                int size = callbackId == RemoteStorageGetPublishedFileDetailsResult_t::k_iCallback ? 9744
                           : callbackId == RemoteStorageEnumerateUserPublishedFilesResult_t::k_iCallback ? 412 : 12;
                ASSERT_TRUE(context.SteamUtils()->GetAPICallResult(call, record.data(), size, callbackId, &failed));
                int32_t result;
                std::memcpy(&result, record.data(), 4);
                EXPECT_EQ(c.result, result);
            }
            SteamAPI_Shutdown();
            SteamTestFolder::WriteFile(folder.Path() + "/settings.txt", "");
            std::remove((folder.Path() + "/workshop.db").c_str());
        }
    }
}

TEST_F(WorkshopTest, UpdateRequestStepsFailOnRequest)
{
    Start("fail_update_request = 1\n");
    EXPECT_EQ(k_PublishedFileUpdateHandleInvalid, storage->CreatePublishedFileUpdateRequest(1));
    Restart("fail_update_file = 1\nfail_update_note = 1\n");
    PublishedFileUpdateHandle_t request = storage->CreatePublishedFileUpdateRequest(1);
    ASSERT_NE(k_PublishedFileUpdateHandleInvalid, request);
    EXPECT_FALSE(storage->UpdatePublishedFileFile(request, "f.zva"));
    EXPECT_FALSE(storage->UpdatePublishedFileSetChangeDescription(request, "note"));
    EXPECT_FALSE(storage->UpdatePublishedFileFile(request + 5, "f.zva"));
}

} // namespace
