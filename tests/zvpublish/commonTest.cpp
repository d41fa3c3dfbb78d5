// The upload payload (LZMA stream, size, signature) and the cloud names the create and update
// commands share, built in process from a small archive.
#include "common.h"

#include "PayloadChecks.h"
#include "fixtures/ScratchFolder.h"
#include "fixtures/ZvaBuilder.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include <ctime>
#include <fstream>
#include <string>

namespace {

// A valid archive of exactly `size` bytes.
std::string ArchiveOfSize(size_t size)
{
    zvfixtures::ZvaBuilder zva;
    zva.files = {{"maps/x.bsp", ""}};
    size_t overhead = zva.Build().size();
    zva.files[0].content = zvfixtures::FillerBytes(size - overhead);
    return zva.Build();
}

class commonTest : public ::testing::Test {
protected:
    // Reads the archive bytes into the reader and builds its payload.
    std::string Payload(const std::string& archive)
    {
        std::string path = scratch / "a.zva";
        std::ofstream(path, std::ios::binary).write(archive.data(), static_cast<std::streamsize>(archive.size()));
        Addon::Reader addon;
        EXPECT_TRUE(LoadAddon(addon, path));
        Kestrum::AutoBuffer payload(32);
        EXPECT_TRUE(BuildPayload(addon, payload));
        return std::string(reinterpret_cast<const char*>(payload.GetBase()), payload.GetWritten());
    }

    ScratchFolder scratch;
};

TEST_F(commonTest, PayloadIsTheStreamThenSizeThenSignature)
{
    std::string archive = ArchiveOfSize(1000);
    ASSERT_EQ(1000u, archive.size());
    MessageRecorder recorder;
    std::string payload = Payload(archive);
    ASSERT_GT(payload.size(), 21u);
    EXPECT_EQ(std::string("\xE8\x03\x00\x00\xCE\xCA\xEF\xBE", 8), payload.substr(payload.size() - 8));

    // The stream: 5 property bytes, the size, 4 zero bytes, then data that unpacks to the archive.
    EXPECT_EQ(1000u, Le32(payload, 5));
    EXPECT_EQ(0u, Le32(payload, 9));
    EXPECT_EQ(0x2000000u, Le32(payload, 1));
    EXPECT_EQ(archive, UnpackPayload(payload, archive.size()));

    // The line gives the archive's size and the stream's size before the trailer.
    EXPECT_EQ("Compressing.. [1000 B] =>  [" + std::to_string(payload.size() - 8) + " B]\n", recorder.messages);
}

TEST_F(commonTest, CloudNameIsTimeAndCrcOfTheWholePayload)
{
    std::string payload = Payload(ArchiveOfSize(1000));
    Kestrum::Buffer buffer(&payload[0], static_cast<uint32_t>(payload.size()));
    uint64_t before = static_cast<uint64_t>(std::time(nullptr));
    Kestrum::BString first = CloudStem(buffer), second = CloudStem(buffer);
    uint64_t after = static_cast<uint64_t>(std::time(nullptr));

    uLong crc = crc32(0, reinterpret_cast<const Bytef*>(payload.data()), static_cast<uInt>(payload.size()));
    std::string suffix = "_" + std::to_string(crc);
    ASSERT_EQ(0u, first.find("addon_uploads/"));
    ASSERT_GT(first.size(), suffix.size());
    EXPECT_EQ(suffix, first.substr(first.size() - suffix.size()));
    uint64_t stamp = std::stoull(first.substr(14));
    EXPECT_GE(stamp, before);
    EXPECT_LE(stamp, after);
    if (before == after) {
        EXPECT_EQ(first, second); // same second, same payload: same name
    }

    // The CRC covers the trailer: another signature byte gives another name.
    payload.back() = '\x00';
    Kestrum::BString changed = CloudStem(buffer);
    EXPECT_NE(first.substr(first.find('_')), changed.substr(changed.find('_')));
}

} // namespace
