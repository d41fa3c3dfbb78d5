// CLZMA: engine LZMA blocks built with the LZMA SDK's encoder, and damaged or hostile blocks.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "LzmaOneShot.h"
#include "tier1/lzmaDecoder.h"

namespace
{
typedef std::vector<unsigned char> Bytes;

Bytes Sample(size_t n)
{
	Bytes data(n);
	uint32_t x = 7;
	for (size_t i = 0; i < n; ++i)
	{
		x = x * 1664525u + 1013904223u;
		data[i] = (i % 4 == 0) ? static_cast<unsigned char>(x >> 24) : static_cast<unsigned char>("zorvan"[i % 6]);
	}
	return data;
}

void Put32(Bytes &out, size_t at, uint32_t v)
{
	for (int i = 0; i < 4; ++i)
		out[at + i] = static_cast<unsigned char>(v >> (8 * i));
}

// An engine block of data, compressed with the given literal/position settings.
Bytes MakeBlock(const Bytes &data, int lc = -1, int lp = -1, int pb = -1)
{
	Bytes packed(data.size() + data.size() / 2 + 1024);
	size_t packedSize = packed.size();
	unsigned char props[LZMA_PROPS_SIZE];
	size_t propsSize = sizeof(props);
	EXPECT_EQ(LzmaCompress(packed.data(), &packedSize, data.data(), data.size(), props, &propsSize, 5, 1 << 16, lc,
				  lp, pb, -1, 1),
		0);
	Bytes block(CLZMA::kHeaderSize + packedSize);
	block[0] = 'L';
	block[1] = 'Z';
	block[2] = 'M';
	block[3] = 'A';
	Put32(block, 4, static_cast<uint32_t>(data.size()));
	Put32(block, 8, static_cast<uint32_t>(packedSize));
	for (size_t i = 0; i < LZMA_PROPS_SIZE; ++i)
		block[12 + i] = props[i];
	std::copy(packed.begin(), packed.begin() + static_cast<long>(packedSize), block.begin() + CLZMA::kHeaderSize);
	return block;
}

unsigned Uncompress(const Bytes &block, Bytes &out)
{
	return CLZMA::Uncompress(block.data(), block.size(), out.data(), out.size());
}
}

TEST(Lzma, RecognisesHeader)
{
	Bytes block = MakeBlock(Sample(1000));
	EXPECT_TRUE(CLZMA::IsCompressed(block.data(), block.size()));
	EXPECT_EQ(CLZMA::GetActualSize(block.data(), block.size()), 1000u);
	EXPECT_FALSE(CLZMA::IsCompressed(block.data(), 3));
	EXPECT_EQ(CLZMA::GetActualSize(block.data(), 7), 0u);
	EXPECT_FALSE(CLZMA::IsCompressed(nullptr, 100));
	const unsigned char other[8] = {'L', 'Z', 'M', 'B', 1, 0, 0, 0};
	EXPECT_FALSE(CLZMA::IsCompressed(other, sizeof(other)));
	EXPECT_EQ(CLZMA::GetActualSize(other, sizeof(other)), 0u);
}

TEST(Lzma, RoundTripsSizesAndPropertySettings)
{
	struct Case
	{
		size_t size;
		int lc, lp, pb;
		unsigned char propertyByte;
	};
	const Case cases[] = {
		{1, 3, 0, 2, 93}, {1000, 3, 0, 2, 93}, {200000, 3, 0, 2, 93}, {5000, 0, 2, 0, 18}, {5000, 8, 4, 4, 224},
	};
	for (const Case &c : cases)
	{
		Bytes data = Sample(c.size);
		Bytes block = MakeBlock(data, c.lc, c.lp, c.pb);
		EXPECT_EQ(block[12], c.propertyByte);
		Bytes out(c.size);
		ASSERT_EQ(Uncompress(block, out), c.size) << c.size;
		EXPECT_EQ(out, data);
	}
}

TEST(Lzma, RefusesHeadersThatClaimTooMuch)
{
	const Bytes data = Sample(4000);
	const Bytes good = MakeBlock(data);
	Bytes out(data.size());

	Bytes block = good;
	block.resize(block.size() - 1);  // compressed size claims one byte more than given
	EXPECT_EQ(Uncompress(block, out), 0u);

	Bytes small(data.size() - 1);  // actual size larger than the room given
	EXPECT_EQ(Uncompress(good, small), 0u);

	block = good;
	Put32(block, 8, 0xFFFFFFFF);
	EXPECT_EQ(Uncompress(block, out), 0u);

	block = good;
	Put32(block, 4, 0);
	EXPECT_EQ(Uncompress(block, out), 0u);

	block = good;
	block[12] = 225;
	EXPECT_EQ(Uncompress(block, out), 0u);

	// The data decodes to fewer bytes than the actual size claims.
	block = good;
	Put32(block, 4, static_cast<uint32_t>(data.size() + 100));
	Bytes larger(data.size() + 100);
	EXPECT_EQ(Uncompress(block, larger), 0u);

	EXPECT_EQ(CLZMA::Uncompress(good.data(), CLZMA::kHeaderSize - 1, out.data(), out.size()), 0u);
	EXPECT_EQ(CLZMA::Uncompress(good.data(), good.size(), nullptr, out.size()), 0u);
	EXPECT_EQ(CLZMA::Uncompress(nullptr, good.size(), out.data(), out.size()), 0u);
}

TEST(Lzma, DamagedBlocksNeverWriteBeyondTheOutput)
{
	const Bytes data = Sample(3000);
	const Bytes good = MakeBlock(data);
	uint32_t x = 99;
	for (size_t at = CLZMA::kHeaderSize; at < good.size(); at += 7)
	{
		Bytes block = good;
		x = x * 1103515245u + 12345u;
		block[at] ^= static_cast<unsigned char>(1 + (x >> 24) % 255);
		Bytes out(data.size());  // exactly the room claimed: ASan sees any overrun
		unsigned result = Uncompress(block, out);
		EXPECT_TRUE(result == 0 || result == data.size());
	}

	// Random bytes behind a valid-looking header, with a huge dictionary claim.
	for (int round = 0; round < 50; ++round)
	{
		Bytes block(CLZMA::kHeaderSize + 500);
		for (unsigned char &b : block)
		{
			x = x * 1103515245u + 12345u;
			b = static_cast<unsigned char>(x >> 24);
		}
		block[0] = 'L';
		block[1] = 'Z';
		block[2] = 'M';
		block[3] = 'A';
		Put32(block, 4, 2000);
		Put32(block, 8, 500);
		block[12] = static_cast<unsigned char>(round % 225);
		Put32(block, 13, 0xFFFFFFFF);
		Bytes out(2000);
		unsigned result = Uncompress(block, out);
		EXPECT_TRUE(result == 0 || result == 2000);
	}
}
