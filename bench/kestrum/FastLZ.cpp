// FastLZ level 1 against zlib level 1 on a 16 MiB mixed corpus, compress and decompress.
#include <benchmark/benchmark.h>
#include <zlib.h>

#include <cstdio>
#include <cstring>
#include <vector>

#include "Corpus.h"
#include "Kestrum/Utility/CompressionFastLZ.h"

namespace
{
	const size_t CorpusSize = 16 << 20;

	const std::vector<unsigned char>& Corpus()
	{
		static std::vector<unsigned char> data = MakeMixedCorpus(CorpusSize);
		return data;
	}

	const std::vector<unsigned char>& FastLZPacked()
	{
		static std::vector<unsigned char> packed = [] {
			const auto& src = Corpus();
			std::vector<unsigned char> out(src.size() + src.size() / 32 + 16);
			out.resize(fastlz_compress_level(1, src.data(), static_cast<int>(src.size()), out.data()));
			return out;
		}();
		return packed;
	}

	const std::vector<unsigned char>& ZlibPacked()
	{
		static std::vector<unsigned char> packed = [] {
			const auto& src = Corpus();
			uLongf iLen = compressBound(src.size());
			std::vector<unsigned char> out(iLen);
			compress2(out.data(), &iLen, src.data(), src.size(), 1);
			out.resize(iLen);
			return out;
		}();
		return packed;
	}

	void BM_Compress_FastLZ1(benchmark::State& state)
	{
		const auto& src = Corpus();
		std::vector<unsigned char> out(src.size() + src.size() / 32 + 16);
		int iLen = 0;
		for (auto _ : state)
			benchmark::DoNotOptimize(iLen = fastlz_compress_level(1, src.data(), static_cast<int>(src.size()), out.data()));
		state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(src.size()));
		state.counters["ratio"] = double(iLen) / double(src.size());
	}

	void BM_Compress_Zlib1(benchmark::State& state)
	{
		const auto& src = Corpus();
		std::vector<unsigned char> out(compressBound(src.size()));
		uLongf iLen = 0;
		for (auto _ : state)
		{
			iLen = out.size();
			benchmark::DoNotOptimize(compress2(out.data(), &iLen, src.data(), src.size(), 1));
		}
		state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(src.size()));
		state.counters["ratio"] = double(iLen) / double(src.size());
	}

	void BM_Decompress_FastLZ1(benchmark::State& state)
	{
		const auto& packed = FastLZPacked();
		std::vector<unsigned char> out(CorpusSize);
		for (auto _ : state)
			benchmark::DoNotOptimize(
				fastlz_decompress(packed.data(), static_cast<int>(packed.size()), out.data(), static_cast<int>(out.size())));
		state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(CorpusSize));
	}

	void BM_Decompress_Zlib1(benchmark::State& state)
	{
		const auto& packed = ZlibPacked();
		std::vector<unsigned char> out(CorpusSize);
		for (auto _ : state)
		{
			uLongf iLen = out.size();
			benchmark::DoNotOptimize(uncompress(out.data(), &iLen, packed.data(), packed.size()));
		}
		state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(CorpusSize));
	}
}

BENCHMARK(BM_Compress_FastLZ1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Compress_Zlib1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Decompress_FastLZ1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Decompress_Zlib1)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv)
{
	// Both round trips must give the corpus back before anything is timed.
	const auto& src = Corpus();
	std::vector<unsigned char> out(src.size());
	const auto& packed = FastLZPacked();
	int iLen = fastlz_decompress(packed.data(), static_cast<int>(packed.size()), out.data(), static_cast<int>(out.size()));
	if (iLen != static_cast<int>(src.size()) || out != src)
	{
		fprintf(stderr, "FastLZ round trip failed\n");
		return 1;
	}
	benchmark::Initialize(&argc, argv);
	benchmark::RunSpecifiedBenchmarks();
	return 0;
}
