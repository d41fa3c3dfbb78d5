// Cloud files of the Steam stand-in: write streams in chunks, cancelling, deleting, the quota,
// names that would leave the folder, and the stream operations made to fail by the settings.
#include "platform/steam/SteamTestFolder.h"

#include <steam/steam_api.h>

#include <gtest/gtest.h>

#include <string>

namespace {

class CloudTest : public ::testing::Test {
protected:
    void Start(const std::string& settings = std::string())
    {
        folder.Settings(settings);
        ASSERT_TRUE(SteamAPI_InitSafe());
        ASSERT_TRUE(context.Init());
        storage = context.SteamRemoteStorage();
    }
    void TearDown() override { SteamAPI_Shutdown(); }

    bool Upload(const char* name, const std::string& bytes, size_t chunk = 4)
    {
        UGCFileWriteStreamHandle_t stream = storage->FileWriteStreamOpen(name);
        if (stream == k_UGCFileStreamHandleInvalid)
            return false;
        for (size_t pos = 0; pos < bytes.size(); pos += chunk) {
            size_t n = std::min(chunk, bytes.size() - pos);
            if (!storage->FileWriteStreamWriteChunk(stream, bytes.data() + pos, static_cast<int32_t>(n))) {
                storage->FileWriteStreamCancel(stream);
                return false;
            }
        }
        return storage->FileWriteStreamClose(stream);
    }

    SteamTestFolder folder;
    CSteamAPIContext context;
    ISteamRemoteStorage* storage = nullptr;
};

TEST_F(CloudTest, StreamedChunksBecomeAPlainFile)
{
    Start();
    std::string bytes("hello\0cloud bytes", 17);
    ASSERT_TRUE(Upload("addon_uploads/1_2.zva", bytes, 5));
    std::string stored;
    ASSERT_TRUE(SteamTestFolder::ReadFile(folder.Cloud("addon_uploads/1_2.zva"), stored));
    EXPECT_EQ(bytes, stored);
    EXPECT_TRUE(storage->FileExists("addon_uploads/1_2.zva"));
    EXPECT_EQ(17, storage->GetFileSize("addon_uploads/1_2.zva"));
    // An empty stream stores an empty file.
    UGCFileWriteStreamHandle_t empty = storage->FileWriteStreamOpen("empty.bin");
    ASSERT_TRUE(storage->FileWriteStreamClose(empty));
    EXPECT_TRUE(storage->FileExists("empty.bin"));
    EXPECT_FALSE(storage->FileWriteStreamClose(empty)); // closed already
}

TEST_F(CloudTest, NothingIsVisibleBeforeCloseAndCancelLeavesNothing)
{
    Start();
    UGCFileWriteStreamHandle_t stream = storage->FileWriteStreamOpen("a/b.bin");
    ASSERT_NE(k_UGCFileStreamHandleInvalid, stream);
    ASSERT_TRUE(storage->FileWriteStreamWriteChunk(stream, "1234", 4));
    EXPECT_FALSE(storage->FileExists("a/b.bin"));
    EXPECT_TRUE(storage->FileWriteStreamCancel(stream));
    EXPECT_FALSE(storage->FileWriteStreamCancel(stream));
    EXPECT_FALSE(storage->FileWriteStreamWriteChunk(stream, "1", 1));
    EXPECT_TRUE(folder.CloudFiles().empty());
}

TEST_F(CloudTest, BadChunksAreRefused)
{
    Start();
    UGCFileWriteStreamHandle_t stream = storage->FileWriteStreamOpen("x.bin");
    EXPECT_FALSE(storage->FileWriteStreamWriteChunk(stream, nullptr, 4));
    EXPECT_FALSE(storage->FileWriteStreamWriteChunk(stream, "x", 0));
    EXPECT_FALSE(storage->FileWriteStreamWriteChunk(stream, "x", -1));
    EXPECT_FALSE(storage->FileWriteStreamWriteChunk(stream + 77, "x", 1));
    EXPECT_TRUE(storage->FileWriteStreamCancel(stream));
}

TEST_F(CloudTest, NamesThatLeaveTheFolderAreRefused)
{
    Start();
    std::string longName(260, 'n');
    const char* names[] = {"", "/etc/passwd", "..", "../outside", "a/../../b", "a/./b", "a//b", "a/",
                           "back\\slash", "tab\there", longName.c_str()};
    for (const char* name : names) {
        SCOPED_TRACE(name);
        EXPECT_EQ(k_UGCFileStreamHandleInvalid, storage->FileWriteStreamOpen(name));
        EXPECT_FALSE(storage->FileDelete(name));
        EXPECT_FALSE(storage->FileExists(name));
    }
    EXPECT_EQ(k_UGCFileStreamHandleInvalid, storage->FileWriteStreamOpen(nullptr));
    EXPECT_FALSE(SteamTestFolder::Exists(folder.Path() + "/outside"));
    // Dots inside a part are fine.
    EXPECT_TRUE(Upload("..dots../a.b..", "x"));
}

TEST_F(CloudTest, DeleteRemovesTheFileAndItsEmptyFolders)
{
    Start();
    ASSERT_TRUE(Upload("addon_uploads/deep/x.zva", "data"));
    ASSERT_TRUE(Upload("addon_uploads/y.jpg", "data"));
    EXPECT_TRUE(storage->FileDelete("addon_uploads/deep/x.zva"));
    EXPECT_FALSE(storage->FileDelete("addon_uploads/deep/x.zva"));
    EXPECT_FALSE(SteamTestFolder::Exists(folder.Cloud("addon_uploads/deep")));
    EXPECT_TRUE(SteamTestFolder::Exists(folder.Cloud("addon_uploads/y.jpg")));
    EXPECT_FALSE(storage->FileDelete("addon_uploads")); // a folder is not a file
    EXPECT_TRUE(storage->FileDelete("addon_uploads/y.jpg"));
    EXPECT_TRUE(SteamTestFolder::Exists(folder.Path() + "/cloud"));
    EXPECT_TRUE(folder.CloudFiles().empty());
}

TEST_F(CloudTest, QuotaCountsFilesAndRefusesChunksBeyondIt)
{
    Start("quota = 10\n");
    int32_t total = 0, available = 0;
    ASSERT_TRUE(Upload("a", "123456"));
    ASSERT_TRUE(storage->GetQuota(&total, &available));
    EXPECT_EQ(10, total);
    EXPECT_EQ(4, available);
    EXPECT_FALSE(Upload("b", "12345")); // one byte too many
    EXPECT_TRUE(Upload("b", "1234"));
    ASSERT_TRUE(storage->GetQuota(&total, &available));
    EXPECT_EQ(0, available);
    // Replacing a file gives its room back.
    EXPECT_TRUE(Upload("a", "12345"));
    EXPECT_FALSE(Upload("a", "1234567"));
    EXPECT_FALSE(storage->GetQuota(nullptr, &available));
}

struct StreamFailureCase {
    const char* settings;
    bool opens;
    int chunksAccepted; // of three
    bool closes;
};

TEST_F(CloudTest, StreamOperationsFailOnRequest)
{
    const StreamFailureCase cases[] = {
        {"fail_stream_open = 1\n", false, 0, false},
        {"fail_chunk_write = 1\n", true, 0, true},
        {"fail_chunk_write = 2\n", true, 1, true},
        {"fail_chunk_write = 0\n", true, 3, true},
        {"fail_stream_close = yes\n", true, 3, false},
    };
    for (const StreamFailureCase& c : cases) {
        SCOPED_TRACE(c.settings);
        Start(c.settings);
        UGCFileWriteStreamHandle_t stream = storage->FileWriteStreamOpen("f.bin");
        EXPECT_EQ(c.opens, stream != k_UGCFileStreamHandleInvalid);
        if (c.opens) {
            int accepted = 0;
            for (int i = 0; i < 3; ++i)
                accepted += storage->FileWriteStreamWriteChunk(stream, "abc", 3) ? 1 : 0;
            EXPECT_EQ(c.chunksAccepted, accepted);
            EXPECT_EQ(c.closes, storage->FileWriteStreamClose(stream));
        }
        EXPECT_EQ(c.closes, storage->FileExists("f.bin"));
        if (c.closes) {
            EXPECT_TRUE(storage->FileDelete("f.bin"));
        }
        SteamAPI_Shutdown();
    }
    EXPECT_TRUE(folder.CloudFiles().empty());
    Start("fail_quota = 1\nfail_delete = 1\n");
    int32_t total, available;
    EXPECT_FALSE(storage->GetQuota(&total, &available));
    ASSERT_TRUE(Upload("kept", "x"));
    EXPECT_FALSE(storage->FileDelete("kept"));
}

TEST_F(CloudTest, ShutdownDropsOpenStreams)
{
    Start();
    UGCFileWriteStreamHandle_t stream = storage->FileWriteStreamOpen("half.bin");
    ASSERT_TRUE(storage->FileWriteStreamWriteChunk(stream, "abc", 3));
    SteamAPI_Shutdown();
    std::vector<std::string> none;
    EXPECT_EQ(none, folder.CloudFiles());
    EXPECT_FALSE(SteamTestFolder::Exists(folder.Path() + "/streams/" + std::to_string(getpid()) + "_" + std::to_string(stream)));
    ASSERT_TRUE(SteamAPI_InitSafe());
    ASSERT_TRUE(context.Init());
    EXPECT_FALSE(context.SteamRemoteStorage()->FileWriteStreamClose(stream));
}

} // namespace
