// The "list" command end to end: the user's add-ons in order, paging, and enumerations that fail
// or whose counts lie.
#include "ZvPublishRun.h"

namespace {

class list_addonsTest : public ZvPublishTest {
protected:
    // Adds items straight to the stand-in's database (it must exist: run zvpublish once first).
    void AddItems(int count, uint64_t firstId, const char* tags, uint64_t owner = 76561198000000001ull)
    {
        std::string sql = "BEGIN;";
        for (int i = 0; i < count; ++i) {
            sql += "INSERT INTO items(id, app_id, owner, title, description, tags, visibility, file_type, file_name,"
                   " file_size, preview_name, preview_size, created, updated) VALUES (" +
                   std::to_string(firstId + i) + ", 4120, " + std::to_string(owner) + ", 'Item " + std::to_string(i) +
                   "', '', '" + tags + "', 2, 0, 'f', " + std::to_string(1000 + i * 1000) + ", '', 0, 0, 0);";
        }
        Sql(sql + "COMMIT;");
    }

    static std::string Header() { return Twice("Getting published files..\n\n"); }
    static std::string Footer() { return Twice("\nDone.\n"); }

    // The output after the banner and compile lines.
    static std::string Body(const RunResult& run)
    {
        size_t start = run.out.find("Getting published files");
        return start == std::string::npos ? run.out : run.out.substr(start);
    }
};

TEST_F(list_addonsTest, NothingPublishedGivesHeaderAndFooterOnly)
{
    RunResult run = Run({"list"});
    EXPECT_EQ(0, run.status);
    EXPECT_EQ(Header() + Footer(), Body(run));
}

TEST_F(list_addonsTest, ListsTheUsersAddonsInOrder)
{
    ASSERT_EQ(0, Run({"list"}).status);
    AddItems(1, 7000000001ull, "addon,map,fun");
    AddItems(1, 7000000002ull, "map");                  // not an add-on
    AddItems(1, 7000000003ull, "ADDON,tool");           // tag matched ignoring case
    AddItems(1, 7000000004ull, "addon,npc", 42);        // someone else's
    RunResult run = Run({"list"});
    EXPECT_EQ(0, run.status);
    EXPECT_EQ(Header() + Twice("\t7000000001\t1000 B\t\"Item 0\"\n") + Twice("\t7000000003\t1000 B\t\"Item 0\"\n") + Footer(),
              Body(run));
}

TEST_F(list_addonsTest, PagesThroughMoreThanFiftyItems)
{
    ASSERT_EQ(0, Run({"list"}).status);
    AddItems(120, 8000000000ull, "addon,map");
    RunResult run = Run({"list"});
    EXPECT_EQ(0, run.status);
    std::string expected = Header();
    for (int i = 0; i < 120; ++i) {
        int size = 1000 + i * 1000;
        char memory[32];
        if (size >= 1024)
            std::snprintf(memory, sizeof(memory), "%.1f KB", size / 1024.0f);
        else
            std::snprintf(memory, sizeof(memory), "%i B", size);
        expected += Twice("\t" + std::to_string(8000000000ull + i) + "\t" + memory + "\t\"Item " + std::to_string(i) + "\"\n");
    }
    EXPECT_EQ(expected + Footer(), Body(run));
}

struct ListFailure {
    const char* settings;
    std::string warning; // empty: none
};

TEST_F(list_addonsTest, FailuresStillEndWithDone)
{
    ASSERT_EQ(0, Run({"list"}).status);
    AddItems(3, 9000000000ull, "addon");
    const ListFailure cases[] = {
        {"fail_enumerate = call\n", Twice("PublishedFiles failed (invalid call)\n")},
        {"fail_enumerate = io\n", Twice("PublishedFiles failed 35\n")},
        {"fail_enumerate = 2\n", Twice("PublishedFiles failed 2\n")},
        {"fail_details = io\n", ""},
        {"fail_details = call\n", ""},
    };
    for (const ListFailure& c : cases) {
        SCOPED_TRACE(c.settings);
        steam.Settings(c.settings);
        RunResult run = Run({"list"});
        EXPECT_EQ(0, run.status);
        EXPECT_EQ(Header() + c.warning + Footer(), Body(run));
    }
}

TEST_F(list_addonsTest, LyingCountsNeitherHangNorOverread)
{
    // A total that never arrives: the first page is empty and ends the list.
    steam.Settings("enumerate_total = 1000\n");
    RunResult run = Run({"list"}, 60);
    EXPECT_EQ(0, run.status);
    EXPECT_EQ(Header() + Footer(), Body(run));

    // Pages that claim more than 50 ids: only 50 are read from each.
    AddItems(2, 9100000000ull, "addon");
    steam.Settings("enumerate_total = 200\nenumerate_returned = 5000\n");
    run = Run({"list"}, 60);
    EXPECT_EQ(0, run.status);
    EXPECT_EQ(Header() + Twice("\t9100000000\t1000 B\t\"Item 0\"\n") + Twice("\t9100000001\t2.0 KB\t\"Item 1\"\n") + Footer(),
              Body(run));
}

} // namespace
