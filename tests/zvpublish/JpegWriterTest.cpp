// The JPEG fixture writer: its images decode to the size and block colours asked for.
#include "fixtures/JpegWriter.h"

#include <stb_image.h>

#include <gtest/gtest.h>

#include <cstdlib>

using namespace zvfixtures;

namespace {

struct Decoded {
    int width = 0, height = 0;
    unsigned char* pixels = nullptr;
    ~Decoded() { stbi_image_free(pixels); }
};

void Decode(const std::string& jpeg, Decoded& out)
{
    int components = 0;
    out.pixels = stbi_load_from_memory(reinterpret_cast<const unsigned char*>(jpeg.data()), static_cast<int>(jpeg.size()),
                                       &out.width, &out.height, &components, 3);
}

TEST(JpegWriterTest, DecodesToTheSizeAndColoursAskedFor)
{
    struct Case {
        int width, height;
    } cases[] = {{512, 512}, {512, 256}, {256, 512}, {1, 1}, {13, 21}};
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.width) + "x" + std::to_string(c.height));
        std::string jpeg = WriteJpeg(c.width, c.height, [](int bx, int by) {
            return Rgb{static_cast<uint8_t>(bx * 7), static_cast<uint8_t>(255 - by * 3), static_cast<uint8_t>((bx + by) % 2 ? 250 : 5)};
        });
        Decoded image;
        Decode(jpeg, image);
        ASSERT_NE(nullptr, image.pixels);
        EXPECT_EQ(c.width, image.width);
        EXPECT_EQ(c.height, image.height);
        for (int y = 0; y < c.height; y += 8) {
            for (int x = 0; x < c.width; x += 8) {
                const unsigned char* p = image.pixels + 3 * (y * c.width + x);
                int bx = x / 8, by = y / 8;
                EXPECT_NEAR((bx * 7) % 256, p[0], 3);
                EXPECT_NEAR(255 - by * 3, p[1], 3);
                EXPECT_NEAR((bx + by) % 2 ? 250 : 5, p[2], 3);
            }
        }
    }
}

TEST(JpegWriterTest, RefusesImpossibleSizes)
{
    EXPECT_TRUE(SolidJpeg(0, 8, Rgb{1, 2, 3}).empty());
    EXPECT_TRUE(SolidJpeg(8, 70000, Rgb{1, 2, 3}).empty());
}

} // namespace
