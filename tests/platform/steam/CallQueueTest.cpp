// Asynchronous calls of the Steam stand-in: completion on a later run of the callbacks, result
// fetching, call-result bindings and callbacks.
#include "platform/steam/SteamTestFolder.h"

#include <steam/steam_api.h>

#include <gtest/gtest.h>

#include <vector>

namespace {

class CallQueueTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(SteamAPI_InitSafe());
        ASSERT_TRUE(context.Init());
    }
    void TearDown() override { SteamAPI_Shutdown(); }

    SteamTestFolder folder;
    CSteamAPIContext context;
};

struct PageListener {
    void OnPage(RemoteStorageEnumerateUserPublishedFilesResult_t* page, bool ioFailure)
    {
        results.push_back(page->m_eResult);
        failures.push_back(ioFailure);
    }
    std::vector<int> results;
    std::vector<bool> failures;
};

struct ProgressListener {
    void OnProgress(RemoteStorageAppSyncProgress_t* progress) { percents.push_back(progress->m_dAppPercentComplete); }
    std::vector<double> percents;
};

TEST_F(CallQueueTest, CompletesOnALaterRunAndIsFetchedOnce)
{
    SteamAPICall_t call = context.SteamRemoteStorage()->EnumerateUserPublishedFiles(0);
    ASSERT_NE(k_uAPICallInvalid, call);
    bool failed = true;
    EXPECT_FALSE(context.SteamUtils()->IsAPICallCompleted(call, &failed));
    SteamAPI_RunCallbacks();
    ASSERT_TRUE(context.SteamUtils()->IsAPICallCompleted(call, &failed));
    EXPECT_FALSE(failed);

    RemoteStorageEnumerateUserPublishedFilesResult_t page;
    // Wrong size or wrong callback id: refused, and the record stays.
    EXPECT_FALSE(context.SteamUtils()->GetAPICallResult(call, &page, sizeof(page) - 4, page.k_iCallback, &failed));
    EXPECT_FALSE(context.SteamUtils()->GetAPICallResult(call, &page, sizeof(page), page.k_iCallback + 1, &failed));
    ASSERT_TRUE(context.SteamUtils()->GetAPICallResult(call, &page, sizeof(page), page.k_iCallback, &failed));
    EXPECT_EQ(k_EResultOK, page.m_eResult);
    EXPECT_EQ(0, page.m_nResultsReturned);
    EXPECT_EQ(0, page.m_nTotalResultCount);
    EXPECT_FALSE(context.SteamUtils()->GetAPICallResult(call, &page, sizeof(page), page.k_iCallback, &failed));
    EXPECT_TRUE(context.SteamUtils()->IsAPICallCompleted(call, &failed));
    EXPECT_FALSE(context.SteamUtils()->IsAPICallCompleted(call + 1000, &failed));
}

TEST_F(CallQueueTest, CallResultBindingHearsItsCallOnly)
{
    PageListener listener;
    CCallResult<PageListener, RemoteStorageEnumerateUserPublishedFilesResult_t> first, second;
    SteamAPICall_t a = context.SteamRemoteStorage()->EnumerateUserPublishedFiles(0);
    SteamAPICall_t b = context.SteamRemoteStorage()->EnumerateUserPublishedFiles(0);
    EXPECT_NE(a, b);
    first.Set(a, &listener, &PageListener::OnPage);
    second.Set(b, &listener, &PageListener::OnPage);
    second.Cancel();
    EXPECT_TRUE(listener.results.empty());
    SteamAPI_RunCallbacks();
    ASSERT_EQ(1u, listener.results.size());
    EXPECT_EQ(k_EResultOK, listener.results[0]);
    EXPECT_FALSE(first.IsActive());
    SteamAPI_RunCallbacks();
    EXPECT_EQ(1u, listener.results.size());
}

TEST_F(CallQueueTest, BindingDestroyedBeforeCompletionIsNotCalled)
{
    PageListener listener;
    {
        CCallResult<PageListener, RemoteStorageEnumerateUserPublishedFilesResult_t> binding;
        binding.Set(context.SteamRemoteStorage()->EnumerateUserPublishedFiles(0), &listener, &PageListener::OnPage);
    }
    SteamAPI_RunCallbacks();
    EXPECT_TRUE(listener.results.empty());
}

TEST_F(CallQueueTest, UploadCallsPostProgressWhilePending)
{
    ProgressListener listener;
    CCallback<ProgressListener, RemoteStorageAppSyncProgress_t> progress;
    progress.Register(&listener, &ProgressListener::OnProgress);

    ISteamRemoteStorage* storage = context.SteamRemoteStorage();
    UGCFileWriteStreamHandle_t stream = storage->FileWriteStreamOpen("a.bin");
    ASSERT_TRUE(storage->FileWriteStreamWriteChunk(stream, "abc", 3));
    ASSERT_TRUE(storage->FileWriteStreamClose(stream));
    SteamAPICall_t call = storage->PublishWorkshopFile("a.bin", "", 4120, "t", "d",
                                                       k_ERemoteStoragePublishedFileVisibilityPrivate, nullptr,
                                                       k_EWorkshopFileTypeCommunity);
    bool failed = false;
    int turns = 0;
    while (!context.SteamUtils()->IsAPICallCompleted(call, &failed) && turns < 100) {
        SteamAPI_RunCallbacks();
        ++turns;
    }
    EXPECT_EQ(4, turns);
    EXPECT_EQ((std::vector<double>{0.0, 50.0, 100.0}), listener.percents);

    progress.Unregister();
    SteamAPICall_t again = storage->PublishWorkshopFile("a.bin", "", 4120, "t", "d",
                                                        k_ERemoteStoragePublishedFileVisibilityPrivate, nullptr,
                                                        k_EWorkshopFileTypeCommunity);
    for (int i = 0; i < 4; ++i)
        SteamAPI_RunCallbacks();
    EXPECT_TRUE(context.SteamUtils()->IsAPICallCompleted(again, &failed));
    EXPECT_EQ(3u, listener.percents.size());
}

// A handler that starts the next call from inside the dispatch, as paged enumerations do.
struct Chain {
    void OnPage(RemoteStorageEnumerateUserPublishedFilesResult_t*, bool)
    {
        if (++pages < 3)
            binding.Set(storage->EnumerateUserPublishedFiles(0), this, &Chain::OnPage);
    }
    ISteamRemoteStorage* storage = nullptr;
    int pages = 0;
    CCallResult<Chain, RemoteStorageEnumerateUserPublishedFilesResult_t> binding;
};

TEST_F(CallQueueTest, HandlersMayStartCallsFromTheDispatch)
{
    Chain chain;
    chain.storage = context.SteamRemoteStorage();
    chain.binding.Set(chain.storage->EnumerateUserPublishedFiles(0), &chain, &Chain::OnPage);
    for (int i = 0; i < 10; ++i)
        SteamAPI_RunCallbacks();
    EXPECT_EQ(3, chain.pages);
}

TEST_F(CallQueueTest, ShutdownDropsPendingCalls)
{
    PageListener listener;
    CCallResult<PageListener, RemoteStorageEnumerateUserPublishedFilesResult_t> binding;
    binding.Set(context.SteamRemoteStorage()->EnumerateUserPublishedFiles(0), &listener, &PageListener::OnPage);
    SteamAPI_Shutdown();
    ASSERT_TRUE(SteamAPI_InitSafe());
    SteamAPI_RunCallbacks();
    EXPECT_TRUE(listener.results.empty());
}

} // namespace
