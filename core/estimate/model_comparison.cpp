#include "estimate/model_comparison.h"

#include <cmath>

#include "stats/chi_square_tail.h"

namespace dyvern {
namespace {

constexpr ModelKind kNestedPairs[4][2] = {{ModelKind::JC69, ModelKind::K80},
                                          {ModelKind::F81, ModelKind::HKY85},
                                          {ModelKind::JC69, ModelKind::F81},
                                          {ModelKind::K80, ModelKind::HKY85}};

// Akaike weights of the scores (smaller is better), and the index of the best.
int Weigh(const std::array<double, 4>& score, std::array<double, 4>& weight) {
    int best = 0;
    for (int m = 1; m < 4; ++m)
        if (score[m] < score[best]) best = m;
    double sum = 0.0;
    for (int m = 0; m < 4; ++m) sum += weight[m] = std::exp(-0.5 * (score[m] - score[best]));
    for (double& w : weight) w /= sum;
    return best;
}

}  // namespace

LikelihoodRatioTest TestNested(const PairFit& null, const PairFit& alternative) {
    LikelihoodRatioTest test;
    test.null = null.model;
    test.alternative = alternative.model;
    test.df = alternative.k - null.k;
    const double twice = 2.0 * (alternative.lnL - null.lnL);
    if (std::isnan(twice)) return test;
    test.statistic = twice > 0.0 ? twice : 0.0;
    test.prob = ChiSquareTail(test.statistic, test.df);
    return test;
}

ModelComparison CompareModels(const DivergenceCounts& counts, int siteCount,
                              Uncertainty uncertainty) {
    ModelComparison comparison;
    for (const ModelKind model : kWindowModels)
        comparison.fits[static_cast<int>(model)] =
            FitPair(counts, siteCount, model, Criterion::MaxLikelihood, uncertainty);
    for (int t = 0; t < 4; ++t)
        comparison.tests[t] = TestNested(comparison.fits[static_cast<int>(kNestedPairs[t][0])],
                                         comparison.fits[static_cast<int>(kNestedPairs[t][1])]);
    std::array<double, 4> aic{}, bic{};
    comparison.ranked = true;
    for (int m = 0; m < 4; ++m) {
        aic[m] = comparison.fits[m].aic;
        bic[m] = comparison.fits[m].bic;
        comparison.ranked = comparison.ranked && std::isfinite(aic[m]) && std::isfinite(bic[m]);
    }
    if (!comparison.ranked) {
        comparison.aicWeights.fill(kNotApplicable);
        comparison.bicWeights.fill(kNotApplicable);
        return comparison;
    }
    comparison.bestAIC = static_cast<ModelKind>(Weigh(aic, comparison.aicWeights));
    comparison.bestBIC = static_cast<ModelKind>(Weigh(bic, comparison.bicWeights));
    return comparison;
}

}  // namespace dyvern
