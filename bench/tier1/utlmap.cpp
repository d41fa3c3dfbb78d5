// CUtlMap with integer keys against std::map: 100,000 inserts, then a find of every key.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <map>
#include <numeric>
#include <random>
#include <vector>

#include "tier1/utlmap.h"

namespace {

constexpr int kCount = 100000;

const std::vector<int> &Keys() {
    static const std::vector<int> keys = [] {
        std::vector<int> k(kCount);
        std::iota(k.begin(), k.end(), 0);
        std::shuffle(k.begin(), k.end(), std::mt19937(12345));
        return k;
    }();
    return keys;
}

bool IntLess(const int &a, const int &b) { return a < b; }

void BM_UtlMapInsertFind(benchmark::State &state) {
    const std::vector<int> &keys = Keys();
    for (auto _ : state) {
        CUtlMap<int, int, int> map(IntLess);
        for (int k : keys) map.Insert(k, k);
        long long sum = 0;
        for (int k : keys) sum += map[map.Find(k)];
        benchmark::DoNotOptimize(sum);
    }
    state.SetItemsProcessed(state.iterations() * kCount * 2);
}

void BM_StdMapInsertFind(benchmark::State &state) {
    const std::vector<int> &keys = Keys();
    for (auto _ : state) {
        std::map<int, int> map;
        for (int k : keys) map.emplace(k, k);
        long long sum = 0;
        for (int k : keys) sum += map.find(k)->second;
        benchmark::DoNotOptimize(sum);
    }
    state.SetItemsProcessed(state.iterations() * kCount * 2);
}

}  // namespace

BENCHMARK(BM_UtlMapInsertFind)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_StdMapInsertFind)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
