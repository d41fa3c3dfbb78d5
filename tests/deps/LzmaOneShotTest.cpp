// The one-shot LZMA wrappers round-trip data and refuse damaged input.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "LzmaOneShot.h"

namespace
{
std::vector<unsigned char> MixedBytes(size_t n)
{
	std::vector<unsigned char> data(n);
	uint32_t x = 12345;
	for (size_t i = 0; i < n; ++i)
	{
		x = x * 1103515245u + 12345u;
		data[i] = (i % 3 == 0) ? static_cast<unsigned char>('a' + i % 7) : static_cast<unsigned char>(x >> 24);
	}
	return data;
}
}

TEST(LzmaOneShot, RoundTripsAtSeveralSizes)
{
	for (size_t n : {size_t(0), size_t(1), size_t(1000), size_t(300000)})
	{
		std::vector<unsigned char> src = MixedBytes(n);
		std::vector<unsigned char> packed(n + n / 3 + 256);
		unsigned char props[LZMA_PROPS_SIZE];
		size_t packedLen = packed.size(), propsLen = sizeof(props);
		ASSERT_EQ(0, LzmaCompress(packed.data(), &packedLen, src.data(), src.size(), props, &propsLen,
		                          5, 1 << 20, 3, 0, 2, 32, 1));
		ASSERT_EQ(size_t(LZMA_PROPS_SIZE), propsLen);

		std::vector<unsigned char> out(n + 1);
		size_t outLen = n, inLen = packedLen;
		ASSERT_EQ(0, LzmaUncompress(out.data(), &outLen, packed.data(), &inLen, props, propsLen));
		ASSERT_EQ(n, outLen);
		out.resize(n);
		EXPECT_EQ(src, out);
	}
}

TEST(LzmaOneShot, TruncatedInputFails)
{
	std::vector<unsigned char> src = MixedBytes(50000);
	std::vector<unsigned char> packed(60000);
	unsigned char props[LZMA_PROPS_SIZE];
	size_t packedLen = packed.size(), propsLen = sizeof(props);
	ASSERT_EQ(0, LzmaCompress(packed.data(), &packedLen, src.data(), src.size(), props, &propsLen,
	                          5, 1 << 20, 3, 0, 2, 32, 1));
	std::vector<unsigned char> out(src.size());
	size_t outLen = out.size(), inLen = packedLen / 2;
	EXPECT_NE(0, LzmaUncompress(out.data(), &outLen, packed.data(), &inLen, props, propsLen));
}
