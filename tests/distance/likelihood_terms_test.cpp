// The all-pairs fast path's hand-worked likelihood against the family's one
// description (model/criteria.h) evaluated on Jets: the same value, gradient
// and Hessian on random tables, at random points of the box and on its faces.
#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "distance/likelihood_terms.h"
#include "minimize/box_newton.h"
#include "model/criteria.h"
#include "model/model_coordinates.h"

namespace dyvern {
namespace {

// |a - b| against the larger of the two and the scale of the whole expansion,
// where a sum of terms of that size cancels.
void ExpectClose(double a, double b, double scale, const char* what) {
    EXPECT_LE(std::fabs(a - b), 1e-10 * (std::fabs(b) + scale)) << what << ": " << a << " vs " << b;
}

DivergenceCounts RandomTable(std::mt19937& random) {
    std::uniform_int_distribution<int> count(0, 40);
    std::bernoulli_distribution empty(0.2);
    DivergenceCounts counts{};
    for (auto& row : counts)
        for (double& cell : row) cell = empty(random) ? 0.0 : count(random);
    counts[A][A] += 1.0;  // some sites to score
    return counts;
}

TEST(LikelihoodTerms, EqualTheFamilysLikelihoodAndItsDerivatives) {
    std::mt19937 random(16);
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    const FreeMask<kTermCoordinates> all{true, true, true, true, true};
    for (int k = 0; k < 400; ++k) {
        const DivergenceCounts counts = RandomTable(random);
        // Points inside the box, and some with a rate at 0 or a share on a face
        // where the cells it empties hold no counts.
        TermPoint x{3.0 * unit(random), 5.0 * unit(random), 0.05 + 0.9 * unit(random), unit(random),
                unit(random)};
        if (k % 5 == 1) x[kS] = 0.0;
        if (k % 7 == 3) x[kShareA] = 1.0;
        const PairData data = MakePairData(counts, 100);
        const TermJet family = LogLikelihood(
            data, ModelCoordinates<ModelKind::HKY85>::RatesAt(JetsAt<kTermCoordinates>(x, all)));
        if (!std::isfinite(family.value)) continue;
        const TermJet terms = ExpandLogLikelihood(TermsOf(counts), x);
        SCOPED_TRACE(::testing::Message() << "table " << k);
        ExpectClose(LogLikelihoodAt(TermsOf(counts), x), family.value, 0.0, "lnL");
        ExpectClose(terms.value, family.value, 0.0, "lnL with derivatives");
        double scale = 0.0;
        for (int i = 0; i < kTermCoordinates; ++i)
            for (int j = i; j < kTermCoordinates; ++j) scale = std::fmax(scale, std::fabs(family.hessian[i][j]));
        for (int i = 0; i < kTermCoordinates; ++i) {
            ExpectClose(terms.gradient[i], family.gradient[i], scale, "gradient");
            for (int j = i; j < kTermCoordinates; ++j)
                ExpectClose(terms.SecondDerivative(i, j), family.SecondDerivative(i, j), scale,
                            "Hessian");
        }
    }
}

}  // namespace
}  // namespace dyvern
