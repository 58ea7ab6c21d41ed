// Estimates from Powell's method against closed forms derived from the
// model's transition probabilities. With kappa 1 every difference has
// probability pi_i pi_j (1 - e^-bt), so differences make up
// (1 - sum pi^2)(1 - e^-bt) of the sites; with equal frequencies the
// likelihood depends only on the totals of identical pairs, transitions and
// transversions, and the estimates make the expected proportions the observed:
//   JC69 (either criterion): p = 3/4 (1 - e^-bt)  =>  bt = -ln(1 - 4p/3)
//   F81, least squares, frequencies pi fixed:     bt = -ln(1 - p / (1 - sum pi^2))
//   K80:  Q = 1/2 (1 - e^-bt), P = 1/4 (1 + e^-bt - 2 e^-bt(kappa+1)/2)
//         =>  bt = -ln(1 - 2Q),  kappa = 2 ln(1 - 2P - Q) / ln(1 - 2Q) - 1
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "fit/model_fit.h"
#include "support/reference_model.h"
#include "support/test_tables.h"

namespace dyvern {
namespace {

using testing::TargetFor;

// Tables of assorted divergence, each total spread unevenly over its cells so
// that nothing depends on symmetry and the base composition is not equal.
std::vector<DivergenceCounts> Tables() {
    const double totals[][3] = {{92, 5, 3},       {350, 60, 90}, {298, 1, 1},       {720, 16, 64},
                                {1300, 600, 100}, {48, 6, 6},    {7300, 1500, 1200}};
    const double weights[] = {0.31, 0.17, 0.29, 0.23, 0.05, 0.11, 0.07, 0.13};
    const double weightSums[] = {1.0, 1.0, 1.36};  // of the first 4, 4 and 8 weights
    std::vector<DivergenceCounts> tables{testing::WorkedTable(), testing::SampleTable()};
    for (const auto& total : totals) {
        DivergenceCounts counts{};
        int seen[3] = {0, 0, 0};
        for (int i = 0; i < 4; ++i) {
            for (int j = 0; j < 4; ++j) {
                const int kind = static_cast<int>(KindOfPair(i, j));
                counts[i][j] = total[kind] * weights[seen[kind]++] / weightSums[kind];
            }
        }
        tables.push_back(counts);
    }
    return tables;
}

double ShareOf(const DivergenceCounts& counts, PairKind kind) {
    double sum = 0.0;
    for (int i = 0; i < 4; ++i)
        for (int j = 0; j < 4; ++j)
            if (KindOfPair(i, j) == kind) sum += counts[i][j];
    return sum / testing::CellSum(counts);
}

TEST(ClosedFormEstimates, JukesCantorFelsensteinAndKimuraOverManyTables) {
    for (const DivergenceCounts& table : Tables()) {
        const double P = ShareOf(table, PairKind::Transition);
        const double Q = ShareOf(table, PairKind::Transversion);
        SCOPED_TRACE(::testing::Message() << "P = " << P << ", Q = " << Q);
        for (const Criterion criterion : {Criterion::MaxLikelihood, Criterion::LeastSquares}) {
            const ModelFit jc = FitModel(TargetFor(table, ModelKind::JC69, criterion), {});
            EXPECT_NEAR(jc.estimates.betat / -std::log(1 - 4 * (P + Q) / 3), 1.0, 1e-5);
            EXPECT_EQ(jc.estimates.kappa, 1.0);
            EXPECT_EQ(jc.estimates.piA, 0.25);
        }
        const testing::Frequencies pi = testing::Composition(table);
        const double homogeneity = pi[A] * pi[A] + pi[C] * pi[C] + pi[G] * pi[G] + pi[T] * pi[T];
        const ModelFit f81 = FitModel(TargetFor(table, ModelKind::F81, Criterion::LeastSquares),
                                      {0.1, 1.0, pi[A], pi[C], pi[G]});
        EXPECT_NEAR(f81.estimates.betat / -std::log(1 - (P + Q) / (1 - homogeneity)), 1.0, 1e-5);
        EXPECT_EQ(f81.estimates.piG, pi[G]);
        EXPECT_LT(f81.minimum, 1e-14);

        const ModelFit k80 = FitModel(TargetFor(table, ModelKind::K80), {});
        const double bt = -std::log(1.0 - 2.0 * Q);
        const double kappa = 2.0 * std::log(1.0 - 2.0 * P - Q) / std::log(1.0 - 2.0 * Q) - 1.0;
        // The search stops on the fall of lnL, which is flat to second order
        // along the correlated bt-kappa ridge: the parameters agree less
        // closely than the likelihood does.
        EXPECT_NEAR(k80.estimates.betat / bt, 1.0, 5e-5);
        EXPECT_NEAR(k80.estimates.kappa / kappa, 1.0, 5e-5);
        const double lnL = testing::ReferenceLnL(
            table, testing::ReferenceJoint(bt, kappa, testing::kEqualFrequencies));
        EXPECT_NEAR(-k80.minimum / lnL, 1.0, 1e-9);
    }
}

TEST(ClosedFormEstimates, SampleOptimaMatchAnIndependentFit) {
    const DivergenceCounts sample = testing::SampleTable();
    const ModelFit jc = FitModel(TargetFor(sample, ModelKind::JC69), {});
    EXPECT_NEAR(-jc.minimum, -1594.692558, 1e-6);
    EXPECT_NEAR(jc.estimates.betat, 0.125213, 5e-7);
    const ModelFit k80 = FitModel(TargetFor(sample, ModelKind::K80), {});
    EXPECT_NEAR(-k80.minimum, -1530.006297, 1e-6);
    EXPECT_NEAR(k80.estimates.kappa, 32.37011, 1e-4);
}

}  // namespace
}  // namespace dyvern
