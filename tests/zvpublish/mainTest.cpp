// zvpublish's entry point, run as a program: banner, usage, command words, Steam start-up
// failures and the quota line.
#include "ZvPublishRun.h"

namespace {

const char kUsage[] =
    "\n Usage:\n\t\t\n  Create a new addon:\n\n   zvpublish create -addon \"c:\\my\\addon.zva\" -icon \"c:\\my\\addon.jpg\"\n\t\n\n"
    "  List of published addons:\n\n   zvpublish list\n\t\t\n\n"
    "  Update an addon file:\n\n   zvpublish update -addon \"c:\\my\\myaddon.zva\" -id \"1234567\" -changes \"Fixed error when dying\"\n\t\t\n\t\t";

class mainTest : public ZvPublishTest {};

TEST_F(mainTest, UsageWithoutACommandAndSteamNeverStarts)
{
    for (const std::vector<std::string>& args : {std::vector<std::string>{}, {"publish"}, {"-addon", "x.zva"}}) {
        RunResult run = Run(args);
        EXPECT_EQ(0, run.status);
        // Banner, then "[Compiled <date> - <time>]", each twice, then the usage text twice.
        ASSERT_EQ(0u, run.out.find(Banner()));
        size_t compiled = run.out.find("[Compiled ");
        ASSERT_EQ(Banner().size(), compiled);
        size_t end = run.out.find("]\n", compiled);
        std::string line = run.out.substr(compiled, end + 2 - compiled);
        EXPECT_EQ(Banner() + Twice(line) + Twice(kUsage), run.out);
        EXPECT_EQ(34u, line.size()); // "[Compiled Mmm dd yyyy - hh:mm:ss]\n"
    }
    EXPECT_FALSE(SteamTestFolder::Exists(steam.Path() + "/workshop.db"));
}

TEST_F(mainTest, CommandWordIgnoresCase)
{
    for (const char* word : {"LIST", "List", "list"}) {
        RunResult run = Run({word});
        EXPECT_EQ(0, run.status);
        EXPECT_NE(std::string::npos, run.out.find(Twice("Getting published files..\n\n"))) << word;
    }
}

struct StartUpCase {
    const char* settings;
    const char* message;
};

TEST_F(mainTest, SteamStartUpFailuresEndWithStatusOne)
{
    const StartUpCase cases[] = {
        {"running = 0\n", "Couldn't initialize Steam! (Is it running?)"},
        {"app_id = 480\n", "Couldn't initialize Steam AppID!"},
    };
    for (const StartUpCase& c : cases) {
        steam.Settings(c.settings);
        for (const char* command : {"create", "list", "update"}) {
            SCOPED_TRACE(std::string(c.settings) + command);
            RunResult run = Run({command, "-addon", SampleAddon(), "-id", "1"});
            EXPECT_EQ(1, run.status);
            std::string expected = Twice("Error:\n\n") + Twice(c.message) + Twice("\n\n");
            ASSERT_GE(run.out.size(), expected.size());
            EXPECT_EQ(expected, run.out.substr(run.out.size() - expected.size()));
        }
    }
    ExpectNoCloudFiles();
}

TEST_F(mainTest, QuotaLineAndItsFailure)
{
    steam.Settings("quota = 1536\n");
    RunResult run = Run({"create"});
    EXPECT_NE(std::string::npos, run.out.find(Twice("Storage Quota: 1.5 KB total, 1.5 KB free\n")));

    steam.Settings("fail_quota = 1\n");
    run = Run({"create", "-addon", SampleAddon()});
    EXPECT_EQ(1, run.status);
    std::string tail = Twice("Couldn't retrieve steam quota!\n");
    ASSERT_GE(run.out.size(), tail.size());
    EXPECT_EQ(tail, run.out.substr(run.out.size() - tail.size()));
    EXPECT_EQ(std::string::npos, run.out.find("Opening"));
    EXPECT_TRUE(Items().empty());
}

} // namespace
