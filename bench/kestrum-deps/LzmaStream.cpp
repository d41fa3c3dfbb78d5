// The Kestrum LZMA stream against liblzma's LZMA-alone encoder and decoder at the publisher's
// settings (level 9, 32 MiB dictionary, lc 3, lp 0, pb 2, 32 fast bytes) on a 16 MiB mixed corpus.
#include <benchmark/benchmark.h>
#include <lzma.h>

#include <cstdio>
#include <cstring>
#include <vector>

#include "../kestrum/Corpus.h"
#include "Kestrum/Utility/CompressionLZMA.h"

namespace
{
	const size_t CorpusSize = 16 << 20;
	const uint32_t DictSize = 0x2000000;

	const std::vector<unsigned char>& Corpus()
	{
		static std::vector<unsigned char> data = MakeMixedCorpus(CorpusSize);
		return data;
	}

	lzma_options_lzma Options()
	{
		lzma_options_lzma opt;
		lzma_lzma_preset(&opt, 9);
		opt.dict_size = DictSize;
		opt.lc = 3;
		opt.lp = 0;
		opt.pb = 2;
		opt.nice_len = 32;
		opt.mode = LZMA_MODE_NORMAL;
		opt.mf = LZMA_MF_BT4;
		opt.depth = 0;
		return opt;
	}

	size_t LiblzmaCompress(const std::vector<unsigned char>& src, std::vector<unsigned char>& out)
	{
		lzma_stream strm = LZMA_STREAM_INIT;
		lzma_options_lzma opt = Options();
		if (lzma_alone_encoder(&strm, &opt) != LZMA_OK)
			return 0;
		strm.next_in = src.data();
		strm.avail_in = src.size();
		strm.next_out = out.data();
		strm.avail_out = out.size();
		lzma_ret ret = lzma_code(&strm, LZMA_FINISH);
		size_t iLen = ret == LZMA_STREAM_END ? out.size() - strm.avail_out : 0;
		lzma_end(&strm);
		return iLen;
	}

	size_t LiblzmaExtract(const std::vector<unsigned char>& packed, std::vector<unsigned char>& out)
	{
		lzma_stream strm = LZMA_STREAM_INIT;
		if (lzma_alone_decoder(&strm, UINT64_MAX) != LZMA_OK)
			return 0;
		strm.next_in = packed.data();
		strm.avail_in = packed.size();
		strm.next_out = out.data();
		strm.avail_out = out.size();
		lzma_ret ret = lzma_code(&strm, LZMA_FINISH);
		size_t iLen = ret == LZMA_STREAM_END ? out.size() - strm.avail_out : 0;
		lzma_end(&strm);
		return iLen;
	}

	const std::vector<unsigned char>& Packed()
	{
		static std::vector<unsigned char> packed = [] {
			Kestrum::AutoBuffer buffer;
			const auto& src = Corpus();
			Kestrum::Compression::LZMA::Compress(src.data(), static_cast<uint32_t>(src.size()), buffer, 9, DictSize);
			return std::vector<unsigned char>(buffer.GetBase(), buffer.GetBase() + buffer.GetWritten());
		}();
		return packed;
	}

	void BM_Compress_Kestrum(benchmark::State& state)
	{
		const auto& src = Corpus();
		size_t iLen = 0;
		for (auto _ : state)
		{
			Kestrum::AutoBuffer buffer;
			Kestrum::Compression::LZMA::Compress(src.data(), static_cast<uint32_t>(src.size()), buffer, 9, DictSize);
			iLen = buffer.GetWritten();
		}
		state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(src.size()));
		state.counters["ratio"] = double(iLen) / double(src.size());
	}

	void BM_Compress_Liblzma(benchmark::State& state)
	{
		const auto& src = Corpus();
		std::vector<unsigned char> out(src.size() + src.size() / 3 + 1024);
		size_t iLen = 0;
		for (auto _ : state)
			iLen = LiblzmaCompress(src, out);
		state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(src.size()));
		state.counters["ratio"] = double(iLen) / double(src.size());
	}

	void BM_Extract_Kestrum(benchmark::State& state)
	{
		const auto& packed = Packed();
		Kestrum::AutoBuffer buffer(CorpusSize);
		for (auto _ : state)
		{
			buffer.SetPos(0);
			benchmark::DoNotOptimize(
				Kestrum::Compression::LZMA::Extract(packed.data(), static_cast<uint32_t>(packed.size()), buffer));
		}
		state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(CorpusSize));
	}

	void BM_Extract_Liblzma(benchmark::State& state)
	{
		const auto& packed = Packed();
		std::vector<unsigned char> out(CorpusSize);
		for (auto _ : state)
			benchmark::DoNotOptimize(LiblzmaExtract(packed, out));
		state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(CorpusSize));
	}
}

BENCHMARK(BM_Compress_Kestrum)->Unit(benchmark::kMillisecond)->Iterations(2);
BENCHMARK(BM_Compress_Liblzma)->Unit(benchmark::kMillisecond)->Iterations(2);
BENCHMARK(BM_Extract_Kestrum)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Extract_Liblzma)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv)
{
	// Each decoder must read the other's stream back to the corpus before anything is timed.
	const auto& src = Corpus();
	std::vector<unsigned char> out(src.size());
	if (LiblzmaExtract(Packed(), out) != src.size() || out != src)
	{
		fprintf(stderr, "liblzma could not read the Kestrum stream\n");
		return 1;
	}
	benchmark::Initialize(&argc, argv);
	benchmark::RunSpecifiedBenchmarks();
	return 0;
}
