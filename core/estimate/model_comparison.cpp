#include "estimate/model_comparison.h"

#include <cmath>
#include <iterator>

#include "stats/chi_square_tail.h"

namespace dyvern {
namespace {

constexpr std::size_t kModels = std::size(kLikelihoodModels);

std::size_t IndexOf(ModelKind model) {
    std::size_t m = 0;
    while (kLikelihoodModels[m] != model) ++m;
    return m;
}

// Akaike weights of the scores (smaller is better), and the index of the best.
std::size_t Weigh(const std::vector<double>& score, std::vector<double>& weight) {
    std::size_t best = 0;
    for (std::size_t m = 1; m < score.size(); ++m)
        if (score[m] < score[best]) best = m;
    weight.assign(score.size(), 0.0);
    double sum = 0.0;
    for (std::size_t m = 0; m < score.size(); ++m)
        sum += weight[m] = std::exp(-0.5 * (score[m] - score[best]));
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

std::vector<NamedSymmetryTest> SymmetryTestsOf(const ModelComparison& comparison) {
    return {{"Bowker", comparison.symmetry.bowker},
            {"Stuart", comparison.symmetry.stuart},
            {"internal", comparison.symmetry.internal}};
}

bool RejectsSymmetry(const ModelComparison& comparison) {
    constexpr double kLevel = 0.05;
    for (const NamedSymmetryTest& named : SymmetryTestsOf(comparison))
        if (named.test.defined && named.test.prob < kLevel) return true;
    return false;
}

ModelComparison CompareModels(const DivergenceCounts& counts, int siteCount,
                              Uncertainty uncertainty, const FitOptions& options) {
    ModelComparison comparison;
    comparison.symmetry = TestSymmetry(counts);
    for (const ModelKind model : kLikelihoodModels)
        comparison.fits.push_back(
            FitPair(counts, siteCount, model, Criterion::MaxLikelihood, uncertainty, options));
    for (const NestedPair& pair : kNestedPairs)
        comparison.tests.push_back(TestNested(comparison.fits[IndexOf(pair.null)],
                                              comparison.fits[IndexOf(pair.alternative)]));
    std::vector<double> aic(kModels), bic(kModels);
    comparison.ranked = true;
    for (std::size_t m = 0; m < kModels; ++m) {
        aic[m] = comparison.fits[m].aic;
        bic[m] = comparison.fits[m].bic;
        comparison.ranked = comparison.ranked && std::isfinite(aic[m]) && std::isfinite(bic[m]);
    }
    if (!comparison.ranked) {
        comparison.aicWeights.assign(kModels, kNotApplicable);
        comparison.bicWeights.assign(kModels, kNotApplicable);
        return comparison;
    }
    comparison.bestAIC = kLikelihoodModels[Weigh(aic, comparison.aicWeights)];
    comparison.bestBIC = kLikelihoodModels[Weigh(bic, comparison.bicWeights)];
    return comparison;
}

}  // namespace dyvern
