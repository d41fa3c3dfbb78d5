// The "create" command end to end: the published item and its payload, every refusal of bad
// archives and icons, every Steam failure, and the cloud left empty afterwards.
#include "PayloadChecks.h"
#include "ZvPublishRun.h"

#include <zlib.h>

#include <ctime>
#include <sys/stat.h>

namespace {

class publish_new_addonTest : public ZvPublishTest {
protected:
    RunResult Create(const std::string& addon, const std::string& icon)
    {
        if (icon.empty())
            return Run({"create", "-addon", addon});
        return Run({"create", "-addon", addon, "-icon", icon});
    }

    bool Has(const RunResult& run, const std::string& text) { return run.out.find(text) != std::string::npos; }
};

TEST_F(publish_new_addonTest, PublishesAPrivateItemFromThePayloadAndTheIcon)
{
    zvfixtures::ZvaBuilder zva;
    zva.title = "100% Fun Map";
    zva.description = zvfixtures::ZvaBuilder::Description("Line one\nline two", "map", {"fun", "build"});
    zva.files = {{"maps/x.bsp", zvfixtures::FillerBytes(50000)}};
    std::string archive = zva.Build();
    std::string addon = Input("fun.zva", archive), icon = Icon();
    uint32_t before = static_cast<uint32_t>(std::time(nullptr));
    RunResult run = Create(addon, icon);
    uint32_t after = static_cast<uint32_t>(std::time(nullptr));
    ASSERT_EQ(0, run.status) << run.out;

    std::vector<WorkshopRow> items = Items();
    ASSERT_EQ(1u, items.size());
    const WorkshopRow& item = items[0];
    EXPECT_EQ("100% Fun Map", item.title);
    EXPECT_EQ("Line one\nline two", item.description);
    EXPECT_EQ("addon,map,fun,build", item.tags);
    EXPECT_EQ(2, item.visibility); // private

    // Payload: LZMA stream of the archive, its size, then CE CA EF BE.
    std::string payload = ItemFile(item.id);
    ASSERT_GT(payload.size(), 21u);
    EXPECT_EQ(archive.size(), Le32(payload, 5));
    EXPECT_EQ(0u, Le32(payload, 9));
    EXPECT_EQ(archive.size(), Le32(payload, payload.size() - 8));
    EXPECT_EQ("\xCE\xCA\xEF\xBE", payload.substr(payload.size() - 4));
    EXPECT_EQ(archive, UnpackPayload(payload, archive.size()));
    EXPECT_EQ(static_cast<unsigned char>((2 * 5 + 0) * 9 + 3), static_cast<unsigned char>(payload[0])); // lc 3, lp 0, pb 2
    EXPECT_EQ(0x2000000u, Le32(payload, 1));

    // The cloud name: addon_uploads/<time>_<CRC-32 of the payload>.zva
    uLong crc = crc32(0, reinterpret_cast<const Bytef*>(payload.data()), static_cast<uInt>(payload.size()));
    std::string prefix = "addon_uploads/", suffix = "_" + std::to_string(crc) + ".zva";
    ASSERT_EQ(0u, item.fileName.find(prefix));
    ASSERT_GT(item.fileName.size(), prefix.size() + suffix.size());
    EXPECT_EQ(suffix, item.fileName.substr(item.fileName.size() - suffix.size()));
    uint32_t stamp = static_cast<uint32_t>(std::stoul(item.fileName.substr(prefix.size())));
    EXPECT_GE(stamp, before);
    EXPECT_LE(stamp, after);

    std::string iconBytes;
    SteamTestFolder::ReadFile(icon, iconBytes);
    EXPECT_EQ(iconBytes, ItemFile(item.id, "preview"));
    ExpectNoCloudFiles();

    // What was said, in order.
    std::string id = std::to_string(item.id);
    const std::string steps[] = {
        Banner(),
        Twice("Storage Quota: 500.0 MB total, 500.0 MB free\n"),
        Twice("Opening " + addon + "\n"),
        "Compressing.. [",
        Twice("Sending Addon to Steam..\n"),
        Twice("Sending Icon to Steam..\n"),
        Twice("Publishing \"100% Fun Map\"..\n(this can take a long time - it's actually uploading the files right now..)\n"),
        Twice("0%\n") + Twice("50%\n") + Twice("100%\n"),
        Twice("\nPublished file!\n\n") + Twice(" UID: " + id + "\n\n") +
            Twice("Your file is marked as private - only you will be able to see it.\n") +
            Twice("Please mark it as public only when you have tested it!!\n\n") + Twice("Cleaning up..\n") +
            Twice("All done!\n"),
    };
    size_t at = 0;
    for (const std::string& step : steps) {
        size_t found = run.out.find(step, at);
        ASSERT_NE(std::string::npos, found) << "missing after " << at << ": " << step << "\nin:\n" << run.out;
        at = found + step.size();
    }
    EXPECT_EQ(run.out.size(), at);
}

TEST_F(publish_new_addonTest, WithoutAnIconPublishesWithoutAPreview)
{
    RunResult run = Create(SampleAddon(), "");
    ASSERT_EQ(0, run.status) << run.out;
    EXPECT_FALSE(Has(run, "Sending Icon"));
    std::vector<WorkshopRow> items = Items();
    ASSERT_EQ(1u, items.size());
    EXPECT_EQ(0, items[0].previewSize);
    ExpectNoCloudFiles();
}

TEST_F(publish_new_addonTest, ItemsAccumulateAcrossRuns)
{
    std::string addon = SampleAddon();
    ASSERT_EQ(0, Create(addon, Icon()).status);
    ASSERT_EQ(0, Create(addon, Icon()).status);
    std::vector<WorkshopRow> items = Items();
    ASSERT_EQ(2u, items.size());
    EXPECT_LT(items[0].id, items[1].id);
}

struct Refusal {
    const char* what;
    std::string addon; // path
    std::string icon;  // path, may be empty
    std::string message;
};

TEST_F(publish_new_addonTest, BadArchivesAndIconsUploadNothing)
{
    auto variant = [this](const char* name, void (*change)(zvfixtures::ZvaBuilder&)) {
        zvfixtures::ZvaBuilder zva;
        zva.files = {{"f.txt", "contents"}};
        change(zva);
        return Input(name, zva.Build());
    };
    std::string good = SampleAddon();
    std::string goodBytes;
    SteamTestFolder::ReadFile(good, goodBytes);
    std::string garbage;
    for (int i = 0; i < 3000; ++i)
        garbage += static_cast<char>((i * 7919) ^ (i >> 3));
    // An archive larger than the reader takes (512 MiB), as a sparse file.
    std::string huge = Input("huge.zva", goodBytes);
    ASSERT_EQ(0, truncate(huge.c_str(), 513ll * 1024 * 1024));

    const std::string opening = "Error opening addon (does the file exist?)\n", parsing = "Error parsing addon\n";
    const Refusal cases[] = {
        {"missing archive", work + "/missing.zva", "", opening},
        {"archive is a folder", work, "", opening},
        {"oversized archive", huge, "", opening},
        {"empty archive", Input("empty.zva", ""), "", parsing},
        {"three bytes", Input("short.zva", "ZVA"), "", parsing},
        {"garbage", Input("garbage.zva", garbage), "", parsing},
        {"garbage after the identifier", Input("garbage2.zva", "ZVAD\x03" + garbage), "", parsing},
        {"truncated in the table", Input("cut1.zva", goodBytes.substr(0, goodBytes.size() - 30)), "", parsing},
        {"truncated in the contents", Input("cut2.zva", goodBytes.substr(0, goodBytes.size() - 1)), "", parsing},
        {"version 4", variant("v4.zva", [](zvfixtures::ZvaBuilder& z) { z.version = 4; }), "", parsing},
        {"version 1", variant("v1.zva", [](zvfixtures::ZvaBuilder& z) { z.version = 1; }), "",
         "Addon version isn't 3 - rebuild it with the latest zvad!\n"},
        {"no title", variant("notitle.zva", [](zvfixtures::ZvaBuilder& z) { z.title = ""; }), "",
         "This addon doesn't have a title!\n"},
        {"description not JSON", variant("nojson.zva", [](zvfixtures::ZvaBuilder& z) { z.description = "plain"; }), "",
         "Addon doesn't have a type!\n"},
        {"bad type", variant("type.zva", [](zvfixtures::ZvaBuilder& z) {
             z.description = zvfixtures::ZvaBuilder::Description("d", "Weapon", {});
         }), "", "Addon has invalid type!\n"},
        {"three tags", variant("tags3.zva", [](zvfixtures::ZvaBuilder& z) {
             z.description = zvfixtures::ZvaBuilder::Description("d", "map", {"fun", "build", "water"});
         }), "", "Addon has too many tags!\n"},
        {"bad tag", variant("tagbad.zva", [](zvfixtures::ZvaBuilder& z) {
             z.description = zvfixtures::ZvaBuilder::Description("d", "map", {"fun", "Fun"});
         }), "", "Addon has invalid tags!\n"},
        {"missing icon", good, work + "/missing.jpg", "Couldn't open the icon!\n"},
        {"PNG icon", good, Input("icon.png", std::string("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16) + std::string(100, 'x')),
         "Couldn't load icon - is it a jpeg?\n"},
        {"empty icon", good, Input("empty.jpg", ""), "Couldn't load icon - is it a jpeg?\n"},
        {"broken JPEG", good, Input("broken.jpg", SolidJpeg(512, 512, {1, 2, 3}).substr(0, 200)),
         "Couldn't load icon - is it a jpeg?\n"},
        {"512x256 icon", good, Icon(512, 256, "wide.jpg"), "Image is the wrong size, it should be 512x512!"},
        {"256x512 icon", good, Icon(256, 512, "tall.jpg"), "Image is the wrong size, it should be 512x512!"},
        {"huge announced icon", good, Icon(65000, 65000, "huge.jpg"), "Image is the wrong size, it should be 512x512!"},
    };
    for (const Refusal& c : cases) {
        SCOPED_TRACE(c.what);
        RunResult run = Create(c.addon, c.icon);
        EXPECT_EQ(1, run.status);
        EXPECT_TRUE(Has(run, Twice(c.message))) << run.out;
        EXPECT_FALSE(Has(run, "Publishing"));
        ExpectNoCloudFiles();
    }
    EXPECT_TRUE(Items().empty());
}

TEST_F(publish_new_addonTest, MissingOrMisspelledSwitchesFailToOpen)
{
    const std::vector<std::string> lines[] = {
        {"create"},
        {"create", "-addon"},
        {"create", "-Addon", SampleAddon()},
    };
    for (const std::vector<std::string>& args : lines) {
        RunResult run = Run(args);
        EXPECT_EQ(1, run.status);
        EXPECT_TRUE(Has(run, Twice("Opening \n")));
        EXPECT_TRUE(Has(run, Twice("Error opening addon (does the file exist?)\n")));
    }
    // A repeated switch: the first occurrence wins.
    RunResult run = Run({"create", "-addon", work + "/nope.zva", "-addon", SampleAddon()});
    EXPECT_EQ(1, run.status);
    EXPECT_TRUE(Has(run, Twice("Opening " + work + "/nope.zva\n")));
    EXPECT_TRUE(Items().empty());
}

struct SteamFailure {
    const char* settings;
    std::vector<std::string> messages;
};

TEST_F(publish_new_addonTest, SteamFailuresLeaveNothingBehind)
{
    const std::string uploadFailed = "Addon Upload failed.. can't continue.\n";
    const SteamFailure cases[] = {
        {"fail_stream_open = 1\n", {"\tFile upload failed! (Error writing file addon_uploads/", uploadFailed}},
        {"fail_chunk_write = 1\n", {"\tFile upload failed! (your account may have run out of space!)\n", uploadFailed}},
        {"quota = 100\n", {"\tFile upload failed! (your account may have run out of space!)\n", uploadFailed}},
        {"fail_stream_close = 1\n", {"\tFile upload failed! (Error writing file addon_uploads/", uploadFailed}},
        // Room for the archive but not for the icon: the archive's cloud file goes too.
        {"quota = 3000\n", {"Sending Icon to Steam..\n", "\tFile upload failed! (your account may have run out of space!)\n", uploadFailed}},
        {"fail_publish = call\n", {"File publish failed!\n"}},
        {"fail_publish = io\n", {"PublishWorkshopFile failed!\n"}},
        {"fail_publish = 25\n", {"PublishWorkshopFile failed! (25)\n"}},
    };
    std::string addon = SampleAddon(), icon = Icon();
    for (const SteamFailure& c : cases) {
        SCOPED_TRACE(c.settings);
        steam.Settings(c.settings);
        RunResult run = Create(addon, icon);
        EXPECT_EQ(1, run.status);
        for (const std::string& message : c.messages)
            EXPECT_TRUE(Has(run, message)) << message << "\nin:\n" << run.out;
        EXPECT_FALSE(Has(run, "Published file!"));
        ExpectNoCloudFiles();
    }
    EXPECT_TRUE(Items().empty());
}

} // namespace
