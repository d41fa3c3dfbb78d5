// The Kestrum LZMA stream is the LZMA-alone layout: liblzma reads ours, and we read liblzma's once
// its unknown-size field (all ones) is replaced by the real size.
#include <gtest/gtest.h>
#include <lzma.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "Kestrum/Utility/CompressionLZMA.h"

namespace LZMA = Kestrum::Compression::LZMA;
using Bytes = std::vector<unsigned char>;

namespace
{
	Bytes Mixed(size_t n)
	{
		Bytes data(n);
		uint32_t x = 99;
		for (size_t i = 0; i < n; ++i)
		{
			x = x * 1103515245u + 12345u;
			data[i] = (i % 5 == 0) ? static_cast<unsigned char>(x >> 24) : static_cast<unsigned char>("zorvan"[i % 6]);
		}
		return data;
	}

	bool LiblzmaDecode(const unsigned char* p, size_t n, Bytes& out)
	{
		lzma_stream strm = LZMA_STREAM_INIT;
		if (lzma_alone_decoder(&strm, UINT64_MAX) != LZMA_OK)
			return false;
		out.assign(1 << 20, 0);
		strm.next_in = p;
		strm.avail_in = n;
		strm.next_out = out.data();
		strm.avail_out = out.size();
		lzma_ret ret = lzma_code(&strm, LZMA_FINISH);
		out.resize(out.size() - strm.avail_out);
		lzma_end(&strm);
		return ret == LZMA_STREAM_END;
	}

	Bytes LiblzmaEncode(const Bytes& src)
	{
		lzma_options_lzma opt;
		lzma_lzma_preset(&opt, 6);
		opt.dict_size = 1 << 20;
		lzma_stream strm = LZMA_STREAM_INIT;
		EXPECT_EQ(LZMA_OK, lzma_alone_encoder(&strm, &opt));
		Bytes out(src.size() + src.size() / 3 + 1024);
		strm.next_in = src.data();
		strm.avail_in = src.size();
		strm.next_out = out.data();
		strm.avail_out = out.size();
		EXPECT_EQ(LZMA_STREAM_END, lzma_code(&strm, LZMA_FINISH));
		out.resize(out.size() - strm.avail_out);
		lzma_end(&strm);
		return out;
	}
}

TEST(LzmaInterop, LiblzmaReadsKestrumStreams)
{
	for (size_t n : {size_t(0), size_t(1), size_t(70000)})
	{
		Bytes src = Mixed(n);
		Kestrum::AutoBuffer packed;
		ASSERT_TRUE(LZMA::Compress(src.data(), static_cast<uint32_t>(n), packed, 9, 0x2000000));
		Bytes out;
		ASSERT_TRUE(LiblzmaDecode(packed.GetBase(), packed.GetWritten(), out)) << n;
		EXPECT_EQ(src, out);
	}
}

TEST(LzmaInterop, KestrumReadsLiblzmaStreamsOnceTheSizeIsKnown)
{
	Bytes src = Mixed(120000);
	Bytes stream = LiblzmaEncode(src);
	ASSERT_GT(stream.size(), 13u);

	// liblzma writes an unknown size (all ones) and an end mark: beyond our cap, so refused.
	Kestrum::AutoBuffer refused;
	EXPECT_FALSE(LZMA::Extract(stream.data(), static_cast<uint32_t>(stream.size()), refused));

	for (int i = 0; i < 8; ++i)
		stream[5 + i] = i < 4 ? static_cast<unsigned char>(src.size() >> (8 * i)) : 0;
	Kestrum::AutoBuffer out;
	ASSERT_TRUE(LZMA::Extract(stream.data(), static_cast<uint32_t>(stream.size()), out));
	EXPECT_EQ(src, Bytes(out.GetBase(), out.GetBase() + out.GetWritten()));

	char pattern[] = "/tmp/kestrum-interop-XXXXXX";
	std::string dir = mkdtemp(pattern);
	std::string strFile = dir + "/out.bin";
	EXPECT_TRUE(LZMA::ExtractToFile(stream.data(), static_cast<uint32_t>(stream.size()), strFile));
	std::ifstream in(strFile, std::ios::binary);
	Bytes fromFile((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
	EXPECT_EQ(src, fromFile);
	std::filesystem::remove_all(dir);
}
