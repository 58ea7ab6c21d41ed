// Pair tables per pair (packed and from text), one objective evaluation by
// the analytic terms against the family's own, DistanceOf per model and
// criterion on pairs of a simulated alignment, whole matrices on one and two
// threads, the closed forms' rows with and without standard errors, and
// lists bounded by --max-d.
#include <benchmark/benchmark.h>

#include <cmath>

#include "distance/distance_rows.h"
#include "distance/likelihood_terms.h"
#include "distance/packed_pair.h"
#include "model/criteria.h"
#include "model/model_coordinates.h"
#include "model/model_family.h"
#include "simulation.h"

namespace dyvern {
namespace {

Alignment Simulated(int sequences, int sites) {
    SimulateOptions options;
    options.sequences = sequences;
    options.sites = sites;
    Alignment alignment;
    alignment.sequences = SimulateAlignment(options);
    for (int k = 0; k < sequences; ++k) alignment.names.push_back(SequenceName(k));
    return alignment;
}

const Alignment& Sample() {
    static const Alignment alignment = Simulated(200, 1000);
    return alignment;
}

void BM_CountPackedPair(benchmark::State& state) {
    const PackedAlignment packed(Sample());
    std::size_t j = 1;
    for (auto _ : state) {
        benchmark::DoNotOptimize(CountPackedPair(packed, 0, j));
        j = j + 1 == packed.size() ? 1 : j + 1;
    }
}
BENCHMARK(BM_CountPackedPair);

void BM_CountPairFromText(benchmark::State& state) {
    const Alignment& alignment = Sample();
    std::size_t j = 1;
    for (auto _ : state) {
        benchmark::DoNotOptimize(CountPair(alignment.sequences[0], alignment.sequences[j]));
        j = j + 1 == alignment.sequences.size() ? 1 : j + 1;
    }
}
BENCHMARK(BM_CountPairFromText);

std::vector<PairTable> SampleTables() {
    const PackedAlignment packed(Sample());
    std::vector<PairTable> tables;
    for (std::size_t j = 1; j < 101; ++j) tables.push_back(CountPackedPair(packed, 0, j));
    return tables;
}

void BM_DistanceOf(benchmark::State& state) {
    const auto model = static_cast<ModelKind>(state.range(0));
    const auto criterion = static_cast<Criterion>(state.range(1));
    const std::vector<PairTable> tables = SampleTables();
    std::size_t k = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(DistanceOf(tables[k], model, criterion));
        k = (k + 1) % tables.size();
    }
}
BENCHMARK(BM_DistanceOf)
    ->ArgsProduct({{0, 1, 2, 3}, {0, 1}})
    ->Args({static_cast<int>(ModelKind::TN93), 0})
    ->Args({static_cast<int>(ModelKind::GTR), 0})
    ->ArgNames({"model", "criterion"});

// Without the standard error, as a matrix computes them.
void BM_DistanceAlone(benchmark::State& state) {
    const auto model = static_cast<ModelKind>(state.range(0));
    const std::vector<PairTable> tables = SampleTables();
    std::size_t k = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(DistanceOf(tables[k], model, Criterion::MaxLikelihood, false));
        k = (k + 1) % tables.size();
    }
}
BENCHMARK(BM_DistanceAlone)
    ->Arg(static_cast<int>(ModelKind::HKY85))
    ->Arg(static_cast<int>(ModelKind::TN93))
    ->Arg(static_cast<int>(ModelKind::GTR))
    ->ArgName("model");

const TermPoint kPoint{0.08, 0.3, 0.5, 0.6, 0.4};

// The family's own lnL (model/criteria.h), which the terms specialise.
void BM_ObjectiveOfTheFamily(benchmark::State& state) {
    const PairData data = MakePairData(SampleTables()[0].counts, 1000);
    const Rates<double> rates = ModelCoordinates<ModelKind::HKY85>::RatesAt(kPoint);
    for (auto _ : state) {
        benchmark::DoNotOptimize(LogLikelihood(data, rates));
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_ObjectiveOfTheFamily);

void BM_ObjectiveReduced(benchmark::State& state) {
    const LikelihoodTerms terms = TermsOf(SampleTables()[0].counts);
    TermPoint x = kPoint;
    for (auto _ : state) {
        benchmark::DoNotOptimize(LogLikelihoodAt(terms, x));
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_ObjectiveReduced);

void BM_ObjectiveWithDerivatives(benchmark::State& state) {
    const LikelihoodTerms terms = TermsOf(SampleTables()[0].counts);
    TermPoint x = kPoint;
    for (auto _ : state) {
        benchmark::DoNotOptimize(ExpandLogLikelihood(terms, x));
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_ObjectiveWithDerivatives);

// All pairs of the 200 x 1000 sample: 19,900 pairs.
void BM_Matrix(benchmark::State& state) {
    const PackedAlignment packed(Sample());
    DistanceOptions options;
    options.model = static_cast<ModelKind>(state.range(0));
    options.threads = static_cast<int>(state.range(1));
    for (auto _ : state) {
        double sum = 0.0;
        ComputeDistanceRows(packed, options, RowShape::UpperTriangle, 0,
                            static_cast<int>(packed.size()),
                            [&](int, const std::vector<PairDistance>& row) {
                                for (const PairDistance& p : row) sum += p.d;
                            });
        benchmark::DoNotOptimize(sum);
    }
    const double pairs = packed.size() * (packed.size() - 1) / 2.0;
    state.counters["pairs/s"] =
        benchmark::Counter(pairs, benchmark::Counter::kIsIterationInvariantRate);
}
BENCHMARK(BM_Matrix)
    ->ArgsProduct({{2, 3, static_cast<int>(ModelKind::TN93), static_cast<int>(ModelKind::GTR)},
                   {1, 2}})
    ->ArgNames({"model", "threads"})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

// The pairs of an alignment's upper triangle on one thread, as `options` asks.
double PairsPerSecond(benchmark::State& state, const DistanceOptions& options,
                      const Alignment& alignment = Sample()) {
    const PackedAlignment packed(alignment);
    double kept = 0.0;
    for (auto _ : state) {
        ComputeDistanceRows(packed, options, RowShape::UpperTriangle, 0,
                            static_cast<int>(packed.size()),
                            [&](int, const std::vector<PairDistance>& row) {
                                for (const PairDistance& p : row) kept += p.d <= 0.05;
                            });
    }
    benchmark::DoNotOptimize(kept);
    return packed.size() * (packed.size() - 1) / 2.0;
}

// Every closed form, with its standard error (a list) and d alone (a matrix).
void BM_FormulaRows(benchmark::State& state) {
    DistanceOptions options;
    options.model = kAllModels[state.range(0)];
    options.criterion = Criterion::Formula;
    options.threads = 1;
    options.standardErrors = state.range(1) != 0;
    const double pairs = PairsPerSecond(state, options);
    state.SetLabel(FactsOf(options.model).word);
    state.counters["pairs/s"] =
        benchmark::Counter(pairs, benchmark::Counter::kIsIterationInvariantRate);
}
BENCHMARK(BM_FormulaRows)
    ->ArgsProduct({{0, 1, 2, 3, 4, 5, 6, 8, 10, 11}, {0, 1}})
    ->ArgNames({"model", "errors"})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

// A list keeping d <= 0.05 against the same list in full, on sequences long
// enough for the count to matter: the closed forms whose d grows with the
// differences stop counting most pairs early.
void BM_BoundedList(benchmark::State& state) {
    static const Alignment longer = Simulated(120, 20000);
    DistanceOptions options;
    options.model = static_cast<ModelKind>(state.range(0));
    options.criterion = Criterion::Formula;
    options.threads = 1;
    if (state.range(1)) options.maxD = 0.05;
    const double pairs = PairsPerSecond(state, options, longer);
    state.SetLabel(FactsOf(options.model).word);
    state.counters["pairs/s"] =
        benchmark::Counter(pairs, benchmark::Counter::kIsIterationInvariantRate);
}
BENCHMARK(BM_BoundedList)
    ->ArgsProduct({{static_cast<int>(ModelKind::JC69), static_cast<int>(ModelKind::K80),
                    static_cast<int>(ModelKind::TN93)},
                   {0, 1}})
    ->ArgNames({"model", "bounded"})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

}  // namespace
}  // namespace dyvern
