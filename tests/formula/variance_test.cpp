// The variances where ape's are wrong or missing, by two methods that do not
// use the library's gradients: the delta method with finite differences of
// d (every model, with and without gamma, both sources of frequencies), and
// the spread of d over simulated tables. The delta method's variance is
// exact only to first order, so the simulation takes many sites.
#include <gtest/gtest.h>

#include <cmath>

#include "alignment_pairs.h"
#include "model/model_family.h"
#include "variance_checks.h"

namespace dyvern::testing {
namespace {

struct PairOf {
    bool primates;  // or simulated_seed19.fasta: gaps, ambiguity codes, deep pairs
    int i, j;
};

// Human-Chimpanzee and Human-Gibbon, the closest and the farthest primates;
// two simulated pairs, one of the closest and one of the farthest.
constexpr PairOf kPairs[] = {{true, 0, 1}, {true, 0, 4}, {false, 0, 1}, {false, 2, 7}};

struct Setting {
    std::optional<double> gamma;
    FrequencyOrigin origin;
};

constexpr FrequencyOrigin kPair = FrequencyOrigin::Pair, kGiven = FrequencyOrigin::Given;

FormulaSettings SettingsFor(const AlignmentPairs& pairs, int i, int j, const Setting& s) {
    FormulaSettings settings = OutsideFrequencies(pairs, i, j);
    settings.origin = s.origin;
    settings.gammaShape = s.gamma;
    return settings;
}

DistanceOfTable DistanceWith(ModelKind model, const FormulaSettings& settings) {
    return [model, settings](const DivergenceCounts& counts) {
        return FormulaDistanceOf(model, counts, settings).d;
    };
}

// Finite differences with a step of 1e-5 of each count agree with the exact
// gradient to some 1e-9 (truncation 1e-10, rounding 1e-11 of d over the
// step); 1e-6 leaves room and still catches any wrong term.
TEST(Variances, TheDeltaMethodByFiniteDifferences) {
    const AlignmentPairs primates = ReadPairs(PrimatesPath());
    const AlignmentPairs simulated = ReadPairs(FormulaDataPath("simulated_seed19.fasta"));
    for (const ModelKind model : kAllModels) {
        if (!Estimable(model, Estimation::Formula)) continue;
        for (const Setting s : {Setting{std::nullopt, kPair}, Setting{std::nullopt, kGiven},
                                Setting{0.5, kPair}, Setting{0.5, kGiven}}) {
            if (s.gamma && !HasGammaForm(model)) continue;
            for (const PairOf& p : kPairs) {
                SCOPED_TRACE(::testing::Message()
                             << FactsOf(model).word << " gamma " << s.gamma.value_or(0)
                             << (s.origin == kPair ? " pair " : " given ") << p.i << " " << p.j);
                const AlignmentPairs& pairs = p.primates ? primates : simulated;
                const FormulaSettings settings = SettingsFor(pairs, p.i, p.j, s);
                const DivergenceCounts counts = PairCounts(pairs, p.i, p.j);
                const FormulaDistance f = FormulaDistanceOf(model, counts, settings);
                ASSERT_EQ(f.status, FitStatus::Ok);
                const double numerical = NumericalVariance(DistanceWith(model, settings), counts);
                EXPECT_NEAR(f.variance / numerical, 1.0, 1e-6) << f.variance << " " << numerical;
            }
        }
    }
}

struct SimulatedCase {
    ModelKind model;
    Setting setting;
};

// Where ape is wrong (raw, JC69 and F81 with gamma, K81, LogDet,
// paralinear) and where it has nothing (the pair's frequencies varying with
// the table, gamma for K81 and T92, paralinear on the table's margins).
constexpr SimulatedCase kSimulated[] = {
    {ModelKind::Raw, {std::nullopt, kGiven}},
    {ModelKind::JC69, {0.5, kGiven}},
    {ModelKind::F81, {0.5, kGiven}},
    {ModelKind::F81, {std::nullopt, kPair}},
    {ModelKind::K81, {std::nullopt, kGiven}},
    {ModelKind::K81, {0.5, kGiven}},
    {ModelKind::T92, {0.5, kPair}},
    {ModelKind::F84, {std::nullopt, kPair}},
    {ModelKind::TN93, {0.5, kPair}},
    {ModelKind::LogDet, {std::nullopt, kGiven}},
    {ModelKind::Paralinear, {std::nullopt, kPair}},
    {ModelKind::Paralinear, {std::nullopt, kGiven}},
};

// Tables of 50,000 sites drawn from Human-Gibbon's proportions. With 20,000
// replicates the sample variance of a near-normal d has a relative standard
// error of sqrt(2/20,000) = 1%, and the delta method's own error is of
// order 1/n, a small fraction of that at this n; a 5% tolerance is five
// standard errors. ape's variances of these cases are off by 40% to many
// times (its LogDet by 1.5 to 3.5%, which only the finite differences above
// resolve).
TEST(Variances, TheSpreadOfDOverSimulatedTables) {
    constexpr int kSites = 50000, kReplicates = 20000;
    const AlignmentPairs primates = ReadPairs(PrimatesPath());
    const DivergenceCounts table = PairCounts(primates, 0, 4);
    double total = 0.0;
    for (const auto& row : table)
        for (const double cell : row) total += cell;
    DivergenceCounts expected = table;
    for (auto& row : expected)
        for (double& cell : row) cell *= kSites / total;
    std::uint64_t seed = 20240;
    for (const SimulatedCase& c : kSimulated) {
        SCOPED_TRACE(::testing::Message()
                     << FactsOf(c.model).word << " gamma " << c.setting.gamma.value_or(0)
                     << (c.setting.origin == kPair ? " pair" : " given"));
        const FormulaSettings settings = SettingsFor(primates, 0, 4, c.setting);
        const double predicted = FormulaDistanceOf(c.model, expected, settings).variance;
        const double spread =
            ReplicateVariance(DistanceWith(c.model, settings), table, kSites, kReplicates, ++seed);
        EXPECT_NEAR(spread / predicted, 1.0, 0.05) << spread << " " << predicted;
    }
}

}  // namespace
}  // namespace dyvern::testing
