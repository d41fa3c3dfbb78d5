// Tests of the game content stand-in through the engine's interfaces: the content managers of
// the file system, the engine client's achievement manager and demo playback.
#include "engine/iachievementmgr.h"
#include "engine/ivengineclient.h"
#include "engine/standin.h"
#include "filesystem/IContentManagers.h"
#include "filesystem/IFileSystem.h"

#include <gtest/gtest.h>

#include "EngineLibrary.h"

namespace {

class GameContentTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        fs = static_cast<IFileSystem *>(EngineInterface(FILESYSTEM_INTERFACE_VERSION));
        client = static_cast<IVEngineClient *>(EngineInterface(VENGINE_CLIENT_INTERFACE_VERSION));
        content = static_cast<IGameContentStandIn *>(EngineInterface(GAME_CONTENT_STANDIN_INTERFACE_VERSION));
        ASSERT_TRUE(fs && client && content);
        content->ClearContentLog();
    }
    IFileSystem *fs = nullptr;
    IVEngineClient *client = nullptr;
    IGameContentStandIn *content = nullptr;
};

TEST_F(GameContentTest, MountingChangesTheRecordAndIsLogged)
{
    Depot::Information a;
    a.depot = 220;
    a.owned = a.installed = true;
    content->SetGames({ a });
    fs->Games()->SetMount(220, true);
    fs->Games()->SetMount(-5, true);  // no such depot: logged, nothing changes
    fs->Games()->Save();
    fs->MountedContentChanged();
    EXPECT_TRUE(fs->Games()->GetList()[0].mount);
    std::vector<std::string> expected = { "mount 220 1", "mount -5 1", "save", "refresh" };
    EXPECT_EQ(expected, content->ContentLog());
}

TEST_F(GameContentTest, SubscriptionsAndMountChoices)
{
    Addon::Information addon;
    addon.wsid = 18446744073709551615ull;
    content->SetAddons({ addon });
    IAddonSystem *addons = fs->Addons();
    EXPECT_TRUE(addons->IsSubscribed(addon.wsid));
    EXPECT_FALSE(addons->IsSubscribed(5));
    EXPECT_TRUE(addons->IsEnabled(addon.wsid));  // never chosen: mounted
    addons->SetShouldMount("18446744073709551615", false);
    EXPECT_FALSE(addons->IsEnabled(addon.wsid));
    EXPECT_FALSE(addons->ShouldMount("18446744073709551615"));
    EXPECT_TRUE(addons->ShouldMount("other"));
    addons->Apply();
    std::vector<std::string> expected = { "should_mount 18446744073709551615 0", "apply" };
    EXPECT_EQ(expected, content->ContentLog());
    content->SetAddons({});  // a new list forgets the choices
    EXPECT_TRUE(addons->ShouldMount("18446744073709551615"));
}

TEST_F(GameContentTest, AddonsGamemodesAndTheActiveOne)
{
    Addon::Information addon;
    addon.wsid = 18446744073709551615ull;
    content->SetAddons({ addon });
    EXPECT_FALSE(fs->Addons()->IsMounted(addon.wsid));
    content->SetAddonMounted(addon.wsid, true);
    EXPECT_TRUE(fs->Addons()->IsMounted(addon.wsid));
    content->SetAddonMounted(addon.wsid, false);
    EXPECT_FALSE(fs->Addons()->IsMounted(addon.wsid));

    Gamemode::Information sandbox;
    sandbox.name = "sandbox";
    content->SetGamemodes({ sandbox }, "SandBox");
    ASSERT_NE(nullptr, fs->Gamemodes()->Active());
    EXPECT_EQ("sandbox", fs->Gamemodes()->Active()->name);
    content->SetGamemodes({ sandbox }, "other");
    EXPECT_EQ(nullptr, fs->Gamemodes()->Active());
}

TEST_F(GameContentTest, AchievementsByIndexAndDemoPlayback)
{
    StandInAchievement first;
    first.name = "FIRST";
    first.goal = 5;
    content->SetAchievements({ first }, true);
    IAchievementMgr *mgr = client->GetAchievementMgr();
    ASSERT_NE(nullptr, mgr);
    EXPECT_EQ(1, mgr->GetAchievementCount());
    EXPECT_STREQ("FIRST", mgr->GetAchievementByIndex(0)->GetName());
    EXPECT_EQ(5, mgr->GetAchievementByIndex(0)->GetGoal());
    for (int index : { -1, 1, 1 << 30 })
        EXPECT_EQ(nullptr, mgr->GetAchievementByIndex(index)) << index;
    content->SetAchievements({}, false);
    EXPECT_EQ(nullptr, client->GetAchievementMgr());
    content->SetAchievements({}, true);

    StandInDemo demo;
    demo.playing = true;
    demo.tick = 10;
    demo.timeScale = 2.0f;
    content->SetDemo(demo);
    EXPECT_TRUE(client->IsPlayingDemo());
    EXPECT_EQ(10, client->GetDemoPlaybackTick());
    EXPECT_FLOAT_EQ(2.0f, client->GetDemoPlaybackTimeScale());
    content->SetDemo(StandInDemo());
    EXPECT_FALSE(client->IsPlayingDemo());
}

} // namespace
