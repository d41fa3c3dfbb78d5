// TGA reader: decoding of each image kind from files built in the test, the refusals, and a
// deterministic loop of truncated and mutated files that must decode or fail cleanly.
#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <vector>

#include "vgui_controls/TGALoader.h"

namespace
{
typedef std::vector<unsigned char> Bytes;

struct TgaSpec
{
	uint8_t idLength = 0;
	uint8_t imageType = 2;
	uint16_t mapLength = 0;
	uint8_t mapBits = 0;
	uint16_t width = 0, height = 0;
	uint8_t pixelBits = 24;
	uint8_t descriptor = 0;
};

Bytes Build(const TgaSpec &s, const Bytes &map = {}, const Bytes &pixels = {})
{
	Bytes f = { s.idLength, 0, s.imageType, 0, 0, uint8_t(s.mapLength & 0xFF), uint8_t(s.mapLength >> 8), s.mapBits,
		0, 0, 0, 0, uint8_t(s.width & 0xFF), uint8_t(s.width >> 8), uint8_t(s.height & 0xFF), uint8_t(s.height >> 8),
		s.pixelBits, s.descriptor };
	for (int i = 0; i < s.idLength; ++i)
		f.push_back(uint8_t(0xA0 + i));
	f.insert(f.end(), map.begin(), map.end());
	f.insert(f.end(), pixels.begin(), pixels.end());
	return f;
}

struct Decoded
{
	bool ok = false;
	int width = -7, height = -7;
	Bytes rgba;
};

Decoded Load(const Bytes &file)
{
	CUtlBuffer buf(file.data(), int(file.size()), CUtlBuffer::READ_ONLY);
	CUtlMemory<unsigned char, int> mem;
	Decoded d;
	d.ok = TGALoader::LoadRGBA8888(buf, mem, d.width, d.height);
	if (d.ok)
	{
		EXPECT_GE(mem.NumAllocated(), d.width * d.height * 4);
		d.rgba.assign(mem.Base(), mem.Base() + d.width * d.height * 4);
	}
	return d;
}

// RGBA of pixel (x, y), top row first.
Bytes At(const Decoded &d, int x, int y)
{
	const unsigned char *p = d.rgba.data() + (y * d.width + x) * 4;
	return Bytes(p, p + 4);
}
}

TEST(TGALoaderTest, TrueColourRowsComeOutTopFirst)
{
	// 2x2, 24-bit, file holds the bottom row first (descriptor 0).
	TgaSpec s;
	s.width = 2, s.height = 2;
	const Bytes px = { 1, 2, 3, 4, 5, 6, /* bottom */ 7, 8, 9, 10, 11, 12 /* top */ };
	Decoded d = Load(Build(s, {}, px));
	ASSERT_TRUE(d.ok);
	EXPECT_EQ(2, d.width);
	EXPECT_EQ(2, d.height);
	EXPECT_EQ((Bytes{ 9, 8, 7, 255 }), At(d, 0, 0));
	EXPECT_EQ((Bytes{ 12, 11, 10, 255 }), At(d, 1, 0));
	EXPECT_EQ((Bytes{ 3, 2, 1, 255 }), At(d, 0, 1));

	// The same with descriptor bit 0x20 and 32-bit pixels: the first row is the top one.
	s.pixelBits = 32, s.descriptor = 0x20;
	d = Load(Build(s, {}, { 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16 }));
	ASSERT_TRUE(d.ok);
	EXPECT_EQ((Bytes{ 3, 2, 1, 4 }), At(d, 0, 0));
	EXPECT_EQ((Bytes{ 15, 14, 13, 16 }), At(d, 1, 1));

	// An id field of 5 bytes is skipped.
	s.idLength = 5;
	Decoded withId = Load(Build(s, {}, { 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16 }));
	ASSERT_TRUE(withId.ok);
	EXPECT_EQ(d.rgba, withId.rgba);
}

TEST(TGALoaderTest, RunPacketCarriesIntoTheNextRow)
{
	// 3x2 run-length 24-bit, top first: a run of 5 then a raw packet of 1.
	TgaSpec s;
	s.imageType = 10, s.width = 3, s.height = 2, s.descriptor = 0x20;
	Decoded d = Load(Build(s, {}, { 0x84, 10, 20, 30, 0x00, 40, 50, 60 }));
	ASSERT_TRUE(d.ok);
	for (int i = 0; i < 5; ++i)
		EXPECT_EQ((Bytes{ 30, 20, 10, 255 }), At(d, i % 3, i / 3)) << i;
	EXPECT_EQ((Bytes{ 60, 50, 40, 255 }), At(d, 2, 1));
}

TEST(TGALoaderTest, ColourMapsAndGrey)
{
	struct Case
	{
		const char *name;
		uint8_t type, mapBits;
		uint16_t mapLength;
		Bytes map, pixels, expectFirst;
		bool ok;
	};
	Bytes map32(1024), map32Over(1028), map24 = { 1, 2, 3, 4, 5, 6 }, map8 = { 9, 77 };
	map32[4] = 11, map32[5] = 22, map32[6] = 33, map32[7] = 44;
	const Case cases[] = {
		{ "256 entries of 32 bits fit", 1, 32, 256, map32, { 1 }, { 33, 22, 11, 44 }, true },
		{ "257 entries do not", 1, 32, 257, map32Over, { 1 }, {}, false },
		{ "24-bit map", 1, 24, 2, map24, { 1 }, { 6, 5, 4, 255 }, true },
		{ "8-bit map", 1, 8, 2, map8, { 1 }, { 77, 77, 77, 255 }, true },
		{ "index past a short map reads black", 1, 24, 2, map24, { 200 }, { 0, 0, 0, 255 }, true },
		{ "16-bit map is not decoded", 1, 16, 2, { 1, 2, 3, 4 }, { 1 }, {}, false },
		{ "grey", 3, 0, 0, {}, { 99 }, { 99, 99, 99, 255 }, true },
		{ "type 3 with a map indexes it", 3, 8, 2, map8, { 1 }, { 77, 77, 77, 255 }, true },
		{ "run-length grey", 9, 0, 0, {}, { 0x80, 42 }, { 42, 42, 42, 255 }, true },
		{ "run-length indexed", 9, 24, 2, map24, { 0x00, 1 }, { 6, 5, 4, 255 }, true },
		{ "type 11 fails", 11, 0, 0, {}, { 0x80, 42 }, {}, false },
		{ "type 0 fails", 0, 0, 0, {}, {}, {}, false },
		{ "type 5 fails", 5, 0, 0, {}, {}, {}, false },
		{ "type 10 with a map fails", 10, 24, 2, map24, { 0x80, 1, 2, 3 }, {}, false },
	};
	for (const Case &c : cases)
	{
		TgaSpec s;
		s.imageType = c.type, s.mapBits = c.mapBits, s.mapLength = c.mapLength, s.width = 1, s.height = 1;
		s.pixelBits = c.type == 10 ? 24 : 8;
		Decoded d = Load(Build(s, c.map, c.pixels));
		EXPECT_EQ(c.ok, d.ok) << c.name;
		if (c.ok && d.ok)
		{
			EXPECT_EQ(c.expectFirst, At(d, 0, 0)) << c.name;
		}
		if (!c.ok)
		{
			EXPECT_EQ(-7, d.width) << c.name;  // untouched on failure
		}
	}
}

TEST(TGALoaderTest, UnsupportedPixelSizesFail)
{
	for (uint8_t type : { 2, 10 })
		for (uint8_t bits : { 0, 8, 15, 16, 33 })
		{
			TgaSpec s;
			s.imageType = type, s.width = 1, s.height = 1, s.pixelBits = bits;
			EXPECT_FALSE(Load(Build(s, {}, Bytes(8, 1))).ok) << int(type) << "/" << int(bits);
		}
	// The 8-bit types take one byte per pixel whatever the header says, also run-length.
	TgaSpec s;
	s.imageType = 9, s.width = 4, s.height = 1, s.pixelBits = 0;
	Decoded d = Load(Build(s, {}, { 0x83, 5 }));
	ASSERT_TRUE(d.ok);
	EXPECT_EQ((Bytes{ 5, 5, 5, 255 }), At(d, 3, 0));
}

TEST(TGALoaderTest, SizesAreCheckedBeforeAllocating)
{
	// 65535 x 65535 from an 18-byte file: refused without touching the memory.
	TgaSpec s;
	s.width = 65535, s.height = 65535;
	Decoded d = Load(Build(s));
	EXPECT_FALSE(d.ok);
	EXPECT_EQ(-7, d.height);

	// The largest accepted size is kMaxPixelBytes; one row more is refused.
	s.imageType = 3, s.width = 8192, s.height = 8193, s.pixelBits = 8;
	EXPECT_FALSE(Load(Build(s)).ok);

	// Memory over an outside buffer that is too small cannot grow: refused, not overrun.
	s.width = 4, s.height = 4;
	Bytes file = Build(s, {}, Bytes(16, 7));
	unsigned char outside[32] = {};
	CUtlMemory<unsigned char, int> small(outside, sizeof(outside));
	CUtlBuffer buf(file.data(), int(file.size()), CUtlBuffer::READ_ONLY);
	int w = 0, h = 0;
	EXPECT_FALSE(TGALoader::LoadRGBA8888(buf, small, w, h));
	unsigned char enough[64] = {};
	CUtlMemory<unsigned char, int> fits(enough, sizeof(enough));
	CUtlBuffer again(file.data(), int(file.size()), CUtlBuffer::READ_ONLY);
	EXPECT_TRUE(TGALoader::LoadRGBA8888(again, fits, w, h));
	EXPECT_EQ(7, enough[60]);
}

TEST(TGALoaderTest, TruncatedPixelsReadAsZero)
{
	TgaSpec s;
	s.width = 2, s.height = 2, s.descriptor = 0x20;
	Bytes file = Build(s, {}, { 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12 });
	file.resize(file.size() - 7);
	Decoded d = Load(file);
	ASSERT_TRUE(d.ok);
	EXPECT_EQ((Bytes{ 3, 2, 1, 255 }), At(d, 0, 0));
	EXPECT_EQ((Bytes{ 0, 0, 0, 255 }), At(d, 1, 1));

	// A wide run-length image (over 2048 pixels) whose packets stop early.
	s.imageType = 10, s.width = 3000, s.height = 2, s.pixelBits = 32;
	d = Load(Build(s, {}, { 0xFF, 1, 2, 3, 4 }));
	ASSERT_TRUE(d.ok);
	EXPECT_EQ((Bytes{ 3, 2, 1, 4 }), At(d, 127, 0));
	EXPECT_EQ((Bytes{ 0, 0, 0, 0 }), At(d, 2999, 1));

	// Shorter than a header, and empty.
	EXPECT_FALSE(Load({ 0, 0, 2 }).ok);
	EXPECT_FALSE(Load({}).ok);
}

// Every prefix of a few valid files, then many random byte mutations of them: each load must
// end with a clean answer (sanitizers watch the memory) and a success must fill the image.
TEST(TGALoaderTest, HostileFilesDecodeOrFailCleanly)
{
	std::vector<Bytes> seeds;
	{
		TgaSpec s;
		s.imageType = 10, s.width = 5, s.height = 4, s.pixelBits = 32;
		seeds.push_back(Build(s, {}, { 0x83, 1, 2, 3, 4, 0x02, 9, 9, 9, 9, 8, 8, 8, 8, 7, 7, 7, 7, 0x8F, 5, 5, 5, 5 }));
		TgaSpec m;
		m.imageType = 9, m.mapLength = 4, m.mapBits = 24, m.width = 6, m.height = 3, m.pixelBits = 8, m.idLength = 3;
		seeds.push_back(Build(m, Bytes(12, 0x40), { 0x85, 2, 0x05, 0, 1, 2, 3, 0, 1, 0x86, 3 }));
		TgaSpec g;
		g.imageType = 2, g.width = 3, g.height = 3, g.descriptor = 0x20;
		seeds.push_back(Build(g, {}, Bytes(27, 0x33)));
	}
	int successes = 0;
	for (const Bytes &seed : seeds)
		for (size_t n = 0; n <= seed.size(); ++n)
			successes += Load(Bytes(seed.begin(), seed.begin() + n)).ok;

	std::mt19937 rng(20261209);
	for (int iter = 0; iter < 3000; ++iter)
	{
		Bytes f = seeds[iter % seeds.size()];
		const int edits = 1 + int(rng() % 4);
		for (int e = 0; e < edits; ++e)
		{
			const size_t at = rng() % f.size();
			switch (rng() % 4)
			{
			case 0: f[at] = uint8_t(rng()); break;
			case 1: f[at] ^= uint8_t(1u << (rng() % 8)); break;
			case 2: f[at] = (rng() & 1) ? 0xFF : 0x00; break;
			case 3: f.resize(at + 1); break;
			}
		}
		Decoded d = Load(f);
		if (d.ok)
		{
			++successes;
			EXPECT_LE(int64_t(d.width) * d.height * 4, TGALoader::kMaxPixelBytes);
		}
		else
		{
			EXPECT_EQ(-7, d.width);
		}
	}
	EXPECT_GT(successes, 100);
}

TEST(TGALoaderTest, ImageFormatRecords)
{
	const ImageLoader::ImageFormatInfo_t &rgba = ImageLoader::ImageFormatInfo(ImageLoader::IMAGE_FORMAT_RGBA8888);
	EXPECT_STREQ("RGBA8888", rgba.m_pName);
	EXPECT_EQ(4, rgba.m_NumBytes);
	EXPECT_EQ(0, ImageLoader::ImageFormatInfo(ImageLoader::ImageFormat(57)).m_NumBytes);
	EXPECT_EQ(3 * 5 * 4, ImageLoader::GetMemRequired(3, 5, 1, ImageLoader::IMAGE_FORMAT_RGBA8888, false));
	EXPECT_EQ((16 + 4 + 1) * 4, ImageLoader::GetMemRequired(4, 4, 1, ImageLoader::IMAGE_FORMAT_RGBA8888, true));
	EXPECT_EQ(0, ImageLoader::GetMemRequired(65535, 65535, 1, ImageLoader::IMAGE_FORMAT_RGBA8888, false));
}
