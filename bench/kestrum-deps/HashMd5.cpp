// MD5 of 1 MiB blocks: Kestrum's MD5 against OpenSSL's in the same run.
#include <benchmark/benchmark.h>
#define OPENSSL_SUPPRESS_DEPRECATED
#include <openssl/md5.h>

#include <cstdio>
#include <cstring>
#include <vector>

#include "Kestrum/Utility/HasherFunctions.h"

namespace
{
	const std::vector<unsigned char>& Block()
	{
		static std::vector<unsigned char> data = [] {
			std::vector<unsigned char> d(1 << 20);
			uint32_t x = 3;
			for (auto& b : d)
			{
				x = x * 1664525u + 1013904223u;
				b = static_cast<unsigned char>(x >> 24);
			}
			return d;
		}();
		return data;
	}

	void BM_Md5_Kestrum(benchmark::State& state)
	{
		const auto& data = Block();
		unsigned char digest[16];
		for (auto _ : state)
		{
			md5(data.data(), static_cast<int32_t>(data.size()), digest);
			benchmark::DoNotOptimize(digest);
		}
		state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(data.size()));
	}

	void BM_Md5_OpenSSL(benchmark::State& state)
	{
		const auto& data = Block();
		unsigned char digest[16];
		for (auto _ : state)
		{
			MD5(data.data(), data.size(), digest);
			benchmark::DoNotOptimize(digest);
		}
		state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(data.size()));
	}
}

BENCHMARK(BM_Md5_Kestrum);
BENCHMARK(BM_Md5_OpenSSL);

int main(int argc, char** argv)
{
	const auto& data = Block();
	unsigned char ours[16], theirs[16];
	md5(data.data(), static_cast<int32_t>(data.size()), ours);
	MD5(data.data(), data.size(), theirs);
	if (memcmp(ours, theirs, 16) != 0)
	{
		fprintf(stderr, "MD5 differs from OpenSSL\n");
		return 1;
	}
	benchmark::Initialize(&argc, argv);
	benchmark::RunSpecifiedBenchmarks();
	return 0;
}
