// The ".zva" fixture builder writes the archive layout field by field, little-endian.
#include "fixtures/ZvaBuilder.h"

#include <gtest/gtest.h>

#include <cstring>
#include <zlib.h>

using namespace zvfixtures;

namespace {

// Reads the fields back in order.
struct Cursor {
    const std::string& bytes;
    size_t pos = 0;
    uint64_t Number(int width)
    {
        uint64_t value = 0;
        for (int i = 0; i < width; ++i)
            value |= static_cast<uint64_t>(static_cast<unsigned char>(bytes.at(pos + i))) << (8 * i);
        pos += width;
        return value;
    }
    std::string Text()
    {
        size_t end = bytes.find('\0', pos);
        std::string text = bytes.substr(pos, end - pos);
        pos = end + 1;
        return text;
    }
};

TEST(ZvaBuilderTest, WritesTheLayoutFieldByField)
{
    ZvaBuilder zva;
    zva.strings = {"one", "two"};
    zva.title = "T";
    zva.author = "A";
    zva.trailingNumber = -2;
    zva.files = {{"a", std::string(10, 'a')}, {"b/c", std::string(20, 'b')}, {"d", std::string(30, 'd'), 999}};
    std::string bytes = zva.Build();
    Cursor c{bytes};
    EXPECT_EQ("ZVAD", bytes.substr(0, 4));
    c.pos = 4;
    EXPECT_EQ(3u, c.Number(1));
    EXPECT_EQ(zva.headerNumber1, c.Number(8));
    EXPECT_EQ(zva.headerNumber2, c.Number(8));
    EXPECT_EQ("one", c.Text());
    EXPECT_EQ("two", c.Text());
    EXPECT_EQ("", c.Text());
    EXPECT_EQ("T", c.Text());
    EXPECT_EQ(zva.description, c.Text());
    EXPECT_EQ("A", c.Text());
    EXPECT_EQ(0xFFFFFFFEu, c.Number(4));
    const char* names[] = {"a", "b/c", "d"};
    const uint64_t sizes[] = {10, 20, 999};
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(static_cast<uint64_t>(i + 1), c.Number(4));
        EXPECT_EQ(names[i], c.Text());
        EXPECT_EQ(sizes[i], c.Number(8));
        const std::string& content = zva.files[i].content;
        EXPECT_EQ(crc32(0, reinterpret_cast<const Bytef*>(content.data()), static_cast<uInt>(content.size())), c.Number(4));
    }
    EXPECT_EQ(0u, c.Number(4));
    EXPECT_EQ(bytes.size() - 60, c.pos);
}

TEST(ZvaBuilderTest, VersionOneHasNoStringList)
{
    ZvaBuilder zva;
    zva.version = 1;
    zva.strings = {"ignored"};
    zva.title = "T";
    std::string bytes = zva.Build();
    EXPECT_EQ('T', bytes[4 + 1 + 16]);
}

TEST(ZvaBuilderTest, DescriptionIsJsonWithEscapes)
{
    EXPECT_EQ("{\"description\": \"say \\\"hi\\\"\\\\\\u000a\", \"type\": \"map\", \"tags\": [\"fun\", \"build\"]}",
              ZvaBuilder::Description("say \"hi\"\\\n", "map", {"fun", "build"}));
    EXPECT_EQ("{\"description\": \"\", \"type\": \"\", \"tags\": []}", ZvaBuilder::Description("", "", {}));
}

TEST(ZvaBuilderTest, FillerBytesAreDeterministic)
{
    EXPECT_EQ(1000u, FillerBytes(1000).size());
    EXPECT_EQ(FillerBytes(500), FillerBytes(500));
    EXPECT_NE(FillerBytes(500, 1), FillerBytes(500, 2));
}

} // namespace
