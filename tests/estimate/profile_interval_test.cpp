// The likelihood interval of d checked by its definition: at each end
// 2 (lnL max - profile lnL) is the 95% point of chi-square on 1 df. The
// profiles are worked here another way: JC69 has nothing else to fit, so its
// profile is lnL itself; K80's is searched over kappa by golden section on
// the window's model, with bt = 4d / (2 + kappa) holding d.
#include <gtest/gtest.h>

#include <cmath>

#include "estimate/pair_fit.h"
#include "model/hkymodel.h"
#include "pair_tables.h"
#include "support/test_tables.h"

namespace dyvern {
namespace {

constexpr double kCut = 3.8414588206941236;

double JukesCantorLnL(const DivergenceCounts& counts, double d) {
    const FitTarget target = testing::TargetFor(counts, ModelKind::JC69);
    return HKYModel(target, 4.0 * d / 3.0, 1.0, 0.25, 0.25, 0.25).LogLikelihood();
}

double KimuraProfileLnL(const DivergenceCounts& counts, double d) {
    const FitTarget target = testing::TargetFor(counts, ModelKind::K80);
    const auto lnL = [&](double logKappa) {
        const double kappa = std::exp(logKappa);
        return HKYModel(target, 4.0 * d / (2.0 + kappa), kappa, 0.25, 0.25, 0.25).LogLikelihood();
    };
    return lnL(testing::ArgMax(lnL, -8.0, 12.0));
}

TEST(ProfileInterval, EndsLieWhereTheProfileHasFallenByTheChiSquarePoint) {
    const DivergenceCounts tables[] = {testing::SampleTable(), testing::Spread(350, 60, 90),
                                       testing::Spread(48, 6, 6), testing::Spread(298, 1, 1)};
    for (const DivergenceCounts& table : tables) {
        const int n = static_cast<int>(std::lround(testing::CellSum(table)));
        const PairFit jc = FitPair(table, n, ModelKind::JC69, Criterion::MaxLikelihood);
        SCOPED_TRACE(::testing::Message() << "JC69 d = " << jc.d);
        ASSERT_LT(jc.dLow, jc.d);
        ASSERT_GT(jc.dHigh, jc.d);
        EXPECT_NEAR(2.0 * (jc.lnL - JukesCantorLnL(table, jc.dLow)), kCut, 1e-6);
        EXPECT_NEAR(2.0 * (jc.lnL - JukesCantorLnL(table, jc.dHigh)), kCut, 1e-6);

        const PairFit k80 = FitPair(table, n, ModelKind::K80, Criterion::MaxLikelihood);
        SCOPED_TRACE(::testing::Message() << "K80 d = " << k80.d);
        ASSERT_LT(k80.dLow, k80.d);
        ASSERT_GT(k80.dHigh, k80.d);
        EXPECT_NEAR(2.0 * (k80.lnL - KimuraProfileLnL(table, k80.dLow)), kCut, 1e-6);
        EXPECT_NEAR(2.0 * (k80.lnL - KimuraProfileLnL(table, k80.dHigh)), kCut, 1e-6);
    }
}

}  // namespace
}  // namespace dyvern
