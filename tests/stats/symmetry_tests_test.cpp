// Bowker's, Stuart's and the internal symmetry test against R (mcnemar.test
// and a matrix computation), hand-worked tables, tables built from a model
// (stationary: nothing to find; a changed composition: rejected), the
// sparse tables each test leaves undefined, and the invariances every
// correct statistic has.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "model/divergence.h"
#include "reference_files.h"
#include "stats/symmetry_tests.h"

namespace dyvern {
namespace {

using testing::Number;
using testing::Numbers;
using testing::ReferenceRows;
using testing::RelativeError;

DivergenceCounts TableOf(const std::vector<double>& cells) {
    DivergenceCounts counts{};
    for (int i = 0; i < 4; ++i)
        for (int j = 0; j < 4; ++j) counts[i][j] = cells.at(4 * i + j);
    return counts;
}

// A reference statistic NA means not defined.
void ExpectTest(const SymmetryTest& test, double statistic, double df, double prob) {
    if (std::isnan(prob)) {
        EXPECT_FALSE(test.defined) << test.statistic;
        EXPECT_STRNE(test.reason, "");
        return;
    }
    ASSERT_TRUE(test.defined) << test.reason;
    EXPECT_EQ(test.df, static_cast<int>(df));
    EXPECT_NEAR(test.statistic, statistic, 1e-12 * statistic + 1e-13);
    EXPECT_LE(RelativeError(test.prob, prob), 1e-12);
}

TEST(SymmetryTests, MatchRsMcnemarTestAndMatrixComputation) {
    for (const auto& row : ReferenceRows("symmetry.tsv")) {
        SCOPED_TRACE(row[0]);
        const SymmetryTests tests = TestSymmetry(TableOf(Numbers(row[0])));
        ExpectTest(tests.bowker, Number(row[1]), Number(row[2]), Number(row[3]));
        ExpectTest(tests.stuart, Number(row[4]), 3, Number(row[5]));
        ExpectTest(tests.internal, Number(row[6]), Number(row[7]), Number(row[8]));
        EXPECT_EQ(BowkerTest(TableOf(Numbers(row[0]))).statistic, tests.bowker.statistic);
        EXPECT_EQ(StuartTest(TableOf(Numbers(row[0]))).statistic, tests.stuart.statistic);
    }
}

// Worked by hand; P values from R's pchisq. NaN: not defined.
TEST(SymmetryTests, HandWorkedTables) {
    const double na = std::nan("");
    const struct {
        const char* what;
        DivergenceCounts counts;
        double bowker, bowkerDf, bowkerP, stuart, stuartP, internal, internalDf, internalP;
    } cases[] = {
        // One pair, (3 - 1)^2 / 4 = 1 on 1 df; A and C alone linked.
        {"one pair", {{{10, 3, 0, 0}, {1, 10, 0, 0}, {0, 0, 10, 0}, {0, 0, 0, 10}}},
         1.0, 1, 0.3173105078629141484, na, na, na, na, na},
        // The same in quarters, as ambiguity codes leave them: 0.0625 / 0.75.
        {"quarters", {{{2.5, 0.5, 0, 0}, {0.25, 1.75, 0, 0}, {0, 0, 3, 0}, {0, 0, 0, 1}}},
         1.0 / 12.0, 1, 0.7728299926844476309, na, na, na, na, na},
        // A -> C -> G -> A four times, the T pairs even: margins equal, so
        // Stuart's 0, and Bowker's 3 x 16/4 = 12 is all internal.
        {"cycle", {{{20, 4, 0, 2}, {0, 20, 4, 2}, {4, 0, 20, 2}, {2, 2, 2, 20}}},
         12.0, 6, 0.0619688044166589597, 0.0, 1.0, 12.0, 3, 0.0073831605053597711},
        // A star on A: a tree, on which the margins fix every pair's
        // difference, so Stuart's equals Bowker's (16/6 + 16/8 + 0) and no
        // df is left for the internal test.
        {"star", {{{30, 5, 2, 3}, {1, 30, 0, 0}, {6, 0, 30, 0}, {3, 0, 0, 30}}},
         14.0 / 3.0, 3, 0.1978971262103674800, 14.0 / 3.0, 0.1978971262103674800, na, na, na},
        // Transitions alone: A-G and C-T apart, V singular.
        {"transitions", {{{50, 0, 3, 0}, {0, 50, 0, 1}, {1, 0, 50, 0}, {0, 1, 0, 50}}},
         1.0, 2, std::exp(-0.5), na, na, na, na, na},
        {"identical", {{{50, 0, 0, 0}, {0, 40, 0, 0}, {0, 0, 30, 0}, {0, 0, 0, 20}}},
         na, na, na, na, na, na, na, na},
        {"empty", DivergenceCounts{}, na, na, na, na, na, na, na, na},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const SymmetryTests tests = TestSymmetry(c.counts);
        ExpectTest(tests.bowker, c.bowker, c.bowkerDf, c.bowkerP);
        ExpectTest(tests.stuart, c.stuart, 3, c.stuartP);
        ExpectTest(tests.internal, c.internal, c.internalDf, c.internalP);
    }
}

// K80 transition probabilities in closed form (transition rate a,
// transversion rate b to each base) from a first sequence of composition pi1.
DivergenceCounts K80Table(const double (&pi1)[4], double a, double b, double t, double n) {
    const double e1 = std::exp(-4.0 * b * t), e2 = std::exp(-2.0 * (a + b) * t);
    DivergenceCounts counts{};
    for (int i = 0; i < 4; ++i)
        for (int j = 0; j < 4; ++j) {
            const PairKind kind = KindOfPair(i, j);
            const double p = kind == PairKind::Identical    ? 0.25 + 0.25 * e1 + 0.5 * e2
                             : kind == PairKind::Transition ? 0.25 + 0.25 * e1 - 0.5 * e2
                                                            : 0.25 - 0.25 * e1;
            counts[i][j] = n * pi1[i] * p;
        }
    return counts;
}

// From equal bases the table is symmetric: nothing to find. From a first
// sequence rich in A and T the second drifts back towards equal bases, so
// the compositions differ and both Bowker and Stuart reject, while the
// pairs stay quasi-symmetric (n_ij = pi1_i s_ij, s symmetric) and the
// internal test has nothing to find.
TEST(SymmetryTests, AStationaryTableIsSymmetricAndAChangedCompositionRejected) {
    const double uniform[4] = {0.25, 0.25, 0.25, 0.25}, atRich[4] = {0.4, 0.1, 0.1, 0.4};
    const SymmetryTests same = TestSymmetry(K80Table(uniform, 0.4, 0.1, 0.5, 1000.0));
    for (const SymmetryTest* test : {&same.bowker, &same.stuart, &same.internal}) {
        ASSERT_TRUE(test->defined) << test->reason;
        EXPECT_NEAR(test->statistic, 0.0, 1e-12);
        EXPECT_NEAR(test->prob, 1.0, 1e-12);
    }
    const SymmetryTests changed = TestSymmetry(K80Table(atRich, 0.4, 0.1, 0.5, 1000.0));
    ASSERT_TRUE(changed.bowker.defined && changed.stuart.defined && changed.internal.defined);
    EXPECT_LT(changed.bowker.prob, 1e-6);
    EXPECT_LT(changed.stuart.prob, 1e-6);
    EXPECT_GT(changed.internal.prob, 0.5);
}

// Naming the bases in another order, or swapping the sequences, changes
// no statistic: Stuart's then leaves out another base's margin.
TEST(SymmetryTests, StatisticsDoNotDependOnTheBasesOrderOrTheSequencesOrder) {
    for (const auto& row : ReferenceRows("symmetry.tsv")) {
        const DivergenceCounts counts = TableOf(Numbers(row[0]));
        const SymmetryTests tests = TestSymmetry(counts);
        const int orders[][4] = {{3, 2, 1, 0}, {1, 3, 0, 2}, {2, 0, 3, 1}};
        for (const auto& order : orders) {
            DivergenceCounts permuted{}, transposed{};
            for (int i = 0; i < 4; ++i)
                for (int j = 0; j < 4; ++j) {
                    permuted[i][j] = counts[order[i]][order[j]];
                    transposed[i][j] = counts[j][i];
                }
            for (const DivergenceCounts& other : {permuted, transposed}) {
                const SymmetryTests again = TestSymmetry(other);
                EXPECT_EQ(again.stuart.defined, tests.stuart.defined);
                EXPECT_NEAR(again.bowker.statistic, tests.bowker.statistic, 1e-12);
                EXPECT_NEAR(again.stuart.statistic, tests.stuart.statistic,
                            1e-12 * tests.stuart.statistic);
            }
        }
    }
}

TEST(SymmetryTests, NegativeInfiniteOrNaNCountsLeaveEveryTestUndefined) {
    for (const double bad : {-1.0, HUGE_VAL, std::nan("")}) {
        DivergenceCounts counts = {{{10, 3, 2, 1}, {1, 10, 2, 3}, {2, 4, 10, 1}, {3, 1, 2, 10}}};
        counts[2][1] = bad;
        const SymmetryTests tests = TestSymmetry(counts);
        for (const SymmetryTest* test : {&tests.bowker, &tests.stuart, &tests.internal}) {
            EXPECT_FALSE(test->defined) << bad;
            EXPECT_STRNE(test->reason, "");
            EXPECT_EQ(test->statistic, 0.0);
        }
    }
}

}  // namespace
}  // namespace dyvern
