// The refined fits of the command line: one model on the sample pair, and
// the comparison of all four (what `dyvern-cli compare` computes per pair).
#include <benchmark/benchmark.h>

#include "estimate/model_comparison.h"
#include "support/test_tables.h"

namespace dyvern {
namespace {

void BM_FitPair(benchmark::State& state) {
    const DataFileTable sample = testing::SampleData();
    const auto model = static_cast<ModelKind>(state.range(0));
    const auto criterion = static_cast<Criterion>(state.range(1));
    for (auto _ : state)
        benchmark::DoNotOptimize(FitPair(sample.counts, sample.siteCount, model, criterion));
}
BENCHMARK(BM_FitPair)
    ->ArgsProduct({{0, 1, 2, 3}, {0, 1}})
    ->ArgNames({"model", "criterion"})
    ->Unit(benchmark::kMicrosecond);

void BM_CompareModels(benchmark::State& state) {
    const DataFileTable sample = testing::SampleData();
    for (auto _ : state) benchmark::DoNotOptimize(CompareModels(sample.counts, sample.siteCount));
}
BENCHMARK(BM_CompareModels)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace dyvern
