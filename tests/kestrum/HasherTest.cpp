// CRC-32 and MD5 against published check values, zlib, and their own split and continued forms.
#include <gtest/gtest.h>

#include <zlib.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "Kestrum/Utility/Hasher.h"
#include "Kestrum/Utility/HasherFunctions.h"

namespace CRC32 = Kestrum::Hasher::CRC32;
namespace MD5 = Kestrum::Hasher::MD5;

namespace
{
	std::vector<unsigned char> Pattern(size_t n)
	{
		std::vector<unsigned char> data(n);
		uint32_t x = 7;
		for (size_t i = 0; i < n; ++i)
		{
			x = x * 1664525u + 1013904223u;
			data[i] = static_cast<unsigned char>(x >> 24);
		}
		return data;
	}
}

TEST(HasherCRC32, CheckValueAndSeeds)
{
	EXPECT_EQ(0xCBF43926u, CRC32::Easy("123456789", 9, 0));
	EXPECT_EQ(0xCBF43926u, CRC32::String("123456789"));
	EXPECT_EQ(0u, CRC32::Easy(nullptr, 0, 0));
	EXPECT_EQ(0x12345678u, CRC32::Easy(nullptr, 0, 0x12345678u));
	EXPECT_EQ(0x12345678u, CRC32::String("", 0x12345678u));

	uint32_t iResult = 1;
	crc32("123456789", 9, 0, &iResult);
	EXPECT_EQ(0xCBF43926u, iResult);
	crc32("123456789", -5, 77, &iResult);
	EXPECT_EQ(77u, iResult);
}

TEST(HasherCRC32, MatchesZlibAtEveryAlignmentAndLength)
{
	std::vector<unsigned char> data = Pattern(300);
	for (size_t iOffset = 0; iOffset < 9; ++iOffset)
		for (size_t iLength = 0; iLength + iOffset <= data.size(); iLength += 7)
		{
			uint32_t iExpected = static_cast<uint32_t>(::crc32(0, data.data() + iOffset, static_cast<uInt>(iLength)));
			ASSERT_EQ(iExpected, CRC32::Easy(data.data() + iOffset, static_cast<uint32_t>(iLength)))
				<< iOffset << " " << iLength;
		}
}

TEST(HasherCRC32, LargeInputsMatchZlib)
{
	// Large inputs go through the multi-lane path in blocks of 20 KiB; check around its edges.
	std::vector<unsigned char> data = Pattern(70010);
	for (size_t iLength : {20479u, 20480u, 20481u, 40960u, 40967u, 69999u})
		for (size_t iOffset : {0u, 3u})
		{
			uint32_t iExpected = static_cast<uint32_t>(::crc32(0x1234, data.data() + iOffset, static_cast<uInt>(iLength)));
			ASSERT_EQ(iExpected, CRC32::Easy(data.data() + iOffset, static_cast<uint32_t>(iLength), 0x1234))
				<< iOffset << " " << iLength;
		}
}

TEST(HasherCRC32, ContinuedAndSplitFormsAgree)
{
	std::vector<unsigned char> data = Pattern(1000);
	uint32_t iWhole = CRC32::Easy(data.data(), 1000);
	for (uint32_t iCut : {0u, 1u, 7u, 8u, 333u, 1000u})
	{
		uint32_t iFirst = CRC32::Easy(data.data(), iCut);
		EXPECT_EQ(iWhole, CRC32::Easy(data.data() + iCut, 1000 - iCut, iFirst));

		uint32_t iRunning = CRC32::Start(0);
		CRC32::Add(iRunning, data.data(), iCut);
		crc32_add(&iRunning, data.data() + iCut, static_cast<int32_t>(1000 - iCut));
		CRC32::End(iRunning);
		EXPECT_EQ(iWhole, iRunning);
	}
	uint32_t iSeeded = CRC32::Start(0xDEADBEEFu);
	CRC32::Add(iSeeded, data.data(), 1000);
	CRC32::End(iSeeded);
	EXPECT_EQ(CRC32::Easy(data.data(), 1000, 0xDEADBEEFu), iSeeded);
}

TEST(HasherMD5, RfcTestSuite)
{
	struct Case
	{
		const char* pText;
		const char* pDigest;
	};
	const Case cases[] = {
		{"", "d41d8cd98f00b204e9800998ecf8427e"},
		{"a", "0cc175b9c0f1b6a831c399e269772661"},
		{"abc", "900150983cd24fb0d6963f7d28e17f72"},
		{"message digest", "f96b697d7cb7938d525a2f31aaf161d0"},
		{"abcdefghijklmnopqrstuvwxyz", "c3fcd3d76192e4007dfb496cca67e13b"},
		{"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789", "d174ab98d277d9f5a5611c2c9f419d9f"},
		{"12345678901234567890123456789012345678901234567890123456789012345678901234567890",
		 "57edf4a22be3c955ac49da2e2107b67a"},
	};
	for (const Case& c : cases)
	{
		EXPECT_EQ(c.pDigest, MD5::String(c.pText)) << c.pText;
		EXPECT_EQ(c.pDigest, MD5::Easy(c.pText, static_cast<uint32_t>(strlen(c.pText)))) << c.pText;
	}
	EXPECT_EQ("d41d8cd98f00b204e9800998ecf8427e", MD5::Easy(nullptr, 0));
}

TEST(HasherMD5, IncrementalUpdatesMatchOneShotAcrossBlockEdges)
{
	std::vector<unsigned char> data = Pattern(1000);
	for (int32_t iLength : {55, 56, 63, 64, 65, 119, 120, 128, 1000})
	{
		unsigned char whole[16];
		md5(data.data(), iLength, whole);
		for (int32_t iStep : {1, 3, 64, 100})
		{
			md5_context ctx;
			md5_starts(&ctx);
			for (int32_t i = 0; i < iLength; i += iStep)
				md5_update(&ctx, data.data() + i, std::min(iStep, iLength - i));
			unsigned char pieces[16];
			md5_finish(&ctx, pieces);
			ASSERT_EQ(0, memcmp(whole, pieces, 16)) << iLength << " " << iStep;
		}
	}
}

TEST(HasherMD5, ThirtyTwoBitFormsAreTheDigestsFirstWord)
{
	unsigned char digest[16];
	md5("abc", 3, digest);
	uint32_t iFirst = uint32_t(digest[0]) | uint32_t(digest[1]) << 8 | uint32_t(digest[2]) << 16 | uint32_t(digest[3]) << 24;
	EXPECT_EQ(0x98500190u, iFirst);
	for (uint32_t iSeed : {0u, 1u, 0xFFFFFFFFu})
	{
		EXPECT_EQ(iFirst, md5hash("abc", 3, iSeed));
		uint32_t iResult = 0;
		md5_32("abc", 3, iSeed, &iResult);
		EXPECT_EQ(iFirst, iResult);
	}
}
