// The "update" command end to end: replacing an item's file with a change note, refusals of
// items that are not the user's add-ons, and every failure of the upload and the commit.
#include "ZvPublishRun.h"

#include <sqlite3.h>

namespace {

class update_addonTest : public ZvPublishTest {
protected:
    // Publishes the sample add-on and returns its id.
    uint64_t PublishSample()
    {
        RunResult run = Run({"create", "-addon", SampleAddon("first.zva"), "-icon", Icon()});
        EXPECT_EQ(0, run.status) << run.out;
        std::vector<WorkshopRow> items = Items();
        return items.empty() ? 0 : items.back().id;
    }

    std::string NewAddon()
    {
        zvfixtures::ZvaBuilder zva;
        zva.title = "Renamed in the archive";
        zva.files = {{"addon.txt", "version two"}};
        return Input("second.zva", zva.Build());
    }

    std::vector<std::string> ChangeNotes(uint64_t id)
    {
        std::vector<std::string> notes;
        sqlite3* db = nullptr;
        sqlite3_open((steam.Path() + "/workshop.db").c_str(), &db);
        sqlite3_stmt* stmt = nullptr;
        sqlite3_prepare_v2(db, "SELECT note FROM change_notes WHERE item_id = ? ORDER BY rowid", -1, &stmt, nullptr);
        sqlite3_bind_int64(stmt, 1, static_cast<sqlite3_int64>(id));
        while (stmt && sqlite3_step(stmt) == SQLITE_ROW)
            notes.push_back(reinterpret_cast<const char*>(sqlite3_column_text(stmt, 0)));
        sqlite3_finalize(stmt);
        sqlite3_close(db);
        return notes;
    }

    bool Has(const RunResult& run, const std::string& text) { return run.out.find(text) != std::string::npos; }
};

TEST_F(update_addonTest, ReplacesTheFileAndKeepsEverythingElse)
{
    uint64_t id = PublishSample();
    std::string oldFile = ItemFile(id), oldPreview = ItemFile(id, "preview");
    std::string addon = NewAddon();
    RunResult run = Run({"update", "-addon", addon, "-id", std::to_string(id), "-changes", "Fixed error when dying"});
    ASSERT_EQ(0, run.status) << run.out;

    const std::string steps[] = {
        Twice("Updating..\n"),
        "Compressing.. [",
        Twice("Updating Addon..\n"),
        Twice("Committing.. (this can take a long time)\n"),
        Twice("0%\n") + Twice("50%\n") + Twice("100%\n"),
        Twice("Success!\n"),
    };
    size_t at = 0;
    for (const std::string& step : steps) {
        size_t found = run.out.find(step, at);
        ASSERT_NE(std::string::npos, found) << step << "\nin:\n" << run.out;
        at = found + step.size();
    }
    EXPECT_EQ(run.out.size(), at);

    std::vector<WorkshopRow> items = Items();
    ASSERT_EQ(1u, items.size());
    EXPECT_EQ("Sample Addon", items[0].title); // the archive's new title is not applied
    EXPECT_NE(oldFile, ItemFile(id));
    EXPECT_EQ(oldPreview, ItemFile(id, "preview"));
    std::string archive;
    SteamTestFolder::ReadFile(addon, archive);
    std::string payload = ItemFile(id);
    EXPECT_EQ(std::string("\xCE\xCA\xEF\xBE"), payload.substr(payload.size() - 4));
    EXPECT_EQ(std::vector<std::string>{"Fixed error when dying"}, ChangeNotes(id));
    ExpectNoCloudFiles();
}

TEST_F(update_addonTest, ChangeNoteDefaultsToNoneProvided)
{
    uint64_t id = PublishSample();
    std::string addon = NewAddon();
    ASSERT_EQ(0, Run({"update", "-addon", addon, "-id", std::to_string(id)}).status);
    ASSERT_EQ(0, Run({"update", "-addon", addon, "-id", std::to_string(id), "-changes"}).status);
    EXPECT_EQ((std::vector<std::string>{"None Provided", "None Provided"}), ChangeNotes(id));
}

TEST_F(update_addonTest, OnlyTheUsersAddonsCanBeEdited)
{
    uint64_t id = PublishSample();
    // An item tagged Addon (capital A) counts; one without the tag does not.
    Sql("INSERT INTO items(id, app_id, owner, title, description, tags, visibility, file_type, file_name, file_size,"
        " preview_name, preview_size, created, updated) VALUES"
        " (6000000001, 4120, 76561198000000001, 'Capital', '', 'Addon,map', 2, 0, 'x', 1, '', 0, 0, 0),"
        " (6000000002, 4120, 76561198000000001, 'Not an addon', '', 'map', 2, 0, 'x', 1, '', 0, 0, 0)");
    std::string addon = NewAddon();
    EXPECT_EQ(0, Run({"update", "-addon", addon, "-id", "6000000001"}).status);

    struct {
        std::string id;
        std::string shown;
    } refused[] = {{"0", "0"}, {"abc", "0"}, {"", "0"}, {"6000000002", "6000000002"}, {"5000000000", "5000000000"}};
    for (const auto& c : refused) {
        SCOPED_TRACE(c.id);
        RunResult run = Run({"update", "-addon", addon, "-id", c.id});
        EXPECT_EQ(1, run.status);
        EXPECT_TRUE(Has(run, Twice("Can't edit workshop id " + c.shown + " (are you the author?)\n"))) << run.out;
        EXPECT_FALSE(Has(run, "Updating.."));
    }

    // An id of 0 is refused without asking Steam for the list at all.
    steam.Settings("fail_enumerate = call\n");
    RunResult zero = Run({"update", "-addon", addon, "-id", "0"});
    EXPECT_TRUE(Has(zero, "Can't edit workshop id 0"));
    EXPECT_FALSE(Has(zero, "PublishedFiles failed"));

    // Someone else's item.
    steam.Settings("user_id = 42\n");
    RunResult run = Run({"update", "-addon", addon, "-id", std::to_string(id)});
    EXPECT_EQ(1, run.status);
    EXPECT_TRUE(Has(run, "Can't edit workshop id " + std::to_string(id)));
    ExpectNoCloudFiles();
}

TEST_F(update_addonTest, BadArchiveIsRefusedAfterTheOwnershipCheck)
{
    uint64_t id = PublishSample();
    std::string ids = std::to_string(id);
    RunResult run = Run({"update", "-addon", work + "/missing.zva", "-id", ids});
    EXPECT_EQ(1, run.status);
    EXPECT_TRUE(Has(run, Twice("Error opening addon (does the file exist?)\n")));
    run = Run({"update", "-addon", Input("bad.zva", "ZVAX"), "-id", ids});
    EXPECT_TRUE(Has(run, Twice("Error parsing addon\n")));
    zvfixtures::ZvaBuilder noType;
    noType.description = "{}";
    run = Run({"update", "-addon", Input("notype.zva", noType.Build()), "-id", ids});
    EXPECT_EQ(1, run.status);
    EXPECT_TRUE(Has(run, Twice("Addon doesn't have a type!\n")));
    EXPECT_FALSE(Has(run, "Updating.."));
    ExpectNoCloudFiles();
}

struct UpdateFailure {
    const char* settings;
    std::vector<std::string> messages;
};

TEST_F(update_addonTest, FailedUploadsAndCommitsReportFailure)
{
    uint64_t id = PublishSample();
    std::string before = ItemFile(id);
    const std::string commitFailed = Twice("File publish failed!\n") + Twice("Failed!\n");
    const UpdateFailure cases[] = {
        {"fail_update_request = 1\n", {Twice("Couldn't create update request\n")}},
        {"fail_stream_open = 1\n", {"\tFile upload failed! (Error writing file addon_uploads/", "Addon Upload failed.. can't continue.\n"}},
        {"fail_chunk_write = 1\n", {"(your account may have run out of space!)\n", "Addon Upload failed.. can't continue.\n"}},
        {"fail_stream_close = 1\n", {"\tFile upload failed! (Error writing file addon_uploads/", "Addon Upload failed.. can't continue.\n"}},
        {"fail_update_file = 1\n", {commitFailed}},
        {"fail_update_note = 1\n", {commitFailed}},
        {"fail_commit = call\n", {Twice("Committing.. (this can take a long time)\n") + commitFailed}},
        {"fail_commit = io\n", {Twice("100%\n") + commitFailed}},
        {"fail_commit = 2\n", {Twice("100%\n") + commitFailed}},
    };
    std::string addon = NewAddon();
    for (const UpdateFailure& c : cases) {
        SCOPED_TRACE(c.settings);
        steam.Settings(c.settings);
        RunResult run = Run({"update", "-addon", addon, "-id", std::to_string(id), "-changes", "note"});
        EXPECT_EQ(1, run.status);
        for (const std::string& message : c.messages)
            EXPECT_TRUE(Has(run, message)) << message << "\nin:\n" << run.out;
        EXPECT_FALSE(Has(run, "Success!"));
        ExpectNoCloudFiles();
    }
    EXPECT_EQ(before, ItemFile(id));
    EXPECT_TRUE(ChangeNotes(id).empty());
}

} // namespace
