// Caseless symbol table against std::unordered_map<std::string, int> with a caseless hash:
// 100,000 texts added (50,000 names, each twice in different letter case), then all found.
#include <benchmark/benchmark.h>

#include <cctype>
#include <cstdint>
#include <string>
#include <strings.h>
#include <unordered_map>
#include <vector>

#include "tier1/utlsymbol.h"

namespace
{
const int kNames = 50000;  // a table names at most 65535 texts

// 100,000 texts: every name once as generated and once with its letters' case flipped.
const std::vector<std::string> &Texts()
{
	static std::vector<std::string> texts = [] {
		std::vector<std::string> out;
		uint32_t x = 2463534242u;
		auto next = [&x] {
			x ^= x << 13;
			x ^= x >> 17;
			x ^= x << 5;
			return x;
		};
		for (int i = 0; i < kNames; ++i)
		{
			std::string name;
			int length = 6 + static_cast<int>(next() % 15);
			for (int c = 0; c < length; ++c)
			{
				uint32_t r = next();
				name += static_cast<char>((r & 1 ? 'A' : 'a') + (r >> 1) % 26);
			}
			name += '_' + std::to_string(i);
			out.push_back(name);
		}
		for (int i = 0; i < kNames; ++i)
		{
			std::string flipped = out[static_cast<size_t>((i * 7919) % kNames)];
			for (char &c : flipped)
				c = static_cast<char>(isupper(static_cast<unsigned char>(c)) ? tolower(c) : toupper(c));
			out.push_back(flipped);
		}
		return out;
	}();
	return texts;
}

struct CaselessHash
{
	size_t operator()(const std::string &s) const
	{
		uint64_t h = 1469598103934665603ull;
		for (unsigned char c : s)
		{
			h ^= static_cast<unsigned char>(tolower(c));
			h *= 1099511628211ull;
		}
		return static_cast<size_t>(h);
	}
};

struct CaselessEqual
{
	bool operator()(const std::string &a, const std::string &b) const
	{
		return a.size() == b.size() && strcasecmp(a.c_str(), b.c_str()) == 0;
	}
};

void BM_CaselessSymbolTable(benchmark::State &state)
{
	const std::vector<std::string> &texts = Texts();
	for (auto _ : state)
	{
		CUtlSymbolTable table(0, 32, true);
		for (const std::string &text : texts)
			benchmark::DoNotOptimize(table.AddString(text.c_str()));
		for (const std::string &text : texts)
			benchmark::DoNotOptimize(table.Find(text.c_str()));
	}
	state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(texts.size()) * 2);
}
BENCHMARK(BM_CaselessSymbolTable)->Unit(benchmark::kMillisecond);

void BM_CaselessUnorderedMap(benchmark::State &state)
{
	const std::vector<std::string> &texts = Texts();
	for (auto _ : state)
	{
		std::unordered_map<std::string, int, CaselessHash, CaselessEqual> map;
		int next = 0;
		for (const std::string &text : texts)
			benchmark::DoNotOptimize(map.emplace(text, next++).first->second);
		for (const std::string &text : texts)
			benchmark::DoNotOptimize(map.find(text)->second);
	}
	state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(texts.size()) * 2);
}
BENCHMARK(BM_CaselessUnorderedMap)->Unit(benchmark::kMillisecond);
}

BENCHMARK_MAIN();
