// The workshop calls of the Steam stand-in's remote storage that the menu uses: whole-file cloud
// writes, subscriptions, votes, file actions, listings, and downloads read back with UGCRead.
#include "platform/steam/SteamTestFolder.h"

#include <steam/steam_api.h>

#include <gtest/gtest.h>

#include <cstring>
#include <ctime>
#include <sqlite3.h>
#include <string>
#include <vector>

namespace {

const uint64_t kMe = 76561198000000001ull;
const uint64_t kFriend = 76561198000000077ull;
const uint64_t kStranger = 123;

class SteamRemoteStorageTest : public ::testing::Test {
protected:
    void Start(const std::string& settings = "persona_76561198000000077 = Friend\n")
    {
        folder.Settings(settings);
        ASSERT_TRUE(SteamAPI_InitSafe());
        ASSERT_TRUE(context.Init());
        storage = context.SteamRemoteStorage();
    }
    void TearDown() override { SteamAPI_Shutdown(); }

    template <class R>
    R Wait(SteamAPICall_t call)
    {
        EXPECT_NE(k_uAPICallInvalid, call);
        bool failed = false;
        for (int i = 0; i < 10 && !context.SteamUtils()->IsAPICallCompleted(call, &failed); ++i)
            SteamAPI_RunCallbacks();
        R record;
        std::memset(&record, 0, sizeof(record));
        EXPECT_TRUE(context.SteamUtils()->GetAPICallResult(call, &record, sizeof(record), R::k_iCallback, &failed));
        return record;
    }

    // Adds an item straight into workshop.db with its file (and preview when given).
    PublishedFileId_t Add(uint64_t owner, const char* tags, int visibility, uint32_t created,
                          const std::string& file, const char* preview = nullptr)
    {
        sqlite3* db = nullptr;
        EXPECT_EQ(SQLITE_OK, sqlite3_open((folder.Path() + "/workshop.db").c_str(), &db));
        std::string sql = "INSERT INTO items(app_id, owner, title, description, tags, visibility, file_type, file_name,"
                          " file_size, preview_name, preview_size, created, updated) VALUES(4120, " +
                          std::to_string(owner) + ", 't', 'd', '" + tags + "', " + std::to_string(visibility) +
                          ", 0, 'f.main', " + std::to_string(file.size()) + ", '" + (preview ? "p.jpg" : "") +
                          "', 0, " + std::to_string(created) + ", " + std::to_string(created) + ")";
        EXPECT_EQ(SQLITE_OK, sqlite3_exec(db, sql.c_str(), nullptr, nullptr, nullptr));
        PublishedFileId_t id = static_cast<PublishedFileId_t>(sqlite3_last_insert_rowid(db));
        sqlite3_close(db);
        std::string items = folder.Path() + "/items/" + std::to_string(id);
        mkdir(items.c_str(), 0755);
        SteamTestFolder::WriteFile(items + "/file", file);
        if (preview)
            SteamTestFolder::WriteFile(items + "/preview", preview);
        return id;
    }

    std::vector<PublishedFileId_t> Listing(EWorkshopEnumerationType type, std::vector<const char*> tags = {},
                                           uint32_t days = 0, uint32_t start = 0)
    {
        SteamParamStringArray_t list{tags.data(), static_cast<int32_t>(tags.size())};
        auto page = Wait<RemoteStorageEnumerateWorkshopFilesResult_t>(
            storage->EnumeratePublishedWorkshopFiles(type, start, 10, days, &list, nullptr));
        EXPECT_EQ(k_EResultOK, page.m_eResult);
        std::vector<PublishedFileId_t> ids;
        for (int32_t i = 0; i < page.m_nResultsReturned && i < 50; ++i)
            ids.push_back(PublishedFileId_t(page.m_rgPublishedFileId[i]));
        return ids;
    }

    SteamTestFolder folder;
    CSteamAPIContext context;
    ISteamRemoteStorage* storage = nullptr;
};

TEST_F(SteamRemoteStorageTest, FileWriteStoresWholeFiles)
{
    Start("quota = 10\n");
    EXPECT_TRUE(storage->FileWrite("creation/a.main", "12345", 5));
    std::string bytes;
    ASSERT_TRUE(SteamTestFolder::ReadFile(folder.Cloud("creation/a.main"), bytes));
    EXPECT_EQ("12345", bytes);
    EXPECT_TRUE(storage->FileWrite("empty", nullptr, 0));
    EXPECT_FALSE(storage->FileWrite("big", "12345678901", 11));  // past the quota
    EXPECT_FALSE(storage->FileExists("big"));
    EXPECT_FALSE(storage->FileWrite("../out", "x", 1));
    EXPECT_FALSE(storage->FileWrite("neg", "x", -1));
    SteamAPI_Shutdown();
    Start("fail_file_write = 1\n");
    EXPECT_FALSE(storage->FileWrite("b", "x", 1));
}

TEST_F(SteamRemoteStorageTest, SubscriptionsVotesAndActions)
{
    Start();
    PublishedFileId_t id = Add(kStranger, "", 0, 1, "x");
    EXPECT_EQ(k_EResultOK, Wait<RemoteStorageSubscribePublishedFileResult_t>(storage->SubscribePublishedFile(id)).m_eResult);
    EXPECT_EQ(k_EResultFileNotFound, Wait<RemoteStorageSubscribePublishedFileResult_t>(storage->SubscribePublishedFile(7)).m_eResult);
    EXPECT_EQ(k_EResultOK, Wait<RemoteStorageUnsubscribePublishedFileResult_t>(storage->UnsubscribePublishedFile(id)).m_eResult);

    auto votes = Wait<RemoteStorageGetPublishedItemVoteDetailsResult_t>(storage->GetPublishedItemVoteDetails(id));
    EXPECT_EQ(k_EResultOK, votes.m_eResult);
    EXPECT_EQ(0, votes.m_nVotesFor + votes.m_nVotesAgainst);
    EXPECT_EQ(k_EResultOK, Wait<RemoteStorageUpdateUserPublishedItemVoteResult_t>(storage->UpdateUserPublishedItemVote(id, false)).m_eResult);
    EXPECT_EQ(k_EResultOK, Wait<RemoteStorageUpdateUserPublishedItemVoteResult_t>(storage->UpdateUserPublishedItemVote(id, true)).m_eResult);
    votes = Wait<RemoteStorageGetPublishedItemVoteDetailsResult_t>(storage->GetPublishedItemVoteDetails(id));
    EXPECT_EQ(1, votes.m_nVotesFor);  // a new vote replaces the user's earlier one
    EXPECT_EQ(0, votes.m_nVotesAgainst);
    EXPECT_FLOAT_EQ(1.0f, votes.m_fScore);
    EXPECT_EQ(uint64_t(id), uint64_t(votes.m_nPublishedFileId));
    EXPECT_EQ(k_EResultFileNotFound,
              Wait<RemoteStorageGetPublishedItemVoteDetailsResult_t>(storage->GetPublishedItemVoteDetails(7)).m_eResult);

    auto action = Wait<RemoteStorageSetUserPublishedFileActionResult_t>(
        storage->SetUserPublishedFileAction(id, k_EWorkshopFileActionCompleted));
    EXPECT_EQ(k_EResultOK, action.m_eResult);
    EXPECT_EQ(k_EWorkshopFileActionCompleted, action.m_eAction);
}

TEST_F(SteamRemoteStorageTest, ListingsByTypeTagsDaysAndUser)
{
    Start();
    uint32_t now = static_cast<uint32_t>(time(nullptr));
    PublishedFileId_t oldMine = Add(kMe, "Map, Fun", 2, now - 10 * 86400, "a");
    PublishedFileId_t friends = Add(kFriend, "map", 0, now - 86400, "b");
    PublishedFileId_t stranger = Add(kStranger, "fun", 0, now, "c");
    Add(kStranger, "map", 1, now, "hidden");  // friends-only item of another user
    Wait<RemoteStorageUpdateUserPublishedItemVoteResult_t>(storage->UpdateUserPublishedItemVote(stranger, true));

    EXPECT_EQ((std::vector<PublishedFileId_t>{stranger, oldMine, friends}), Listing(k_EWorkshopEnumerationTypeRankedByVote));
    EXPECT_EQ((std::vector<PublishedFileId_t>{stranger, friends, oldMine}), Listing(k_EWorkshopEnumerationTypeRecent));
    EXPECT_EQ((std::vector<PublishedFileId_t>{stranger, friends}), Listing(k_EWorkshopEnumerationTypeRecent, {}, 7));
    EXPECT_EQ((std::vector<PublishedFileId_t>{friends}), Listing(k_EWorkshopEnumerationTypeContentByFriends));
    EXPECT_EQ((std::vector<PublishedFileId_t>{oldMine, friends}), Listing(k_EWorkshopEnumerationTypeRankedByVote, {"MAP"}));
    EXPECT_EQ((std::vector<PublishedFileId_t>{oldMine}), Listing(k_EWorkshopEnumerationTypeRankedByVote, {"map", "fun"}));
    EXPECT_TRUE(Listing(k_EWorkshopEnumerationTypeVotedByFriends).empty());
    EXPECT_EQ((std::vector<PublishedFileId_t>{friends, oldMine}), Listing(k_EWorkshopEnumerationTypeRecent, {}, 0, 1));

    const char* excluded[] = {"fun"};
    SteamParamStringArray_t exclude{excluded, 1};
    auto mine = Wait<RemoteStorageEnumerateUserSharedWorkshopFilesResult_t>(
        storage->EnumerateUserSharedWorkshopFiles(CSteamID(kMe), 0, nullptr, nullptr));
    ASSERT_EQ(1, mine.m_nResultsReturned);  // the user's own private item is seen
    EXPECT_EQ(uint64_t(oldMine), uint64_t(mine.m_rgPublishedFileId[0]));
    auto excludedFun = Wait<RemoteStorageEnumerateUserSharedWorkshopFilesResult_t>(
        storage->EnumerateUserSharedWorkshopFiles(CSteamID(kMe), 0, nullptr, &exclude));
    EXPECT_EQ(0, excludedFun.m_nResultsReturned);
    auto theirs = Wait<RemoteStorageEnumerateUserSharedWorkshopFilesResult_t>(
        storage->EnumerateUserSharedWorkshopFiles(CSteamID(kStranger), 0, nullptr, nullptr));
    EXPECT_EQ(1, theirs.m_nResultsReturned);  // not the friends-only one
    EXPECT_EQ(1, theirs.m_nTotalResultCount);
}

TEST_F(SteamRemoteStorageTest, DownloadsAreReadBack)
{
    Start();
    PublishedFileId_t id = Add(kStranger, "", 0, 1, std::string("ab\0cd", 5), "JPG");
    PublishedFileId_t hidden = Add(kStranger, "", 2, 1, "secret");
    auto details = Wait<RemoteStorageGetPublishedFileDetailsResult_t>(storage->GetPublishedFileDetails(id, 0));
    UGCHandle_t file = details.m_hFile, preview = details.m_hPreviewFile;
    EXPECT_NE(file, preview);
    EXPECT_FALSE(details.m_bBanned);

    int32_t size = -1;
    EXPECT_FALSE(storage->GetUGCDetails(file, nullptr, nullptr, &size, nullptr));  // not downloaded yet
    auto done = Wait<RemoteStorageDownloadUGCResult_t>(storage->UGCDownload(file, 1));
    ASSERT_EQ(k_EResultOK, done.m_eResult);
    EXPECT_EQ(5, done.m_nSizeInBytes);
    EXPECT_EQ(kStranger, uint64_t(done.m_ulSteamIDOwner));
    AppId_t app = 0;
    char* name = nullptr;
    CSteamID owner;
    ASSERT_TRUE(storage->GetUGCDetails(file, &app, &name, &size, &owner));
    EXPECT_EQ(4120u, app);
    EXPECT_STREQ("f.main", name);
    EXPECT_EQ(5, size);
    EXPECT_EQ(kStranger, owner.ConvertToUint64());
    char buffer[8] = {};
    EXPECT_EQ(5, storage->UGCRead(file, buffer, 8, 0));
    EXPECT_EQ(std::string("ab\0cd", 5), std::string(buffer, 5));
    EXPECT_EQ(2, storage->UGCRead(file, buffer, 8, 3));
    EXPECT_EQ(0, storage->UGCRead(file, buffer, 8, 5));
    EXPECT_EQ(0, storage->UGCRead(file, buffer, -1, 0));
    EXPECT_EQ(0, storage->UGCRead(file, nullptr, 8, 0));

    auto pic = Wait<RemoteStorageDownloadUGCResult_t>(storage->UGCDownload(preview, 1));
    EXPECT_EQ(3, pic.m_nSizeInBytes);
    EXPECT_STREQ("p.jpg", pic.m_pchFileName);
    auto secret = Wait<RemoteStorageGetPublishedFileDetailsResult_t>(storage->GetPublishedFileDetails(hidden, 0));
    EXPECT_EQ(k_EResultAccessDenied, secret.m_eResult);
    UGCHandle_t hiddenFile = UGCHandle_t(hidden) << 1;  // handles are the item id times two
    EXPECT_EQ(k_EResultAccessDenied, Wait<RemoteStorageDownloadUGCResult_t>(storage->UGCDownload(hiddenFile, 1)).m_eResult);
    EXPECT_EQ(k_EResultFileNotFound, Wait<RemoteStorageDownloadUGCResult_t>(storage->UGCDownload(hiddenFile + 1, 1)).m_eResult);
    EXPECT_EQ(k_EResultFileNotFound, Wait<RemoteStorageDownloadUGCResult_t>(storage->UGCDownload(14, 1)).m_eResult);
}

TEST_F(SteamRemoteStorageTest, FailuresOnRequest)
{
    Start("fail_download = call\nfail_enumerate_workshop = io\nfail_vote = 2\n");
    EXPECT_EQ(k_uAPICallInvalid, storage->UGCDownload(2, 1));
    SteamAPICall_t call = storage->EnumeratePublishedWorkshopFiles(k_EWorkshopEnumerationTypeRecent, 0, 1, 0, nullptr, nullptr);
    bool failed = false;
    SteamAPI_RunCallbacks();
    EXPECT_TRUE(context.SteamUtils()->IsAPICallCompleted(call, &failed));
    EXPECT_TRUE(failed);
    EXPECT_EQ(k_EResultFail, Wait<RemoteStorageUpdateUserPublishedItemVoteResult_t>(storage->UpdateUserPublishedItemVote(1, true)).m_eResult);
}

} // namespace
