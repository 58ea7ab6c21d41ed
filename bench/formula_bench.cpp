// The closed-form distances with their variances on one pair table (the
// sample, 895 sites), as `dist --criterion formula` computes them for every
// pair: each model with the pair's frequencies and with given ones, without
// gamma and with it.
#include <benchmark/benchmark.h>

#include "formula/formula_distance.h"
#include "model/model_family.h"
#include "support/test_tables.h"

namespace dyvern {
namespace {

void BM_FormulaDistance(benchmark::State& state) {
    const DivergenceCounts table = testing::SampleTable();
    const auto model = static_cast<ModelKind>(state.range(0));
    FormulaSettings settings;
    if (state.range(1) == 1) {
        settings.origin = FrequencyOrigin::Given;
        settings.frequencies = settings.sequence1 = settings.sequence2 = {0.31, 0.33, 0.11, 0.25};
    }
    if (state.range(2) == 1) {
        if (!HasGammaForm(model)) {
            state.SkipWithError("no gamma form");
            return;
        }
        settings.gammaShape = 0.5;
    }
    state.SetLabel(FactsOf(model).word);
    for (auto _ : state) benchmark::DoNotOptimize(FormulaDistanceOf(model, table, settings));
}

void FormulaModels(benchmark::internal::Benchmark* b) {
    for (const ModelKind model : kAllModels) {
        if (!Estimable(model, Estimation::Formula)) continue;
        for (int given = 0; given < 2; ++given)
            for (int gamma = 0; gamma < 2; ++gamma)
                if (!gamma || HasGammaForm(model)) b->Args({static_cast<int>(model), given, gamma});
    }
    b->ArgNames({"model", "given", "gamma"});
}
BENCHMARK(BM_FormulaDistance)->Apply(FormulaModels);

// From the totals alone, as the likelihood fits' fast path asks for JC69 and
// K80 on every pair.
void BM_FormulaDistanceOfShares(benchmark::State& state) {
    const auto model = static_cast<ModelKind>(state.range(0));
    const DifferenceShares shares = SharesByKind(895, 66.0 / 895, 13.0 / 895);
    state.SetLabel(FactsOf(model).word);
    for (auto _ : state) benchmark::DoNotOptimize(FormulaDistanceOfShares(model, shares));
}
BENCHMARK(BM_FormulaDistanceOfShares)
    ->Arg(static_cast<int>(ModelKind::JC69))
    ->Arg(static_cast<int>(ModelKind::K80));

}  // namespace
}  // namespace dyvern
