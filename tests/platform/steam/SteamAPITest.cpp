// Start-up of the Steam stand-in: the state folder, the settings, and the interfaces by version.
#include "platform/steam/SteamTestFolder.h"

#include <steam/steam_api.h>

#include <gtest/gtest.h>

#include <cstring>

namespace {

class SteamAPITest : public ::testing::Test {
protected:
    void TearDown() override { SteamAPI_Shutdown(); }
    SteamTestFolder folder;
};

TEST_F(SteamAPITest, FreshFolderRunsWithDefaults)
{
    ASSERT_TRUE(SteamAPI_InitSafe());
    EXPECT_TRUE(SteamAPI_InitSafe()); // again while connected
    CSteamAPIContext context;
    ASSERT_TRUE(context.Init());
    EXPECT_EQ(4120u, context.SteamUtils()->GetAppID());
    EXPECT_TRUE(context.SteamUser()->BLoggedOn());
    EXPECT_EQ(76561198000000001ull, context.SteamUser()->GetSteamID().ConvertToUint64());
    EXPECT_STREQ("Zorvan Player", context.SteamFriends()->GetPersonaName());
    int32_t total = 0, available = 0;
    ASSERT_TRUE(context.SteamRemoteStorage()->GetQuota(&total, &available));
    EXPECT_EQ(500 * 1024 * 1024, total);
    EXPECT_EQ(total, available);
    EXPECT_TRUE(SteamTestFolder::Exists(folder.Path() + "/cloud"));
    EXPECT_TRUE(SteamTestFolder::Exists(folder.Path() + "/workshop.db"));
}

TEST_F(SteamAPITest, SettingsChangeTheAppUserAndQuota)
{
    folder.Settings("# a comment\n"
                    "app_id = 480   # trailing comment\n"
                    "user_id=12345678901234567890\n"
                    "persona = Someone Else\n"
                    "quota = 1000\n"
                    "not a setting line\n"
                    "unknown_key = 5\n");
    ASSERT_TRUE(SteamAPI_InitSafe());
    CSteamAPIContext context;
    ASSERT_TRUE(context.Init());
    EXPECT_EQ(480u, context.SteamUtils()->GetAppID());
    EXPECT_EQ(12345678901234567890ull, context.SteamUser()->GetSteamID().ConvertToUint64());
    EXPECT_STREQ("Someone Else", context.SteamFriends()->GetPersonaName());
    int32_t total = 0, available = 0;
    ASSERT_TRUE(context.SteamRemoteStorage()->GetQuota(&total, &available));
    EXPECT_EQ(1000, total);
}

TEST_F(SteamAPITest, HugeQuotaIsClampedToThirtyTwoBits)
{
    folder.Settings("quota = 99999999999\n");
    ASSERT_TRUE(SteamAPI_InitSafe());
    CSteamAPIContext context;
    ASSERT_TRUE(context.Init());
    int32_t total = 0, available = 0;
    ASSERT_TRUE(context.SteamRemoteStorage()->GetQuota(&total, &available));
    EXPECT_EQ(INT32_MAX, total);
    EXPECT_EQ(INT32_MAX, available);
}

TEST_F(SteamAPITest, NotRunningRefusesStartUp)
{
    folder.Settings("running = 0\n");
    EXPECT_FALSE(SteamAPI_InitSafe());
    EXPECT_EQ(nullptr, SteamClient());
    EXPECT_EQ(0, SteamAPI_GetHSteamPipe());
    SteamAPI_RunCallbacks(); // harmless without Steam
}

TEST_F(SteamAPITest, UnusableFolderRefusesStartUp)
{
    SteamTestFolder::WriteFile(folder.Path() + "/file", "x");
    setenv("ZV_STEAM_DIR", (folder.Path() + "/file/below").c_str(), 1);
    EXPECT_FALSE(SteamAPI_InitSafe());
}

TEST_F(SteamAPITest, InterfacesOnlyByTheirVersionAndHandles)
{
    ASSERT_TRUE(SteamAPI_InitSafe());
    ISteamClient* client = SteamClient();
    ASSERT_NE(nullptr, client);
    HSteamUser user = SteamAPI_GetHSteamUser();
    HSteamPipe pipe = SteamAPI_GetHSteamPipe();
    EXPECT_NE(0, user);
    EXPECT_NE(0, pipe);
    EXPECT_NE(nullptr, client->GetISteamRemoteStorage(user, pipe, "STEAMREMOTESTORAGE_INTERFACE_VERSION010"));
    EXPECT_EQ(nullptr, client->GetISteamRemoteStorage(user, pipe, "STEAMREMOTESTORAGE_INTERFACE_VERSION011"));
    EXPECT_EQ(nullptr, client->GetISteamRemoteStorage(user, pipe, nullptr));
    EXPECT_EQ(nullptr, client->GetISteamUser(user + 1, pipe, "SteamUser016"));
    EXPECT_EQ(nullptr, client->GetISteamUtils(pipe + 1, "SteamUtils005"));
    EXPECT_EQ(nullptr, client->GetISteamUser(user, pipe, "SteamFriends013"));
    const char* versions[] = {"SteamMatchMaking009", "SteamMatchMakingServers002", "STEAMUSERSTATS_INTERFACE_VERSION011",
                              "STEAMAPPS_INTERFACE_VERSION005", "SteamNetworking005", "STEAMSCREENSHOTS_INTERFACE_VERSION002",
                              "STEAMHTTP_INTERFACE_VERSION002", "STEAMUNIFIEDMESSAGES_INTERFACE_VERSION001"};
    EXPECT_NE(nullptr, client->GetISteamMatchmaking(user, pipe, versions[0]));
    EXPECT_NE(nullptr, client->GetISteamMatchmakingServers(user, pipe, versions[1]));
    EXPECT_NE(nullptr, client->GetISteamUserStats(user, pipe, versions[2]));
    EXPECT_NE(nullptr, client->GetISteamApps(user, pipe, versions[3]));
    EXPECT_NE(nullptr, client->GetISteamNetworking(user, pipe, versions[4]));
    EXPECT_NE(nullptr, client->GetISteamScreenshots(user, pipe, versions[5]));
    EXPECT_NE(nullptr, client->GetISteamHTTP(user, pipe, versions[6]));
    EXPECT_NE(nullptr, client->GetISteamUnifiedMessages(user, pipe, versions[7]));
}

TEST_F(SteamAPITest, ShutDownThenStartAgain)
{
    ASSERT_TRUE(SteamAPI_InitSafe());
    SteamAPI_Shutdown();
    EXPECT_EQ(nullptr, SteamClient());
    folder.Settings("app_id = 7\n");
    ASSERT_TRUE(SteamAPI_InitSafe());
    CSteamAPIContext context;
    ASSERT_TRUE(context.Init());
    EXPECT_EQ(7u, context.SteamUtils()->GetAppID());
}

} // namespace
