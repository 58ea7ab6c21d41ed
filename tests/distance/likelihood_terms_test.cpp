// The reduced likelihood against the window's model cell by cell, and its
// derivatives against finite differences of its own values.
#include "distance/likelihood_terms.h"

#include <gtest/gtest.h>

#include <cmath>

#include "model/hkymodel.h"

namespace dyvern {
namespace {

constexpr DivergenceCounts kTable = {
    {{262, 1, 8, 2}, {1, 266, 0, 29}, {14, 0, 82, 0}, {1, 23, 0, 206}}};

// The window's bt, kappa and frequencies of the coordinates.
double WindowLogLikelihood(const Coordinates& x) {
    FitTarget target;
    target.modelKind = ModelKind::HKY85;
    target.siteCount = 895;
    target.observed = kTable;
    const double r = x[kR];
    return HKYModel(target, x[kV], x[kS] / x[kV], r * x[kShareA], (1 - r) * x[kShareC],
                    r * (1 - x[kShareA]))
        .LogLikelihood();
}

const Coordinates kPoints[] = {
    {0.1, 3.0, 0.45, 0.6, 0.5}, {0.02, 0.01, 0.3, 0.2, 0.7}, {1.5, 4.0, 0.6, 0.5, 0.35},
    {0.3, 0.3, 0.5, 0.5, 0.5},  {5.0, 0.2, 0.2, 0.9, 0.1},
};

TEST(LikelihoodTerms, ValueIsTheCellByCellLogLikelihood) {
    const LikelihoodTerms terms = TermsOf(kTable);
    for (const Coordinates& x : kPoints) {
        const double expected = WindowLogLikelihood(x);
        EXPECT_NEAR(LogLikelihoodAt(terms, x), expected, 1e-11 * std::fabs(expected));
        EXPECT_EQ(ExpandLogLikelihood(terms, x).value, LogLikelihoodAt(terms, x));
    }
}

TEST(LikelihoodTerms, DerivativesMatchCentralDifferences) {
    const LikelihoodTerms terms = TermsOf(kTable);
    for (const Coordinates& x : kPoints) {
        const LikelihoodExpansion e = ExpandLogLikelihood(terms, x);
        for (int i = 0; i < kCoordinates; ++i) {
            const double h = 1e-5 * std::max(x[i], 0.01);
            Coordinates up = x, down = x;
            up[i] += h;
            down[i] -= h;
            const double slope =
                (LogLikelihoodAt(terms, up) - LogLikelihoodAt(terms, down)) / (2 * h);
            EXPECT_NEAR(e.gradient[i], slope, 1e-5 * (std::fabs(slope) + 1)) << i;
            const LikelihoodExpansion eUp = ExpandLogLikelihood(terms, up);
            const LikelihoodExpansion eDown = ExpandLogLikelihood(terms, down);
            for (int j = 0; j < kCoordinates; ++j) {
                const double curve = (eUp.gradient[j] - eDown.gradient[j]) / (2 * h);
                EXPECT_NEAR(e.hessian[i][j], curve, 1e-5 * (std::fabs(curve) + 1)) << i << j;
            }
        }
    }
}

TEST(LikelihoodTerms, DistanceGradientMatchesDifferences) {
    for (const Coordinates& x : kPoints) {
        const Coordinates g = DistanceGradient(x);
        for (int i = 0; i < kCoordinates; ++i) {
            Coordinates up = x, down = x;
            up[i] += 1e-6;
            down[i] -= 1e-6;
            EXPECT_NEAR(g[i], (DistanceAt(up) - DistanceAt(down)) / 2e-6, 1e-7) << i;
        }
    }
}

}  // namespace
}  // namespace dyvern
