// CRC-32 of 1 MiB blocks: Kestrum's table CRC against zlib's crc32 in the same run.
#include <benchmark/benchmark.h>
#include <zlib.h>

#include <cstdio>
#include <cstdlib>
#include <vector>

#include "Kestrum/Utility/Hasher.h"

namespace
{
	const std::vector<unsigned char>& Block()
	{
		static std::vector<unsigned char> data = [] {
			std::vector<unsigned char> d(1 << 20);
			uint32_t x = 1;
			for (auto& b : d)
			{
				x = x * 1664525u + 1013904223u;
				b = static_cast<unsigned char>(x >> 24);
			}
			return d;
		}();
		return data;
	}

	void BM_Crc32_Kestrum(benchmark::State& state)
	{
		const auto& data = Block();
		for (auto _ : state)
			benchmark::DoNotOptimize(Kestrum::Hasher::CRC32::Easy(data.data(), static_cast<uint32_t>(data.size())));
		state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(data.size()));
	}

	void BM_Crc32_Zlib(benchmark::State& state)
	{
		const auto& data = Block();
		for (auto _ : state)
			benchmark::DoNotOptimize(::crc32(0, data.data(), static_cast<uInt>(data.size())));
		state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(data.size()));
	}
}

BENCHMARK(BM_Crc32_Kestrum);
BENCHMARK(BM_Crc32_Zlib);

int main(int argc, char** argv)
{
	const auto& data = Block();
	uint32_t iOurs = Kestrum::Hasher::CRC32::Easy(data.data(), static_cast<uint32_t>(data.size()));
	uint32_t iZlib = static_cast<uint32_t>(::crc32(0, data.data(), static_cast<uInt>(data.size())));
	if (iOurs != iZlib)
	{
		fprintf(stderr, "CRC-32 differs from zlib: %08x vs %08x\n", iOurs, iZlib);
		return 1;
	}
	benchmark::Initialize(&argc, argv);
	benchmark::RunSpecifiedBenchmarks();
	return 0;
}
