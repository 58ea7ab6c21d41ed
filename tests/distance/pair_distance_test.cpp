// Fast distances against the refined fits of estimate/pair_fit.h on tables
// drawn from the model and on the edges of the parameter space.
#include "distance/pair_distance.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "estimate/pair_fit.h"
#include "support/reference_model.h"
#include "support/test_tables.h"

namespace dyvern {
namespace {

// Each model and criterion: the fast answer, or DistanceOf's where there is
// none, is the full fit's. Returns how many had a fast answer.
int ExpectSameAsFullFit(const DivergenceCounts& counts, int n, const char* what) {
    int fast = 0;
    for (const ModelKind model : kAllModels) {
        for (const Criterion criterion : {Criterion::MaxLikelihood, Criterion::LeastSquares}) {
            SCOPED_TRACE(::testing::Message() << what << ", model " << static_cast<int>(model)
                                              << ", criterion " << static_cast<int>(criterion));
            const PairFit full = FitPair(counts, n, model, criterion);
            const std::optional<PairDistance> quick = FastDistanceOf(counts, n, model, criterion);
            fast += quick.has_value();
            const PairDistance mine = quick.value_or(DistanceOf(counts, n, model, criterion));
            EXPECT_STREQ(StatusWord(mine.status), StatusWord(full.status));
            EXPECT_EQ(mine.sites, n);
            if (std::isfinite(full.d))
                EXPECT_NEAR(mine.d, full.d, 1e-10 * full.d + 1e-300);
            else
                EXPECT_EQ(std::isnan(mine.d), std::isnan(full.d)) << mine.d;
            if (std::isnan(full.seD))
                EXPECT_TRUE(std::isnan(mine.seD)) << mine.seD;
            else
                EXPECT_NEAR(mine.seD, full.seD, 1e-6 * full.seD);
        }
    }
    return fast;
}

// n sites drawn from HKY85 at distance d, the cells from the reference model.
DivergenceCounts DrawPair(std::mt19937& random, int n, double d) {
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    testing::Frequencies pi{};
    double sum = 0.0;
    for (double& f : pi) sum += f = 0.2 + unit(random);
    for (double& f : pi) f /= sum;
    const double kappa = 0.5 + 20.0 * unit(random) * unit(random);
    const double perBt =
        2 * (pi[A] + pi[G]) * (pi[C] + pi[T]) + 2 * kappa * (pi[A] * pi[G] + pi[C] * pi[T]);
    const DivergenceCounts joint = testing::ReferenceJoint(d / perBt, kappa, pi);
    std::vector<double> cells;
    for (const auto& row : joint) cells.insert(cells.end(), row.begin(), row.end());
    std::discrete_distribution<int> cell(cells.begin(), cells.end());
    DivergenceCounts counts{};
    for (int k = 0; k < n; ++k) {
        const int c = cell(random);
        counts[c / 4][c % 4] += 1;
    }
    return counts;
}

TEST(PairDistance, SameAsTheFullFitOnTablesFromTheModel) {
    std::mt19937 random(10);
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    int fast = 0;
    for (int k = 0; k < 120; ++k) {
        const int n = k % 3 == 0 ? 60 : k % 3 == 1 ? 300 : 1000;
        const double d = 0.005 + 1.2 * unit(random) * unit(random);
        DivergenceCounts counts = DrawPair(random, n, d);
        // Averaged ambiguity codes leave shares of a site in 36ths.
        if (k % 4 == 0) counts[A][G] += 18.0 / 36, counts[A][A] += 18.0 / 36;
        fast +=
            ExpectSameAsFullFit(counts, n + (k % 4 == 0), ("table " + std::to_string(k)).c_str());
    }
    // Tables like these are what matrices are made of: nearly all must take the fast path.
    EXPECT_GE(fast, 0.97 * 120 * 8);
}

TEST(PairDistance, SameAsTheFullFitOnTheEdges) {
    const struct {
        const char* what;
        DivergenceCounts counts;
    } cases[] = {
        {"identical", {{{30, 0, 0, 0}, {0, 20, 0, 0}, {0, 0, 25, 0}, {0, 0, 0, 25}}}},
        {"no transversions", {{{30, 0, 4, 0}, {0, 20, 0, 3}, {2, 0, 25, 0}, {0, 1, 0, 25}}}},
        {"kappa at 0", {{{40, 3, 0, 3}, {3, 40, 4, 1}, {0, 3, 40, 4}, {5, 0, 2, 40}}}},
        {"saturated", {{{5, 9, 9, 9}, {9, 5, 9, 9}, {9, 9, 5, 9}, {9, 9, 9, 5}}}},
        {"transitions saturated",
         {{{10, 2, 25, 2}, {2, 10, 2, 25}, {25, 2, 10, 2}, {2, 25, 2, 10}}}},
        {"no G", {{{50, 2, 0, 3}, {1, 40, 0, 5}, {0, 0, 0, 0}, {2, 6, 0, 45}}}},
        {"only A and C", {{{50, 3, 0, 0}, {4, 40, 0, 0}, {0, 0, 0, 0}, {0, 0, 0, 0}}}},
        {"one difference", {{{250, 0, 1, 0}, {0, 250, 0, 0}, {0, 0, 250, 0}, {0, 0, 0, 250}}}},
        {"no counts", {}},
        {"a negative count", {{{10, -1, 0, 0}, {0, 10, 0, 0}, {0, 0, 10, 0}, {0, 0, 0, 10}}}},
    };
    for (const auto& c : cases)
        ExpectSameAsFullFit(c.counts, static_cast<int>(testing::CellSum(c.counts)), c.what);
    ExpectSameAsFullFit(cases[1].counts, 0, "no sites");
}

}  // namespace
}  // namespace dyvern
