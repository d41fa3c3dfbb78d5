// SteamTools in process, against the stand-in: chunked cloud uploads, failed streams leaving
// nothing, paged enumeration with details, and the progress line.
#include "steamtools.h"

#include "PayloadChecks.h"
#include "platform/steam/SteamTestFolder.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace {

class steamtoolsTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        SteamTestFolder first;
        SteamTools::Init(4120); // once per process: the interface table lives until exit
        SteamAPI_Shutdown();
    }

    // A fresh stand-in folder with these settings.
    void Start(const std::string& settings = std::string())
    {
        SteamAPI_Shutdown();
        folder.reset(new SteamTestFolder);
        folder->Settings(settings);
        ASSERT_TRUE(SteamAPI_InitSafe());
    }

    void TearDown() override { SteamAPI_Shutdown(); }

    std::unique_ptr<SteamTestFolder> folder;
};

TEST_F(steamtoolsTest, UploadsInMebibyteChunks)
{
    std::string bytes(2 * 1024 * 1024 + 512 * 1024, 'z');
    bytes[0] = 'a';
    bytes.back() = 'b';
    Kestrum::Buffer buffer(&bytes[0], static_cast<uint32_t>(bytes.size()));

    // Three chunks: a fourth chunk failing changes nothing, a third one does.
    Start("fail_chunk_write = 4\n");
    ASSERT_TRUE(SteamTools::WriteBufferToFile(buffer, "addon_uploads/a.zva"));
    std::string stored;
    ASSERT_TRUE(SteamTestFolder::ReadFile(folder->Cloud("addon_uploads/a.zva"), stored));
    EXPECT_EQ(bytes, stored);

    Start("fail_chunk_write = 3\n");
    MessageRecorder recorder;
    EXPECT_FALSE(SteamTools::WriteBufferToFile(buffer, "addon_uploads/a.zva"));
    EXPECT_EQ("\tFile upload failed! (your account may have run out of space!)\n", recorder.warnings);
    EXPECT_TRUE(folder->CloudFiles().empty());

    // Nothing written: the stream opens and closes, leaving an empty file.
    Start();
    Kestrum::Buffer empty;
    EXPECT_TRUE(SteamTools::WriteBufferToFile(empty, "empty.bin"));
    EXPECT_EQ(std::vector<std::string>{"empty.bin"}, folder->CloudFiles());
}

TEST_F(steamtoolsTest, FailedOpenAndCloseAreFailedUploads)
{
    std::string bytes = "payload";
    Kestrum::Buffer buffer(&bytes[0], static_cast<uint32_t>(bytes.size()));
    const char* settings[] = {"fail_stream_open = 1\n", "fail_stream_close = 1\n"};
    for (const char* s : settings) {
        SCOPED_TRACE(s);
        Start(s);
        MessageRecorder recorder;
        EXPECT_FALSE(SteamTools::WriteBufferToFile(buffer, "addon_uploads/x.zva"));
        EXPECT_EQ("\tFile upload failed! (Error writing file addon_uploads/x.zva)\n", recorder.warnings);
        EXPECT_TRUE(folder->CloudFiles().empty());
    }
    Start();
    MessageRecorder recorder;
    EXPECT_FALSE(SteamTools::WriteBufferToFile(buffer, "../outside.zva"));
    EXPECT_EQ("\tFile upload failed! (Error writing file ../outside.zva)\n", recorder.warnings);
}

PublishedFileId_t Publish(const char* title)
{
    ISteamRemoteStorage* storage = SteamTools::Steam()->m_pSteamRemoteStorage;
    std::string bytes = title;
    Kestrum::Buffer buffer(&bytes[0], static_cast<uint32_t>(bytes.size()));
    SteamTools::WriteBufferToFile(buffer, "f.zva");
    const char* tags[] = {"addon", "map"};
    SteamParamStringArray_t list{tags, 2};
    SteamAPICall_t call = storage->PublishWorkshopFile("f.zva", "", 4120, title, "", k_ERemoteStoragePublishedFileVisibilityPrivate,
                                                       &list, k_EWorkshopFileTypeCommunity);
    EXPECT_TRUE(SteamTools::WaitForCall(call));
    RemoteStoragePublishFileResult_t result{};
    bool failed = false;
    SteamTools::Steam()->m_pSteamUtils->GetAPICallResult(call, &result, sizeof(result), result.k_iCallback, &failed);
    return result.m_nPublishedFileId;
}

TEST_F(steamtoolsTest, EnumeratesEveryPageWithDetails)
{
    Start();
    std::vector<PublishedFileId_t> ids;
    for (int i = 0; i < 120; ++i)
        ids.push_back(Publish(("item " + std::to_string(i)).c_str()));
    SteamTools::Workshop::PublishedFiles files;
    files.GetList();
    files.Block();
    ASSERT_EQ(120u, files.List().size());
    for (size_t i = 0; i < ids.size(); ++i) {
        const RemoteStorageGetPublishedFileDetailsResult_t& details = files.List()[i]->Details();
        EXPECT_EQ(ids[i], PublishedFileId_t(details.m_nPublishedFileId));
        EXPECT_EQ("item " + std::to_string(i), FieldText(details.m_rgchTitle, sizeof(details.m_rgchTitle)));
    }
}

TEST_F(steamtoolsTest, EnumerationStopsOnEmptyPagesAndReadsAtMostFiftyIds)
{
    Start("enumerate_total = 100000\n");
    {
        SteamTools::Workshop::PublishedFiles files;
        files.GetList();
        files.Block();
        EXPECT_TRUE(files.List().empty());
    }
    Start("enumerate_total = 60\nenumerate_returned = 400\n");
    Publish("only");
    SteamTools::Workshop::PublishedFiles files;
    files.GetList();
    files.Block();
    // Two pages of at most 50 ids each; only the one real item has details.
    ASSERT_EQ(100u, files.List().size());
    EXPECT_EQ("only", FieldText(files.List()[0]->Details().m_rgchTitle, sizeof(files.List()[0]->Details().m_rgchTitle)));
    for (size_t i = 1; i < files.List().size(); ++i)
        EXPECT_EQ(0u, PublishedFileId_t(files.List()[i]->Details().m_nPublishedFileId));
}

TEST_F(steamtoolsTest, ProgressLineWhileRegistered)
{
    Start();
    RemoteStorageAppSyncProgress_t progress{};
    progress.m_dAppPercentComplete = 99.9;
    MessageRecorder recorder;
    CSyncProgress sync;
    sync.UploadProgress(&progress);
    progress.m_dAppPercentComplete = 1e300; // nonsense from Steam prints 0 rather than overflowing
    sync.UploadProgress(&progress);
    EXPECT_EQ("99%\n0%\n", recorder.messages);
}

} // namespace
