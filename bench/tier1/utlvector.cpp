// CUtlVector append of 1,000,000 ints against std::vector, both growing by doubling from empty.
#include <benchmark/benchmark.h>

#include <vector>

#include "tier1/utlvector.h"

namespace {

constexpr int kCount = 1000000;

void BM_UtlVectorAppend(benchmark::State &state) {
    for (auto _ : state) {
        CUtlVector<int> v;
        for (int i = 0; i < kCount; ++i) v.AddToTail(i);
        benchmark::DoNotOptimize(v.Base());
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * kCount);
}

void BM_StdVectorAppend(benchmark::State &state) {
    for (auto _ : state) {
        std::vector<int> v;
        for (int i = 0; i < kCount; ++i) v.push_back(i);
        benchmark::DoNotOptimize(v.data());
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * kCount);
}

}  // namespace

BENCHMARK(BM_UtlVectorAppend)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_StdVectorAppend)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
