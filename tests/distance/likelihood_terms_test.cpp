// The all-pairs fast path's hand-worked likelihood, in HKY85's coordinates
// and in TN93's, against the family's one description (model/criteria.h)
// evaluated on Jets: the same value, gradient and Hessian on random tables,
// at random points of the box and on its faces.
#include "distance/likelihood_terms.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "minimize/box_newton.h"
#include "model/criteria.h"
#include "model/model_coordinates.h"
#include "model/model_family.h"

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

// Points inside the box, and some with a rate at 0 or a share on a face
// where the cells it empties hold no counts; rates (v, then the
// transitions') first, then the shares r, a, c.
template <class Layout>
Point<Layout::kSize> RandomPoint(std::mt19937& random, int k) {
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    Point<Layout::kSize> x;
    x[Layout::kV] = 3.0 * unit(random);
    x[Layout::kSR] = 5.0 * unit(random);
    x[Layout::kSY] = Layout::kSY == Layout::kSR ? x[Layout::kSR] : 5.0 * unit(random);
    x[Layout::kR] = 0.05 + 0.9 * unit(random);
    x[Layout::kA] = unit(random);
    x[Layout::kC] = unit(random);
    if (k % 5 == 1) x[Layout::kSR] = 0.0;
    if (k % 5 == 2) x[Layout::kSY] = 0.0;
    if (k % 7 == 3) x[Layout::kA] = 1.0;
    return x;
}

// The terms in a layout against the family's lnL in model M's coordinates,
// which are the layout's.
template <class Layout, ModelKind M>
void ExpectTheFamilysLikelihood(std::uint32_t seed) {
    constexpr int N = Layout::kSize;
    std::mt19937 random(seed);
    FreeMask<N> all;
    all.fill(true);
    for (int k = 0; k < 400; ++k) {
        const DivergenceCounts counts = RandomTable(random);
        const Point<N> x = RandomPoint<Layout>(random, k);
        const PairData data = MakePairData(counts, 100);
        const Jet<N> family = LogLikelihood(data, ModelCoordinates<M>::RatesAt(JetsAt<N>(x, all)));
        if (!std::isfinite(family.value)) continue;
        const Jet<N> terms = ExpandLogLikelihood<Layout>(TermsOf(counts), x);
        SCOPED_TRACE(::testing::Message() << FactsOf(M).word << ", table " << k);
        ExpectClose(LogLikelihoodAt<Layout>(TermsOf(counts), x), family.value, 0.0, "lnL");
        ExpectClose(terms.value, family.value, 0.0, "lnL with derivatives");
        double scale = 0.0;
        for (int i = 0; i < N; ++i)
            for (int j = i; j < N; ++j) scale = std::fmax(scale, std::fabs(family.hessian[i][j]));
        for (int i = 0; i < N; ++i) {
            ExpectClose(terms.gradient[i], family.gradient[i], scale, "gradient");
            for (int j = i; j < N; ++j)
                ExpectClose(terms.SecondDerivative(i, j), family.SecondDerivative(i, j), scale,
                            "Hessian");
        }
    }
}

TEST(LikelihoodTerms, EqualTheFamilysLikelihoodAndItsDerivatives) {
    ExpectTheFamilysLikelihood<HkyLayout, ModelKind::HKY85>(16);
    ExpectTheFamilysLikelihood<TamuraNeiLayout, ModelKind::TN93>(17);
}

}  // namespace
}  // namespace dyvern
