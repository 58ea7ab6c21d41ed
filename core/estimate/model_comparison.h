// The four likelihood fits of one pair table side by side: likelihood-ratio
// tests of the nested pairs, Akaike weights by AIC and by BIC, and the model
// each criterion prefers.
#pragma once

#include <array>

#include "estimate/pair_fit.h"
#include "model/model_family.h"

namespace dyvern {

// 2 (lnL alternative - lnL null), clamped at 0 from below, against a
// chi-square with df = the difference in free parameters. On a boundary
// (kappa at 0 or +inf) the chi-square is only an approximation.
struct LikelihoodRatioTest {
    ModelKind null = ModelKind::JC69;
    ModelKind alternative = ModelKind::K80;
    int df = 0;
    double statistic = kNotApplicable;
    double prob = kNotApplicable;
};

LikelihoodRatioTest TestNested(const PairFit& null, const PairFit& alternative);

struct ModelComparison {
    std::array<PairFit, 4> fits;  // maximum likelihood, in kWindowModels order
    // JC69 vs K80 and F81 vs HKY85 (1 df), JC69 vs F81 and K80 vs HKY85 (3 df).
    std::array<LikelihoodRatioTest, 4> tests;
    // exp(-delta/2) normalised over the four; NaN when the table is unfittable.
    std::array<double, 4> aicWeights{};
    std::array<double, 4> bicWeights{};
    bool ranked = false;  // false: no likelihoods to rank, and no best model
    ModelKind bestAIC = ModelKind::JC69;
    ModelKind bestBIC = ModelKind::JC69;
};

ModelComparison CompareModels(const DivergenceCounts& counts, int siteCount,
                              Uncertainty uncertainty = Uncertainty::Full);

}  // namespace dyvern
