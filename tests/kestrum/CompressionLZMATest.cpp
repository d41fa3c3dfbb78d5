// The Kestrum LZMA stream: layout, round trips in memory and to files, header checks, and damaged,
// truncated and hostile streams that must fail cleanly (and leave no file behind).
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "Kestrum/Utility/CompressionLZMA.h"

namespace LZMA = Kestrum::Compression::LZMA;
using Kestrum::AutoBuffer;
using Kestrum::Buffer;
using Bytes = std::vector<unsigned char>;

namespace
{
	struct TempDir
	{
		std::string path;
		TempDir()
		{
			char pattern[] = "/tmp/kestrum-lzma-XXXXXX";
			path = mkdtemp(pattern);
		}
		~TempDir() { std::filesystem::remove_all(path); }
		std::string File(const char* pName) const { return path + "/" + pName; }
	};

	Bytes Mixed(size_t n, uint32_t seed = 1)
	{
		Bytes data(n);
		uint32_t x = seed;
		for (size_t i = 0; i < n; ++i)
		{
			x = x * 1103515245u + 12345u;
			data[i] = (i % 4 == 0) ? static_cast<unsigned char>(x >> 24) : static_cast<unsigned char>("kestrum "[i % 8]);
		}
		return data;
	}

	Bytes Pack(const Bytes& src, int iLevel = 5, int iDict = 1 << 16)
	{
		AutoBuffer buffer;
		EXPECT_TRUE(LZMA::Compress(src.data(), static_cast<uint32_t>(src.size()), buffer, iLevel, iDict));
		return Bytes(buffer.GetBase(), buffer.GetBase() + buffer.GetWritten());
	}

	bool ReadFile(const std::string& strName, Bytes& out)
	{
		std::ifstream in(strName, std::ios::binary);
		if (!in)
			return false;
		out.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
		return true;
	}

	void Put32(Bytes& stream, size_t iOffset, uint32_t v)
	{
		for (int i = 0; i < 4; ++i)
			stream[iOffset + i] = static_cast<unsigned char>(v >> (8 * i));
	}

	bool ExtractsTo(const Bytes& stream, Bytes& out)
	{
		AutoBuffer buffer;
		if (!LZMA::Extract(stream.data(), static_cast<uint32_t>(stream.size()), buffer))
			return false;
		out.clear();
		if (buffer.GetWritten() != 0)
			out.assign(buffer.GetBase(), buffer.GetBase() + buffer.GetWritten());
		return true;
	}
}

TEST(CompressionLZMA, RoundTripsInMemoryAndToFiles)
{
	TempDir dir;
	for (size_t n : {size_t(0), size_t(1), size_t(1000), size_t(200000)})
	{
		SCOPED_TRACE(n);
		Bytes src = Mixed(n);

		// Compression appends after what the target already holds.
		AutoBuffer packed;
		packed.WriteString("ab");
		ASSERT_TRUE(LZMA::Compress(src.data(), static_cast<uint32_t>(n), packed, 5, 1 << 16));
		ASSERT_GE(packed.GetWritten(), 3u + LZMA::HeaderSize);
		EXPECT_EQ(packed.GetWritten(), packed.GetPos());
		EXPECT_EQ(0, memcmp(packed.GetBase(), "ab", 3));
		const unsigned char* pStream = packed.GetBase(3);
		const uint32_t iStreamLen = packed.GetWritten() - 3;
		EXPECT_EQ((2 * 5 + 0) * 9 + 3, pStream[0]);
		EXPECT_EQ(n, uint32_t(pStream[5]) | uint32_t(pStream[6]) << 8 | uint32_t(pStream[7]) << 16 | uint32_t(pStream[8]) << 24);
		EXPECT_EQ(0, pStream[9] | pStream[10] | pStream[11] | pStream[12]);

		AutoBuffer out;
		out.WriteType<uint32_t>(0x11223344u);
		ASSERT_TRUE(LZMA::Extract(pStream, iStreamLen, out));
		ASSERT_EQ(4 + n, out.GetWritten());
		EXPECT_EQ(4 + n, out.GetPos());
		EXPECT_TRUE(std::equal(src.begin(), src.end(), out.GetBase(4)));

		std::string strFile = dir.File("out.bin");
		ASSERT_TRUE(LZMA::ExtractToFile(pStream, iStreamLen, strFile));
		Bytes fromFile;
		ASSERT_TRUE(ReadFile(strFile, fromFile));
		EXPECT_EQ(src, fromFile);
	}
}

TEST(CompressionLZMA, FileExtractionRunsManyStepsThroughAWrappingWindow)
{
	// 5 MiB through 2 MiB steps, with a window (64 KiB dictionary) far smaller than the output.
	Bytes src(5 << 20);
	Bytes block = Mixed(40000, 9);
	for (size_t i = 0; i < src.size(); ++i)
		src[i] = static_cast<unsigned char>(block[i % block.size()] + (i / 1000000));
	Bytes stream = Pack(src, 1, 1 << 16);

	TempDir dir;
	std::string strFile = dir.File("big.bin");
	ASSERT_TRUE(LZMA::ExtractToFile(stream.data(), static_cast<uint32_t>(stream.size()), strFile));
	Bytes fromFile;
	ASSERT_TRUE(ReadFile(strFile, fromFile));
	EXPECT_TRUE(src == fromFile);
}

TEST(CompressionLZMA, HeaderChecks)
{
	struct Case
	{
		const char* pWhat;
		unsigned char iProp0;
		uint32_t iDict;
		bool bValid;
	};
	const Case cases[] = {
		{"usual", 93, 1 << 16, true},    {"largest property byte", 224, 4096, true},
		{"property byte 225", 225, 1 << 16, false}, {"dictionary 4095", 93, 4095, false},
		{"dictionary 4096", 93, 4096, true},
	};
	for (const Case& c : cases)
	{
		SCOPED_TRACE(c.pWhat);
		unsigned char props[5] = {c.iProp0, 0, 0, 0, 0};
		for (int i = 0; i < 4; ++i)
			props[1 + i] = static_cast<unsigned char>(c.iDict >> (8 * i));
		EXPECT_EQ(c.bValid, LZMA::PropsAreValid(props));
	}

	Bytes src = Mixed(3000);
	Bytes good = Pack(src);
	Bytes out;

	// A dictionary field of 4096 still decodes a stream made with a larger one when distances fit.
	Bytes smallDict = good;
	Put32(smallDict, 1, 4096);
	EXPECT_TRUE(ExtractsTo(smallDict, out));
	EXPECT_EQ(src, out);

	// The upper half of the size is ignored.
	Bytes upper = good;
	Put32(upper, 9, 0xFFFFFFFFu);
	EXPECT_TRUE(ExtractsTo(upper, out));
	EXPECT_EQ(src, out);

	TempDir dir;
	std::string strFile = dir.File("kept.bin");
	struct Bad
	{
		const char* pWhat;
		Bytes stream;
	};
	Bytes prop225 = good;
	prop225[0] = 225;
	Bytes dict4095 = good;
	Put32(dict4095, 1, 4095);
	Bytes huge = good;
	Put32(huge, 5, LZMA::MaxExtractSize + 1);
	Bytes allOnes = good;
	Put32(allOnes, 5, 0xFFFFFFFFu);
	const Bad bad[] = {{"header only", Bytes(good.begin(), good.begin() + 13)},
	                   {"property byte 225", prop225},
	                   {"dictionary 4095", dict4095},
	                   {"size above the cap", huge},
	                   {"size all ones", allOnes}};
	for (const Bad& b : bad)
	{
		SCOPED_TRACE(b.pWhat);
		AutoBuffer target;
		EXPECT_FALSE(LZMA::Extract(b.stream.data(), static_cast<uint32_t>(b.stream.size()), target));
		EXPECT_EQ(0u, target.GetSize()) << "nothing may be allocated for a refused header";
		EXPECT_EQ(0u, target.GetWritten());

		// A refused header leaves an earlier file alone.
		{
			std::ofstream(strFile, std::ios::binary) << "keep";
		}
		EXPECT_FALSE(LZMA::ExtractToFile(b.stream.data(), static_cast<uint32_t>(b.stream.size()), strFile));
		ASSERT_TRUE(ReadFile(strFile, out));
		EXPECT_EQ("keep", std::string(out.begin(), out.end()));
	}
	AutoBuffer none;
	EXPECT_FALSE(LZMA::Extract(nullptr, 100, none));
}

TEST(CompressionLZMA, PositionsNearTheLimitDoNotWrap)
{
	Bytes stream = Pack(Mixed(256));
	unsigned char block[64];
	Buffer plain(block, sizeof(block));
	plain.SetPos(0xFFFFFF80u);
	plain.SetWritten(7);
	EXPECT_FALSE(LZMA::Extract(stream.data(), static_cast<uint32_t>(stream.size()), plain));
	EXPECT_EQ(0xFFFFFF80u, plain.GetPos());
	EXPECT_EQ(7u, plain.GetWritten());
	EXPECT_FALSE(LZMA::Compress(stream.data(), static_cast<uint32_t>(stream.size()), plain, 5, 1 << 16));
	EXPECT_EQ(0xFFFFFF80u, plain.GetPos());
}

TEST(CompressionLZMA, DamagedStreamsFailAndLeaveNoFile)
{
	Bytes src = Mixed(20000, 5);
	Bytes good = Pack(src);

	Bytes truncated(good.begin(), good.begin() + good.size() / 2);
	Bytes corrupt = good;
	for (size_t i = 20; i < corrupt.size(); i += 7)
		corrupt[i] ^= 0x5A;
	// Announces more than the data holds: the coder runs out of input before the size is reached.
	Bytes overstated = good;
	Put32(overstated, 5, static_cast<uint32_t>(src.size() + 5000));
	// A hostile dictionary size must not make the file decoder allocate 4 GiB.
	Bytes hugeDict = truncated;
	Put32(hugeDict, 1, 0xFFFFFFFFu);

	TempDir dir;
	struct Case
	{
		const char* pWhat;
		const Bytes* pStream;
	};
	const Case cases[] = {{"truncated", &truncated}, {"corrupt", &corrupt}, {"overstated", &overstated},
	                      {"huge dictionary", &hugeDict}};
	for (const Case& c : cases)
	{
		SCOPED_TRACE(c.pWhat);
		AutoBuffer target;
		target.WriteString("x");
		EXPECT_FALSE(LZMA::Extract(c.pStream->data(), static_cast<uint32_t>(c.pStream->size()), target));
		EXPECT_EQ(2u, target.GetPos());
		EXPECT_EQ(2u, target.GetWritten());

		std::string strFile = dir.File("partial.bin");
		EXPECT_FALSE(LZMA::ExtractToFile(c.pStream->data(), static_cast<uint32_t>(c.pStream->size()), strFile));
		EXPECT_FALSE(std::filesystem::exists(strFile));
	}

	// The same hostile dictionary on an intact stream still decodes, within the output's size.
	Bytes bigDictGood = good;
	Put32(bigDictGood, 1, 0xFFFFFFFFu);
	std::string strFile = dir.File("whole.bin");
	EXPECT_TRUE(LZMA::ExtractToFile(bigDictGood.data(), static_cast<uint32_t>(bigDictGood.size()), strFile));
	Bytes fromFile;
	ASSERT_TRUE(ReadFile(strFile, fromFile));
	EXPECT_EQ(src, fromFile);

	EXPECT_FALSE(LZMA::ExtractToFile(good.data(), static_cast<uint32_t>(good.size()), dir.File("no/such/folder")));
}

TEST(CompressionLZMA, RandomAndMutatedStreamsNeverCrash)
{
	Bytes src = Mixed(4000, 3);
	Bytes good = Pack(src);
	TempDir dir;
	std::string strFile = dir.File("fuzz.bin");
	uint32_t x = 77;
	auto next = [&x] {
		x ^= x << 13;
		x ^= x >> 17;
		x ^= x << 5;
		return x;
	};
	for (int iRound = 0; iRound < 300; ++iRound)
	{
		Bytes stream;
		switch (iRound % 3)
		{
		case 0: // a valid header over random data
			stream = Bytes(good.begin(), good.begin() + 13);
			for (uint32_t i = 0, n = 1 + next() % 2000; i < n; ++i)
				stream.push_back(static_cast<unsigned char>(next()));
			break;
		case 1: // a few flipped bytes after the header
			stream = Bytes(good);
			for (int k = 0; k < 4; ++k)
				stream[13 + next() % (stream.size() - 13)] ^= static_cast<unsigned char>(1 + next() % 255);
			break;
		default: // cut anywhere
			stream = Bytes(good.begin(), good.begin() + next() % good.size());
			break;
		}
		AutoBuffer target;
		bool bMemory = LZMA::Extract(stream.data(), static_cast<uint32_t>(stream.size()), target);
		bool bFile = LZMA::ExtractToFile(stream.data(), static_cast<uint32_t>(stream.size()), strFile);
		EXPECT_EQ(bMemory, bFile) << iRound;
		if (bMemory)
		{
			EXPECT_EQ(src.size(), target.GetWritten());
		}
		EXPECT_EQ(bFile, std::filesystem::exists(strFile));
		std::filesystem::remove(strFile);
	}
}
