// Cost of one objective evaluation and of one full minimisation per model
// kind and criterion, on the sample table.
#include <benchmark/benchmark.h>

#include "solve/powell_fit.h"
#include "model/hkymodel.h"
#include "support/test_tables.h"

namespace dyvern {
namespace {

FitTarget SampleState(ModelKind kind, Criterion criterion) {
    const DataFileTable sample = testing::SampleData();
    return testing::TargetFor(sample.counts, kind, criterion, sample.siteCount);
}

void BM_Objective(benchmark::State& bench) {
    const FitTarget state =
        SampleState(static_cast<ModelKind>(bench.range(0)), Criterion::MaxLikelihood);
    HKYModel model(state, 0.1, 1.0, 0.3, 0.2, 0.25);
    double x[kMaxFreeParameters];
    const int n = model.GetVector(x);
    for (auto _ : bench) benchmark::DoNotOptimize(model.Objective(x, n));
}
BENCHMARK(BM_Objective)->DenseRange(0, 3)->ArgName("kind");

void BM_FitModel(benchmark::State& bench) {
    const FitTarget state =
        SampleState(static_cast<ModelKind>(bench.range(0)), static_cast<Criterion>(bench.range(1)));
    for (auto _ : bench) benchmark::DoNotOptimize(FitModel(state, ParameterValues{}));
}
BENCHMARK(BM_FitModel)
    ->ArgsProduct({{0, 1, 2, 3}, {0, 1}})
    ->ArgNames({"kind", "criterion"})
    ->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace dyvern
