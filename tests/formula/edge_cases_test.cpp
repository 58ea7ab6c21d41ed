// The edges: no sites, bad counts and settings, no differences, saturation,
// frequencies that leave a form undefined, and TN93's fall-back to K80.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

#include "formula/formula_distance.h"
#include "model/model_family.h"

namespace dyvern::testing {
namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

DivergenceCounts Diagonal(double a, double c, double g, double t) {
    DivergenceCounts table{};
    table[A][A] = a, table[C][C] = c, table[G][G] = g, table[T][T] = t;
    return table;
}

const DivergenceCounts kEmpty{};
const DivergenceCounts kIdentical = Diagonal(25, 25, 25, 25);
const DivergenceCounts kIdenticalUneven = Diagonal(40, 10, 20, 30);
const DivergenceCounts kOrdinary{{{22, 1, 3, 1}, {1, 21, 2, 1}, {1, 1, 21, 1}, {1, 1, 1, 21}}};
// p = 0.8, past JC69's 3/4.
const DivergenceCounts kMostlyDifferent{
    {{5, 10, 5, 5}, {5, 5, 10, 5}, {5, 5, 5, 5}, {10, 5, 5, 5}}};
// Transversions only, Q = 0.6 > 1/2: K80's 1 - 2Q < 0.
const DivergenceCounts kTransversionsOnly{
    {{10, 10, 0, 10}, {10, 10, 10, 0}, {0, 10, 10, 10}, {10, 0, 10, 0}}};
// A and C swapped in sequence 2: det F < 0.
const DivergenceCounts kSwapped{{{0, 25, 0, 0}, {25, 0, 0, 0}, {0, 0, 25, 0}, {0, 0, 0, 25}}};
// Sequence 2 has no T.
const DivergenceCounts kNoTInSecond{{{30, 0, 0, 0}, {0, 30, 0, 0}, {0, 0, 30, 0}, {10, 0, 0, 0}}};
const DivergenceCounts kOnlyA = Diagonal(100, 0, 0, 0);
const DivergenceCounts kNegative{{{10, -1, 0, 0}, {0, 10, 0, 0}, {0, 0, 10, 0}, {0, 0, 0, 10}}};
const DivergenceCounts kNotFinite{{{10, kInf, 0, 0}, {0, 10, 0, 0}, {0, 0, 10, 0}, {0, 0, 0, 10}}};

FormulaSettings Pair() { return {}; }
FormulaSettings Gamma(double alpha) {
    FormulaSettings settings;
    settings.gammaShape = alpha;
    return settings;
}
FormulaSettings Given(double a, double c, double g, double t) {
    FormulaSettings settings;
    settings.origin = FrequencyOrigin::Given;
    settings.frequencies = settings.sequence1 = settings.sequence2 = {a, c, g, t};
    return settings;
}

struct Edge {
    const char* what;
    ModelKind model;
    const DivergenceCounts* table;
    FormulaSettings settings;
    FitStatus status;
    double d;                 // NaN: d must be NaN
    const char* problemWord;  // in the problem, for unfittable
};

using M = ModelKind;
constexpr FitStatus kUnfittable = FitStatus::Unfittable, kSaturated = FitStatus::Saturated;

const Edge kEdges[] = {
    {"no sites", M::JC69, &kEmpty, Pair(), kUnfittable, kNaN, "no sites"},
    {"a negative count", M::K80, &kNegative, Pair(), kUnfittable, kNaN, "negative"},
    {"an infinite count", M::Raw, &kNotFinite, Pair(), kUnfittable, kNaN, "not a finite"},
    {"a model without a formula", M::HKY85, &kOrdinary, Pair(), kUnfittable, kNaN, "closed form"},
    {"LogDet with gamma", M::LogDet, &kOrdinary, Gamma(0.5), kUnfittable, kNaN, "gamma"},
    {"paralinear with gamma", M::Paralinear, &kOrdinary, Gamma(0.5), kUnfittable, kNaN, "gamma"},
    {"raw with gamma", M::Raw, &kOrdinary, Gamma(0.5), kUnfittable, kNaN, "gamma"},
    {"a gamma shape of 0", M::JC69, &kOrdinary, Gamma(0), kUnfittable, kNaN, "gamma shape"},
    {"an infinite gamma shape", M::K80, &kOrdinary, Gamma(kInf), kUnfittable, kNaN, "gamma shape"},
    {"a negative frequency", M::F81, &kOrdinary, Given(-0.1, 0.5, 0.3, 0.3), kUnfittable, kNaN,
     "negative"},
    {"no frequency above 0", M::TN93, &kOrdinary, Given(0, 0, 0, 0), kUnfittable, kNaN, "all 0"},
    {"F81 on a single base", M::F81, &kOnlyA, Pair(), kUnfittable, kNaN, "single base"},
    {"F81 given a single base", M::F81, &kOrdinary, Given(1, 0, 0, 0), kUnfittable, kNaN,
     "single base"},
    {"T92 without G + C", M::T92, &kOrdinary, Given(0.5, 0, 0, 0.5), kUnfittable, kNaN, "G + C"},
    {"T92 without A + T", M::T92, &kOrdinary, Given(0, 0.5, 0.5, 0), kUnfittable, kNaN, "A + T"},
    {"F84 without pyrimidines", M::F84, &kOrdinary, Given(0.5, 0, 0.5, 0), kUnfittable, kNaN,
     "pyrimidine"},
    {"F84 with one purine and one pyrimidine", M::F84, &kOrdinary, Given(0.5, 0.5, 0, 0),
     kUnfittable, kNaN, "neither"},
    {"LogDet with a base absent", M::LogDet, &kNoTInSecond, Pair(), kUnfittable, kNaN, "absent"},
    {"paralinear with a base absent", M::Paralinear, &kNoTInSecond, Pair(), kUnfittable, kNaN,
     "absent"},
    {"paralinear given a composition without C", M::Paralinear, &kOrdinary,
     Given(0.5, 0, 0.25, 0.25), kUnfittable, kNaN, "absent"},
    {"JC69 past 3/4", M::JC69, &kMostlyDifferent, Pair(), kSaturated, kInf, nullptr},
    {"JC69 with gamma past 3/4", M::JC69, &kMostlyDifferent, Gamma(0.5), kSaturated, kInf, nullptr},
    {"K80 with half the sites transversions", M::K80, &kTransversionsOnly, Pair(), kSaturated,
     kInf, nullptr},
    {"F81 past E", M::F81, &kMostlyDifferent, Given(0.7, 0.1, 0.1, 0.1), kSaturated, kInf,
     nullptr},
    {"LogDet with det F < 0", M::LogDet, &kSwapped, Pair(), kSaturated, kInf, nullptr},
    {"paralinear with det F < 0", M::Paralinear, &kSwapped, Pair(), kSaturated, kInf, nullptr},
    // -1/4 ln(0.4 0.1 0.2 0.3) - ln 4: Gu and Li's LogDet is 0 at equal
    // composition only.
    {"LogDet without differences", M::LogDet, &kIdenticalUneven, Pair(), FitStatus::Identical,
     0.12177727428716856, nullptr},
};

TEST(Edges, StatusDistanceAndReason) {
    for (const Edge& e : kEdges) {
        SCOPED_TRACE(e.what);
        const FormulaDistance f = FormulaDistanceOf(e.model, *e.table, e.settings);
        EXPECT_EQ(f.status, e.status);
        if (std::isnan(e.d)) {
            EXPECT_TRUE(std::isnan(f.d)) << f.d;
        } else if (std::isinf(e.d)) {
            EXPECT_EQ(f.d, e.d);
        } else {
            EXPECT_NEAR(f.d, e.d, 1e-15);
        }
        if (e.status == FitStatus::Identical) {
            // LogDet's [sum 1/F_ii - 16] / 16n
            EXPECT_NEAR(f.variance, (2.5 + 10 + 5 + 10.0 / 3 - 16) / 1600, 1e-17);
        } else {
            EXPECT_TRUE(std::isnan(f.variance)) << f.variance;
        }
        if (e.problemWord) {
            ASSERT_NE(f.problem, nullptr);
            EXPECT_NE(std::string(f.problem).find(e.problemWord), std::string::npos) << f.problem;
        } else {
            EXPECT_EQ(f.problem, nullptr);
        }
    }
}

// Without differences every form gives 0 with variance 0 (the delta method's
// gradient is finite there), at equal composition LogDet too; given
// frequencies other than the pair's change nothing (paralinear's are the
// sequences' own, the table's here).
TEST(Edges, NoDifferences) {
    FormulaSettings uneven = Given(0.4, 0.1, 0.2, 0.3);
    uneven.sequence1 = uneven.sequence2 = {0.25, 0.25, 0.25, 0.25};
    for (const ModelKind model : kAllModels) {
        if (!Estimable(model, Estimation::Formula)) continue;
        for (const FormulaSettings& settings : {Pair(), uneven}) {
            SCOPED_TRACE(FactsOf(model).word);
            const FormulaDistance f = FormulaDistanceOf(model, kIdentical, settings);
            EXPECT_EQ(f.status, FitStatus::Identical);
            EXPECT_NEAR(f.d, 0.0, 1e-15);
            EXPECT_NEAR(f.variance, 0.0, 1e-18);
            EXPECT_TRUE(std::isnan(f.parameters.kappa));
        }
    }
}

// The kappas the forms measure are unbounded without transversions, and
// undetermined past saturation; the status says which.
TEST(Edges, NoTransversionsAndTheKappas) {
    const DivergenceCounts transitionsOnly{
        {{20, 0, 10, 0}, {0, 20, 0, 10}, {0, 0, 20, 0}, {0, 0, 0, 20}}};
    const FormulaDistance k80 = FormulaDistanceOf(ModelKind::K80, transitionsOnly, Pair());
    EXPECT_EQ(k80.status, FitStatus::NoTransversions);
    EXPECT_EQ(k80.parameters.kappa, kInf);
    EXPECT_NEAR(k80.d, -0.5 * std::log(1 - 2 * 0.2), 1e-15);  // P = 0.2
    const FormulaDistance tn93 = FormulaDistanceOf(ModelKind::TN93, transitionsOnly, Pair());
    EXPECT_EQ(tn93.status, FitStatus::NoTransversions);
    EXPECT_EQ(tn93.parameters.kappaR, kInf);
    EXPECT_EQ(tn93.parameters.kappaY, kInf);
    const FormulaDistance saturated = FormulaDistanceOf(ModelKind::K80, kTransversionsOnly, Pair());
    EXPECT_TRUE(std::isnan(saturated.parameters.kappa));
}

// Like the tn93 program, TN93 takes K80's formula when a frequency is 0
// (its k1 or k2 would be 0), whether the pair lacks the base or the given
// frequencies do; the two kappas are then K80's one.
TEST(Edges, TamuraNeiFallsBackToKimuraOnAMissingBase) {
    const DivergenceCounts noT{{{30, 2, 5, 0}, {3, 25, 1, 0}, {4, 1, 29, 0}, {0, 0, 0, 0}}};
    FormulaSettings givenWithGamma = Given(0.4, 0.3, 0.3, 0);
    givenWithGamma.gammaShape = 0.5;
    const struct {
        const DivergenceCounts* table;
        FormulaSettings settings;
    } cases[] = {
        {&noT, Pair()}, {&kOrdinary, Given(0.4, 0.3, 0.3, 0)}, {&kOrdinary, givenWithGamma}};
    for (const auto& c : cases) {
        const FormulaDistance tn93 = FormulaDistanceOf(ModelKind::TN93, *c.table, c.settings);
        const FormulaDistance k80 = FormulaDistanceOf(ModelKind::K80, *c.table, c.settings);
        EXPECT_TRUE(tn93.kimuraFallback);
        EXPECT_EQ(tn93.status, FitStatus::Ok);
        EXPECT_EQ(tn93.d, k80.d);
        EXPECT_EQ(tn93.variance, k80.variance);
        EXPECT_EQ(tn93.parameters.kappaR, k80.parameters.kappa);
        EXPECT_EQ(tn93.parameters.kappaY, k80.parameters.kappa);
        EXPECT_TRUE(std::isnan(tn93.parameters.kappa));
    }
    EXPECT_FALSE(FormulaDistanceOf(ModelKind::TN93, kOrdinary, Pair()).kimuraFallback);
}

TEST(Edges, WhichFormsHaveGamma) {
    for (const ModelKind model : kAllModels) {
        const bool expected = model == ModelKind::JC69 || model == ModelKind::F81 ||
                              model == ModelKind::K80 || model == ModelKind::T92 ||
                              model == ModelKind::K81 || model == ModelKind::F84 ||
                              model == ModelKind::TN93;
        EXPECT_EQ(HasGammaForm(model), expected) << FactsOf(model).word;
    }
}

}  // namespace
}  // namespace dyvern::testing
