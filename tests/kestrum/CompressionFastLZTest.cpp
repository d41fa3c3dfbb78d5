// FastLZ blocks: round trips at both levels over data shapes that reach every instruction form
// (literal runs, short and long matches, level-2 far matches), the wrappers' buffer handling, and
// malformed, truncated and random blocks that must fail without touching memory outside the ranges.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "Kestrum/Utility/CompressionFastLZ.h"

namespace FastLZ = Kestrum::Compression::FastLZ;
using Kestrum::AutoBuffer;
using Kestrum::Buffer;
using Bytes = std::vector<unsigned char>;

namespace
{
	uint32_t Next(uint32_t& x)
	{
		x ^= x << 13;
		x ^= x >> 17;
		x ^= x << 5;
		return x;
	}

	enum Shape
	{
		Zeros,
		Noise,
		Text,
		FarRepeat, // a noise block repeated 20000 bytes later: only level 2 reaches it
	};

	Bytes Make(Shape shape, size_t n)
	{
		Bytes data(n);
		uint32_t x = 12345 + static_cast<uint32_t>(n);
		for (size_t i = 0; i < n; ++i)
		{
			switch (shape)
			{
			case Zeros:
				data[i] = 0;
				break;
			case Noise:
				data[i] = static_cast<unsigned char>(Next(x));
				break;
			case Text:
				data[i] = static_cast<unsigned char>("the quick brown fox jumps over the lazy zorvan "[(i * 7 + Next(x) % 3) % 47]);
				break;
			case FarRepeat:
				data[i] = i >= 20000 ? data[i - 20000] : static_cast<unsigned char>(Next(x));
				break;
			}
		}
		return data;
	}

	Bytes Compress(int iLevel, const Bytes& src)
	{
		Bytes out(src.size() + src.size() / 32 + 16);
		int iLen = fastlz_compress_level(iLevel, src.data(), static_cast<int>(src.size()), out.data());
		out.resize(static_cast<size_t>(iLen));
		return out;
	}

	// Decompresses into a block of exactly iRoom bytes, so any write past it is caught.
	int Decompress(const Bytes& block, size_t iRoom, Bytes& out)
	{
		out.assign(iRoom, 0);
		return fastlz_decompress(block.data(), static_cast<int>(block.size()), iRoom ? out.data() : nullptr,
		                         static_cast<int>(iRoom));
	}
}

TEST(FastLZ, RoundTripsAtBothLevels)
{
	const size_t sizes[] = {1, 2, 3, 4, 5, 12, 13, 40, 265, 266, 1000, 65535, 65536, 100000};
	for (Shape shape : {Zeros, Noise, Text, FarRepeat})
		for (size_t n : sizes)
			for (int iLevel : {1, 2})
			{
				SCOPED_TRACE(testing::Message() << "shape " << shape << " size " << n << " level " << iLevel);
				Bytes src = Make(shape, n);
				Bytes block = Compress(iLevel, src);
				ASSERT_GE(block.size(), 1u);
				ASSERT_LE(block.size(), n + n / 32 + 16);
				EXPECT_EQ(iLevel == 2 && n >= 4 ? 1 : 0, block[0] >> 5);

				Bytes out;
				ASSERT_EQ(static_cast<int>(n), Decompress(block, n, out));
				ASSERT_EQ(src, out);
				EXPECT_EQ(-1, Decompress(block, n - 1, out));
			}
}

TEST(FastLZ, BlockFormAndLevelChoice)
{
	// Short inputs are one literal run; empty input gives nothing.
	unsigned char out[8];
	EXPECT_EQ(4, fastlz_compress("abc", 3, out));
	EXPECT_EQ(0, memcmp(out, "\x02" "abc", 4));
	EXPECT_EQ(2, fastlz_compress("z", 1, out));
	EXPECT_EQ(0, fastlz_compress("", 0, out));
	EXPECT_EQ(0, fastlz_compress_level(3, "abcd", 4, out));

	// Level 2 reaches a repeat 20000 bytes back; level 1 cannot.
	Bytes far = Make(FarRepeat, 40000);
	EXPECT_LT(Compress(2, far).size(), 21000u);
	EXPECT_GT(Compress(1, far).size(), 40000u);

	Bytes small = Make(Text, 65535), large = Make(Text, 65536);
	Bytes packed(70000);
	fastlz_compress(small.data(), 65535, packed.data());
	EXPECT_EQ(0, packed[0] >> 5);
	fastlz_compress(large.data(), 65536, packed.data());
	EXPECT_EQ(1, packed[0] >> 5);
}

TEST(FastLZ, Is)
{
	const unsigned char bytes[] = {0x1F, 0x40, 0x00};
	EXPECT_FALSE(FastLZ::Is(bytes, 1));
	EXPECT_TRUE(FastLZ::Is(bytes, 2));
	EXPECT_FALSE(FastLZ::Is(bytes + 1, 2));
	EXPECT_FALSE(FastLZ::Is(nullptr, 2));
}

TEST(FastLZ, CompressWrapperUsesLevelTwoAndAppends)
{
	AutoBuffer empty;
	EXPECT_FALSE(FastLZ::Compress("x", 0, empty));

	// One byte needs two: more than 1.5 times the input.
	AutoBuffer one;
	ASSERT_TRUE(FastLZ::Compress("x", 1, one));
	EXPECT_EQ(2u, one.GetWritten());

	Bytes src = Make(Text, 100000);
	AutoBuffer target;
	target.WriteString("hdr");
	ASSERT_TRUE(FastLZ::Compress(src.data(), static_cast<uint32_t>(src.size()), target));
	EXPECT_EQ(target.GetWritten(), target.GetPos());
	EXPECT_EQ(1, *target.GetBase(4) >> 5);

	AutoBuffer out;
	ASSERT_TRUE(FastLZ::Extract(target.GetBase(4), target.GetWritten() - 4, out));
	EXPECT_EQ(src, Bytes(out.GetBase(), out.GetBase() + out.GetWritten()));

	// Incompressible input fits a plain buffer of the worst-case size.
	Bytes noise = Make(Noise, 4096);
	Bytes block(4096 + 4096 / 2);
	Buffer plain(block.data(), static_cast<uint32_t>(block.size()));
	plain.Clear();
	EXPECT_TRUE(FastLZ::Compress(noise.data(), 4096, plain));
	EXPECT_GT(plain.GetWritten(), 4096u);
}

TEST(FastLZ, ExtractGrowsTheTargetByAFifth)
{
	Bytes src = Make(Text, 50000);
	Bytes block = Compress(2, src);

	AutoBuffer exact(50000);
	ASSERT_TRUE(FastLZ::Extract(block.data(), static_cast<uint32_t>(block.size()), exact));
	EXPECT_EQ(50000u, exact.GetSize());
	EXPECT_EQ(50000u, exact.GetWritten());

	// Starts at the block's size and grows by a fifth per attempt until the output fits.
	AutoBuffer grown;
	ASSERT_TRUE(FastLZ::Extract(block.data(), static_cast<uint32_t>(block.size()), grown));
	EXPECT_EQ(src, Bytes(grown.GetBase(), grown.GetBase() + grown.GetWritten()));
	uint32_t iExpected = static_cast<uint32_t>(block.size());
	while (iExpected < 50000)
		iExpected = static_cast<uint32_t>(static_cast<float>(iExpected) * 1.2f);
	EXPECT_EQ(iExpected, grown.GetSize());

	// Extraction appends at the position.
	AutoBuffer appended;
	appended.WriteString("ab");
	ASSERT_TRUE(FastLZ::Extract(block.data(), static_cast<uint32_t>(block.size()), appended));
	EXPECT_EQ(50003u, appended.GetWritten());
	EXPECT_EQ(0, memcmp(appended.GetBase(3), src.data(), src.size()));

	// A plain buffer cannot grow; a tiny target cannot grow by a fifth either.
	Bytes room(1000);
	Buffer plain(room.data(), 1000);
	plain.Clear();
	EXPECT_FALSE(FastLZ::Extract(block.data(), static_cast<uint32_t>(block.size()), plain));
	// 'a' then an 8-byte repeat of it: 4 bytes that decode to 9.
	const Bytes tinyBlock = {0x00, 'a', 0xC0, 0x00};
	Bytes nine;
	ASSERT_EQ(9, Decompress(tinyBlock, 9, nine));
	AutoBuffer tiny;
	EXPECT_FALSE(FastLZ::Extract(tinyBlock.data(), static_cast<uint32_t>(tinyBlock.size()), tiny));
}

TEST(FastLZ, PositionPastTheSizeDoesNotWrap)
{
	Bytes block = Compress(1, Make(Text, 200));
	Bytes room(300);
	Buffer plain(room.data(), 300);
	plain.SetPos(400);
	plain.SetWritten(0);
	EXPECT_FALSE(FastLZ::Extract(block.data(), static_cast<uint32_t>(block.size()), plain));
	EXPECT_EQ(400u, plain.GetPos());
	EXPECT_EQ(0u, plain.GetWritten());

	plain.SetPos(0xFFFFFFF0u);
	EXPECT_FALSE(FastLZ::Compress(room.data(), 100, plain));
	EXPECT_EQ(0xFFFFFFF0u, plain.GetPos());
}

TEST(FastLZ, MalformedBlocksAreRefused)
{
	struct Case
	{
		const char* pWhat;
		Bytes block;
	};
	const Case cases[] = {
		{"level 4 mark", {0x60, 'a', 'b'}},
		{"level 3 mark", {0x40, 'a', 'b'}},
		{"literal run past the end", {0x05, 'a', 'b'}},
		{"match before the start", {0x00, 'a', 0x20, 0x05}},
		{"match missing its distance byte", {0x00, 'a', 0x20}},
		{"level-1 long match missing its length byte", {0x01, 'a', 'b', 0xE0}},
		{"level-2 length bytes run off the end", {0x21, 'a', 'b', 0xE0, 0xFF, 0xFF}},
		{"level-2 far distance cut short", {0x21, 'a', 'b', 0x3F, 0xFF, 0x01}},
		{"level-2 far distance before the start", {0x21, 'a', 'b', 0x3F, 0xFF, 0x00, 0x00}},
	};
	for (const Case& c : cases)
	{
		SCOPED_TRACE(c.pWhat);
		Bytes out;
		EXPECT_EQ(0, Decompress(c.block, 64, out));
		AutoBuffer target;
		EXPECT_FALSE(FastLZ::Extract(c.block.data(), static_cast<uint32_t>(c.block.size()), target));
		EXPECT_EQ(0u, target.GetWritten());
	}
	Bytes out;
	EXPECT_EQ(0, fastlz_decompress(nullptr, 4, nullptr, 0));
	EXPECT_EQ(0, Decompress(Bytes{0x00}, 4, out));

	// Every truncation of a real block fails (or, cut at an instruction edge, decodes a prefix).
	Bytes src = Make(Text, 3000);
	for (int iLevel : {1, 2})
	{
		Bytes block = Compress(iLevel, src);
		for (size_t iCut = 1; iCut < block.size(); ++iCut)
		{
			Bytes cut(block.begin(), block.begin() + iCut);
			int iResult = Decompress(cut, src.size(), out);
			ASSERT_GE(iResult, 0);
			ASSERT_LT(iResult, static_cast<int>(src.size()));
			ASSERT_TRUE(std::equal(out.begin(), out.begin() + iResult, src.begin()));
		}
	}
}

TEST(FastLZ, RandomAndMutatedBlocksStayInBounds)
{
	Bytes src = Make(Text, 5000);
	Bytes good[2] = {Compress(1, src), Compress(2, src)};
	uint32_t x = 4242;
	for (int iRound = 0; iRound < 3000; ++iRound)
	{
		Bytes block;
		if (iRound % 2 == 0)
		{
			block.resize(1 + Next(x) % 300);
			for (auto& b : block)
				b = static_cast<unsigned char>(Next(x));
			block[0] &= 0x3F;
		}
		else
		{
			block = good[iRound % 4 == 1];
			for (int k = 0; k < 3; ++k)
				block[Next(x) % block.size()] ^= static_cast<unsigned char>(1 + Next(x) % 255);
		}
		size_t iRoom = Next(x) % 8000;
		Bytes out;
		int iResult = Decompress(block, iRoom, out);
		ASSERT_GE(iResult, -1);
		ASSERT_LE(iResult, static_cast<int>(iRoom));
	}
}
