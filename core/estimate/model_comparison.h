// The likelihood fits of every model of the family to one pair table side by
// side: likelihood-ratio tests of the nested pairs, Akaike weights by AIC and
// by BIC, and the model each criterion prefers.
#pragma once

#include <vector>

#include "estimate/pair_fit.h"
#include "model/model_family.h"
#include "stats/symmetry_tests.h"

namespace dyvern {

// 2 (lnL alternative - lnL null), clamped at 0 from below, against a
// chi-square with df = the difference in free parameters. On a boundary
// (kappa at 0 or +inf, a rate at 0) the chi-square is only an approximation.
struct LikelihoodRatioTest {
    ModelKind null = ModelKind::JC69;
    ModelKind alternative = ModelKind::K80;
    int df = 0;
    double statistic = kNotApplicable;
    double prob = kNotApplicable;
};

LikelihoodRatioTest TestNested(const PairFit& null, const PairFit& alternative);

struct ModelComparison {
    std::vector<PairFit> fits;  // by maximum likelihood, in kLikelihoodModels order
    std::vector<LikelihoodRatioTest> tests;  // in kNestedPairs order
    // exp(-delta/2) normalised over the models; NaN when the table is unfittable.
    std::vector<double> aicWeights;
    std::vector<double> bicWeights;
    bool ranked = false;  // false: no likelihoods to rank, and no best model
    ModelKind bestAIC = ModelKind::JC69;
    ModelKind bestBIC = ModelKind::JC69;
    // Whether the table is as symmetric as every one of these models assumes.
    SymmetryTests symmetry;
};

// The symmetry tests in the order they are shown, with their names.
struct NamedSymmetryTest {
    const char* name;  // "Bowker", "Stuart", "internal"
    const SymmetryTest& test;
};
std::vector<NamedSymmetryTest> SymmetryTestsOf(const ModelComparison& comparison);

// Whether a defined symmetry test rejects at 5%.
bool RejectsSymmetry(const ModelComparison& comparison);

ModelComparison CompareModels(const DivergenceCounts& counts, int siteCount,
                              Uncertainty uncertainty = Uncertainty::Full,
                              const FitOptions& options = {});

}  // namespace dyvern
