// Maximum-likelihood estimates from Powell's method against closed forms
// derived from the model's transition probabilities. With all frequencies at
// 0.25 the likelihood depends on the table only through the totals of
// identical pairs, transitions and transversions, and the estimates make the
// model's expected proportions equal the observed ones:
//   JC69: differences p = 3/4 (1 - e^-bt)            =>  bt = -ln(1 - 4p/3)
//   K80:  transversions Q = 1/2 (1 - e^-bt),
//         transitions   P = 1/4 (1 + e^-bt - 2 e^-bt(kappa+1)/2)
//         =>  bt = -ln(1 - 2Q),  kappa = 2 ln(1 - 2P - Q) / ln(1 - 2Q) - 1
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "fit/model_fit.h"
#include "model/hkymodel.h"
#include "tests/test_tables.h"

namespace dyvern {
namespace {

using testing::CellSum;
using testing::StateFor;

struct Totals {
    int identical;
    int transitions;
    int transversions;
};

// Spreads each total unevenly over its cells, so that nothing depends on symmetry.
DivergenceCounts SpreadTotals(const Totals& totals) {
    static constexpr double kWeights[] = {0.31, 0.17, 0.29, 0.23, 0.05, 0.11, 0.07, 0.13};
    DivergenceCounts counts{};
    int placed[3] = {0, 0, 0};
    int seen[3] = {0, 0, 0};
    const int cellsOfKind[3] = {4, 4, 8};
    const int total[3] = {totals.identical, totals.transitions, totals.transversions};
    for (int i = 0; i < 4; ++i) {
        for (int j = 0; j < 4; ++j) {
            const int kind = static_cast<int>(KindOfPair(i, j));
            const int k = seen[kind]++;
            double weightSum = 0.0;
            for (int w = 0; w < cellsOfKind[kind]; ++w) weightSum += kWeights[w];
            const bool last = seen[kind] == cellsOfKind[kind];
            const int cell = last ? total[kind] - placed[kind]
                                  : static_cast<int>(total[kind] * kWeights[k] / weightSum);
            counts[i][j] = cell;
            placed[kind] += cell;
        }
    }
    return counts;
}

std::vector<DivergenceCounts> Tables() {
    const Totals totals[] = {
        {160, 24, 16},   {92, 5, 3},    {840, 120, 40},     {350, 60, 90},    {298, 1, 1},
        {750, 300, 150}, {280, 40, 80}, {720, 16, 64},      {1300, 600, 100}, {129, 9, 12},
        {4725, 250, 25}, {48, 6, 6},    {7300, 1500, 1200}, {595, 70, 35},
    };
    std::vector<DivergenceCounts> tables{testing::WorkedTable(), testing::SampleTable()};
    for (const Totals& t : totals) tables.push_back(SpreadTotals(t));
    return tables;
}

double ClassSum(const DivergenceCounts& counts, PairKind kind) {
    double sum = 0.0;
    for (int i = 0; i < 4; ++i)
        for (int j = 0; j < 4; ++j)
            if (KindOfPair(i, j) == kind) sum += counts[i][j];
    return sum;
}

TEST(ClosedFormEstimates, JukesCantorBranchLength) {
    for (const DivergenceCounts& table : Tables()) {
        const double n = CellSum(table);
        const double p = (n - ClassSum(table, PairKind::Identical)) / n;
        const ModelFit fit = FitModel(StateFor(table, ModelKind::JC69), ParameterValues{});
        const double expected = -std::log(1.0 - 4.0 * p / 3.0);
        EXPECT_NEAR(fit.estimates.betat / expected, 1.0, 1e-5) << "p = " << p;
        EXPECT_EQ(fit.estimates.kappa, 1.0);
        EXPECT_EQ(fit.estimates.piA, 0.25);
    }
}

TEST(ClosedFormEstimates, KimuraBranchLengthAndKappa) {
    for (const DivergenceCounts& table : Tables()) {
        const double n = CellSum(table);
        const double P = ClassSum(table, PairKind::Transition) / n;
        const double Q = ClassSum(table, PairKind::Transversion) / n;
        const ModelFit fit = FitModel(StateFor(table, ModelKind::K80), ParameterValues{});
        const double bt = -std::log(1.0 - 2.0 * Q);
        const double kappa = 2.0 * std::log(1.0 - 2.0 * P - Q) / std::log(1.0 - 2.0 * Q) - 1.0;
        // The search stops on the fall of lnL, which is flat to second order
        // along the correlated bt-kappa ridge: the parameters agree less
        // closely than the likelihood does.
        EXPECT_NEAR(fit.estimates.betat / bt, 1.0, 5e-5) << "P = " << P << ", Q = " << Q;
        EXPECT_NEAR(fit.estimates.kappa / kappa, 1.0, 5e-5) << "P = " << P << ", Q = " << Q;
        const FitTarget state = StateFor(table, ModelKind::K80);
        const double closedFormLnL = HKYModel(state, bt, kappa, 0.25, 0.25, 0.25).LogLikelihood();
        EXPECT_NEAR(-fit.minimum / closedFormLnL, 1.0, 1e-9);
        EXPECT_LE(-fit.minimum, closedFormLnL + 1e-9 * std::fabs(closedFormLnL));
    }
}

TEST(ClosedFormEstimates, SampleOptimaMatchAnIndependentFit) {
    const DivergenceCounts sample = testing::SampleTable();
    const ModelFit jc = FitModel(StateFor(sample, ModelKind::JC69), ParameterValues{});
    EXPECT_NEAR(-jc.minimum, -1594.692558, 1e-6);
    const ModelFit k80 = FitModel(StateFor(sample, ModelKind::K80), ParameterValues{});
    EXPECT_NEAR(-k80.minimum, -1530.006297, 1e-6);
    EXPECT_NEAR(k80.estimates.kappa, 32.37011, 1e-4);
}

TEST(ClosedFormEstimates, WorkedTableOptima) {
    const DivergenceCounts table = testing::WorkedTable();
    const ModelFit jc = FitModel(StateFor(table, ModelKind::JC69), ParameterValues{});
    EXPECT_NEAR(jc.estimates.betat, 0.310155, 5e-7);
    EXPECT_NEAR(-jc.minimum, -421.284, 5e-4);
    const ModelFit k80 = FitModel(StateFor(table, ModelKind::K80), ParameterValues{});
    EXPECT_NEAR(-k80.minimum, -415.350, 5e-4);
}

}  // namespace
}  // namespace dyvern
