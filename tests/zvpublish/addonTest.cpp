// The ".zva" reader and validator: layout, tolerated oddities, hostile archives, and the
// validation messages in their order.
#include "addon.h"

#include "PayloadChecks.h"
#include "fixtures/ZvaBuilder.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <random>
#include <unistd.h>

using zvfixtures::ZvaBuilder;

namespace {

class addonTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        char name[] = "/tmp/zva-reader-XXXXXX";
        int fd = mkstemp(name);
        ASSERT_GE(fd, 0);
        close(fd);
        path = name;
    }
    void TearDown() override { std::remove(path.c_str()); }

    // Writes the bytes and parses them; the parse result.
    bool Parse(const std::string& bytes, Addon::Reader& reader)
    {
        std::ofstream(path, std::ios::binary | std::ios::trunc).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        return reader.ReadFromFile(path) && reader.Parse();
    }

    std::string path;
};

TEST_F(addonTest, ReadsHeaderTableAndDescription)
{
    ZvaBuilder zva;
    zva.strings = {"one", "two"};
    zva.title = "Title";
    zva.author = "Author";
    zva.description = ZvaBuilder::Description("About it", "weapon", {"fun", "build"});
    zva.files = {{"a", std::string(10, 'a')}, {"b", std::string(20, 'b')}, {"c", std::string(30, 'c')}};
    Addon::Reader reader;
    ASSERT_TRUE(Parse(zva.Build(), reader));
    EXPECT_EQ(3, reader.GetFormatVersion());
    EXPECT_EQ("Title", reader.Title());
    EXPECT_EQ("Author", reader.Author());
    EXPECT_EQ("About it", reader.Description());
    EXPECT_EQ("weapon", reader.Type());
    EXPECT_EQ((std::vector<Kestrum::BString>{"fun", "build"}), reader.Tags());
    ASSERT_EQ(3u, reader.GetList().size());
    const int64_t offsets[] = {0, 10, 30};
    uint32_t number = 1;
    auto entry = reader.GetList().begin();
    for (int i = 0; i < 3; ++i, ++entry, ++number) {
        EXPECT_EQ(number, entry->iFileNumber);
        EXPECT_EQ(offsets[i], entry->iOffset);
    }
    EXPECT_EQ(zva.Build().size() - 60, reader.GetFileBlock());
    EXPECT_TRUE(CheckAddon(reader));
}

TEST_F(addonTest, OffsetsAddUpInSixtyFourBits)
{
    ZvaBuilder zva;
    zva.files = {{"big", "", 0x90000000ll}, {"next", "", 0}};
    zva.files[0].declaredSize = 0x90000000ll;
    Addon::Reader reader;
    // The contents are missing, so the archive is refused, but the table was read in full.
    EXPECT_FALSE(Parse(zva.Build(), reader));
    ASSERT_EQ(2u, reader.GetList().size());
    EXPECT_EQ(0x90000000ll, reader.GetList().back().iOffset);
}

struct ParseCase {
    const char* what;
    std::string bytes;
    bool parses;
};

std::string Built(void (*change)(ZvaBuilder&))
{
    ZvaBuilder zva;
    zva.files = {{"f", "content"}};
    change(zva);
    return zva.Build();
}

TEST_F(addonTest, SurvivesHostileArchives)
{
    std::string good = Built([](ZvaBuilder&) {});
    std::mt19937 random(7);
    std::string garbage(5000, '\0');
    for (char& c : garbage)
        c = static_cast<char>(random());
    const ParseCase cases[] = {
        {"empty", "", false},
        {"three bytes", "ZVA", false},
        {"fourth byte C", "ZVAC" + good.substr(4), false},
        {"version 4", Built([](ZvaBuilder& z) { z.version = 4; }), false},
        {"negative version", Built([](ZvaBuilder& z) { z.version = -1; }), true},
        {"version 1", Built([](ZvaBuilder& z) { z.version = 1; }), true},
        {"identifier only", "ZVAD", false},
        {"garbage", garbage, false},
        {"garbage after identifier", "ZVAD\x03" + garbage, false},
        {"cut in the table", good.substr(0, good.size() - 7 - 6), false},
        {"cut in the contents", good.substr(0, good.size() - 1), false},
        {"negative size", Built([](ZvaBuilder& z) { z.files[0].declaredSize = -5; }), false},
        {"huge size", Built([](ZvaBuilder& z) { z.files[0].declaredSize = INT64_MAX; }), false},
        {"two huge sizes", Built([](ZvaBuilder& z) {
             z.files.push_back({"g", "", INT64_MAX});
             z.files[0].declaredSize = INT64_MAX;
         }), false},
        {"trailing bytes after contents", good + "extra", true},
        {"no files", Built([](ZvaBuilder& z) { z.files.clear(); }), true},
    };
    for (const ParseCase& c : cases) {
        SCOPED_TRACE(c.what);
        Addon::Reader reader;
        EXPECT_EQ(c.parses, Parse(c.bytes, reader));
    }
}

TEST_F(addonTest, MissingFileCannotBeRead)
{
    Addon::Reader reader;
    EXPECT_FALSE(reader.ReadFromFile("/nonexistent/zva"));
    EXPECT_FALSE(reader.ReadFromFile(""));
}

struct CheckCase {
    const char* what;
    void (*change)(ZvaBuilder&);
    const char* warning; // empty: passes
};

TEST_F(addonTest, ValidationReportsTheFirstProblem)
{
    const CheckCase cases[] = {
        {"valid", [](ZvaBuilder&) {}, ""},
        {"no tags", [](ZvaBuilder& z) { z.description = ZvaBuilder::Description("d", "map", {}); }, ""},
        {"no tags key", [](ZvaBuilder& z) { z.description = "{\"type\": \"tool\"}"; }, ""},
        {"empty description text", [](ZvaBuilder& z) { z.description = ZvaBuilder::Description("", "npc", {"fun"}); }, ""},
        {"version 1", [](ZvaBuilder& z) { z.version = 1; }, "Addon version isn't 3 - rebuild it with the latest zvad!\n"},
        {"version 2, no title", [](ZvaBuilder& z) { z.version = 2; z.title = ""; }, "Addon version isn't 3 - rebuild it with the latest zvad!\n"},
        {"no title", [](ZvaBuilder& z) { z.title = ""; }, "This addon doesn't have a title!\n"},
        {"not JSON", [](ZvaBuilder& z) { z.description = "just words"; }, "Addon doesn't have a type!\n"},
        {"no type key", [](ZvaBuilder& z) { z.description = "{\"description\": \"d\"}"; }, "Addon doesn't have a type!\n"},
        {"capital type", [](ZvaBuilder& z) { z.description = ZvaBuilder::Description("d", "Weapon", {}); }, "Addon has invalid type!\n"},
        {"three tags", [](ZvaBuilder& z) { z.description = ZvaBuilder::Description("d", "map", {"fun", "build", "water"}); }, "Addon has too many tags!\n"},
        {"capital tag", [](ZvaBuilder& z) { z.description = ZvaBuilder::Description("d", "map", {"fun", "Fun"}); }, "Addon has invalid tags!\n"},
        {"tags object", [](ZvaBuilder& z) { z.description = "{\"type\": \"map\", \"tags\": {\"a\": \"fun\", \"b\": \"nope\"}}"; }, "Addon has invalid tags!\n"},
    };
    for (const CheckCase& c : cases) {
        SCOPED_TRACE(c.what);
        ZvaBuilder zva;
        c.change(zva);
        Addon::Reader reader;
        ASSERT_TRUE(Parse(zva.Build(), reader));
        MessageRecorder recorder;
        EXPECT_EQ(std::string(c.warning).empty(), CheckAddon(reader));
        EXPECT_EQ(c.warning, recorder.warnings);
    }
}

TEST_F(addonTest, ParsingAgainKeepsNothingOfTheLastArchive)
{
    ZvaBuilder first;
    first.description = ZvaBuilder::Description("d", "weapon", {"fun", "build"});
    ZvaBuilder second;
    second.description = "not JSON";
    Addon::Reader reader;
    ASSERT_TRUE(Parse(first.Build(), reader));
    ASSERT_TRUE(Parse(second.Build(), reader));
    EXPECT_TRUE(reader.Type().empty());
    EXPECT_TRUE(reader.Tags().empty());
}

TEST_F(addonTest, DescriptionThatIsNotJsonStaysRaw)
{
    ZvaBuilder zva;
    zva.description = "{broken";
    Addon::Reader reader;
    ASSERT_TRUE(Parse(zva.Build(), reader));
    EXPECT_EQ("{broken", reader.Description());
    EXPECT_TRUE(reader.Type().empty());
    EXPECT_TRUE(reader.Tags().empty());
}

} // namespace
