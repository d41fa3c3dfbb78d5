// Machine facts and achievement texts of the Steam stand-in: the utilities' times, battery
// and country, and display attributes read from achievements.txt, malformed lines included.
#include "platform/steam/SteamTestFolder.h"

#include <steam/steam_api.h>

#include <gtest/gtest.h>

#include <ctime>
#include <string>

namespace {

class LocalFactsTest : public ::testing::Test {
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

TEST_F(LocalFactsTest, UtilitiesReportTimesBatteryAndCountry)
{
    ISteamUtils* utils = context.SteamUtils();
    uint32_t now = static_cast<uint32_t>(time(nullptr));
    EXPECT_LE(now - 2, utils->GetServerRealTime());
    EXPECT_GE(now + 2, utils->GetServerRealTime());
    EXPECT_GE(utils->GetSecondsSinceComputerActive(), utils->GetSecondsSinceAppActive());
    uint8_t battery = utils->GetCurrentBatteryPower();
    EXPECT_TRUE(battery == 255 || battery <= 100);
    EXPECT_STREQ("US", utils->GetIPCountry());
    folder.Settings("ip_country = SE # comment\n");
    EXPECT_STREQ("SE", utils->GetIPCountry());
    folder.Settings("ip_country = Germany\n");
    EXPECT_STREQ("Ge", utils->GetIPCountry()) << "two letters at most";
}

TEST_F(LocalFactsTest, AchievementAttributesComeFromTheTable)
{
    SteamTestFolder::WriteFile(folder.Path() + "/achievements.txt",
                               "FIRST_WIN\tFirst win\tWin a round\r\n"
                               "garbage line without tabs\n"
                               "\n"
                               "NO_DESC\tJust a name\n"
                               "SECRET\tSecret\tFind it\t1\n");
    ISteamUserStats* stats = context.SteamUserStats();
    const struct {
        const char* name;
        const char* key;
        const char* expected;
    } cases[] = {
        { "FIRST_WIN", "name", "First win" }, { "FIRST_WIN", "desc", "Win a round" },
        { "FIRST_WIN", "hidden", "0" },       { "NO_DESC", "desc", "" },
        { "SECRET", "hidden", "1" },          { "SECRET", "icon", "" },
        { "MISSING", "name", "" },            { "garbage line without tabs", "name", "" },
    };
    for (const auto& c : cases)
        EXPECT_STREQ(c.expected, stats->GetAchievementDisplayAttribute(c.name, c.key)) << c.name << " " << c.key;
    EXPECT_STREQ("", stats->GetAchievementDisplayAttribute(nullptr, "name"));
}

} // namespace
