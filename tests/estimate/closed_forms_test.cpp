// The likelihood optima of JC69 and K80 on a pair table are the closed-form
// distances: both models see only the totals of identical pairs,
// transitions and transversions, so the optimum makes the expected shares
// the observed ones and lnL is that of the trinomial,
//   JC69: bt = -ln(1 - 4p/3),  lnL = n0 ln((1 - p)/4) + m ln(p/12),
//   K80:  bt = -ln(1 - 2Q),  kappa = 2 ln(1 - 2P - Q) / ln(1 - 2Q) - 1,
//         lnL = n0 ln((1 - P - Q)/4) + nP ln(P/4) + nQ ln(Q/8).
// For the same reason the observed information there is the trinomial's
// expected information, and the delta method gives the formulas' variances.
// The likelihood interval of d is checked by its definition: at each end
// 2 (lnL max - profile lnL) is the 95% point of chi-square on 1 df. JC69 has
// nothing else to fit, so its profile is lnL itself; K80's is searched over
// kappa by golden section on the window's model, bt = 4d / (2 + kappa) holding d.

#include <gtest/gtest.h>

#include <cmath>

#include "estimate/pair_fit.h"
#include "formula/formula_distance.h"
#include "model/hkymodel.h"
#include "pair_tables.h"
#include "solve/powell_fit.h"
#include "support/test_tables.h"

namespace dyvern {
namespace {

using testing::CellSum;
using testing::Spread;
using testing::TargetFor;

struct Totals {
    double identical, transitions, transversions;
};

// From nearly identical to near saturation, one with almost no differences
// and the sample's totals.
constexpr Totals kTables[] = {
    {92, 5, 3},       {840, 120, 40}, {350, 60, 90},      {298, 1, 1},
    {1300, 600, 100}, {48, 6, 6},     {7300, 1500, 1200}, {262 + 266 + 82 + 206, 66, 13},
};

double Relative(double value, double expected) { return std::fabs(value / expected - 1.0); }

double KimuraKappa(double P, double Q) {
    return 2.0 * std::log(1.0 - 2.0 * P - Q) / std::log(1.0 - 2.0 * Q) - 1.0;
}

double ProfileLnL(const DivergenceCounts& counts, ModelKind model, double d) {
    const FitTarget target = TargetFor(counts, model);
    const auto lnL = [&](double logKappa) {
        const double kappa = std::exp(logKappa);
        return HKYModel(target, 4.0 * d / (2.0 + kappa), kappa, 0.25, 0.25, 0.25).LogLikelihood();
    };
    return model == ModelKind::JC69 ? lnL(0.0) : lnL(testing::ArgMax(lnL, -8.0, 12.0));
}

TEST(ClosedForms, OptimaAndIntervalsOfJukesCantorAndKimura) {
    for (const Totals& t : kTables) {
        SCOPED_TRACE(::testing::Message()
                     << t.identical << " " << t.transitions << " " << t.transversions);
        const DivergenceCounts table = Spread(t.identical, t.transitions, t.transversions);
        const double N = CellSum(table);
        const double P = t.transitions / N, Q = t.transversions / N, p = P + Q;
        const int n = static_cast<int>(std::lround(N));
        const double jcLnL = t.identical * std::log((1 - p) / 4) +
                             (t.transitions + t.transversions) * std::log(p / 12);
        const double k80LnL = t.identical * std::log((1 - p) / 4) +
                              t.transitions * std::log(P / 4) + t.transversions * std::log(Q / 8);

        const PairFit jc = FitPair(table, n, ModelKind::JC69, Criterion::MaxLikelihood);
        const FormulaDistance jcForm =
            FormulaDistanceOfShares(ModelKind::JC69, SharesByKind(N, P, Q));
        EXPECT_LT(Relative(jc.d, jcForm.d), 1e-9);
        EXPECT_LT(Relative(jc.bt, -std::log(1 - 4 * p / 3)), 1e-9);
        EXPECT_LT(Relative(jc.lnL, jcLnL), 1e-12);
        EXPECT_LT(Relative(jc.seD * jc.seD, jcForm.variance), 1e-7);

        const PairFit k80 = FitPair(table, n, ModelKind::K80, Criterion::MaxLikelihood);
        const FormulaDistance kForm =
            FormulaDistanceOfShares(ModelKind::K80, SharesByKind(N, P, Q));
        EXPECT_LT(Relative(k80.d, kForm.d), 1e-9);
        EXPECT_LT(Relative(k80.kappa, KimuraKappa(P, Q)), 1e-8);
        EXPECT_LT(Relative(k80.bt, -std::log(1 - 2 * Q)), 1e-9);
        EXPECT_LT(Relative(k80.lnL, k80LnL), 1e-12);
        EXPECT_LT(Relative(k80.seD * k80.seD, kForm.variance), 1e-7);
        EXPECT_TRUE(jc.converged && k80.converged);
        for (const PairFit& fit : {jc, k80}) {
            ASSERT_LT(fit.dLow, fit.d);
            ASSERT_GT(fit.dHigh, fit.d);
            for (const double end : {fit.dLow, fit.dHigh})
                EXPECT_NEAR(2.0 * (fit.lnL - ProfileLnL(table, fit.model, end)), 3.8414588206941236,
                            1e-6);
        }

        // Least squares takes its shares over the declared n, here twice the
        // cells: JC69 and K80 are then the formulas at those shares.
        const int twice = 2 * n;
        const double P2 = t.transitions / twice, Q2 = t.transversions / twice;
        const DifferenceShares half = SharesByKind(twice, P2, Q2);
        const PairFit jcLs = FitPair(table, twice, ModelKind::JC69, Criterion::LeastSquares);
        EXPECT_LT(Relative(jcLs.d, FormulaDistanceOfShares(ModelKind::JC69, half).d), 1e-9);
        const PairFit k80Ls = FitPair(table, twice, ModelKind::K80, Criterion::LeastSquares);
        EXPECT_LT(Relative(k80Ls.d, FormulaDistanceOfShares(ModelKind::K80, half).d), 1e-9);
        EXPECT_LT(Relative(k80Ls.kappa, KimuraKappa(P2, Q2)), 1e-8);
    }
}

// F81 under least squares holds the frequencies at the window's empirical
// composition, each base's row plus column sum over 2n with n as declared and
// piT the rest, and meets p: e^-bt = 1 - p/B, B = 1 - sum pi^2, d = B bt.
// Worked by hand: 20 declared sites for 10 counted, whole counts, and halves.
TEST(ClosedForms, FelsensteinLeastSquaresHoldsTheEmpiricalComposition) {
    struct Worked {
        std::array<double, 4> pi;
        double p, B, bt;
    };
    const struct {
        DivergenceCounts counts;
        int n;
        Worked w;
    } cases[] = {
        {{{{3, 1, 1, 0}, {0, 2, 0, 1}, {0, 0, 1, 0}, {0, 0, 0, 1}}},
         20,
         {{0.2, 0.15, 0.075, 0.575}, 0.15, 0.60125, std::log(481.0 / 361)}},
        {{{{2, 0, 1, 0}, {0, 2, 0, 0}, {0, 0, 1, 0}, {0, 1, 0, 1}}},
         8,
         {{5.0 / 16, 5.0 / 16, 3.0 / 16, 3.0 / 16}, 0.25, 47.0 / 64, std::log(47.0 / 31)}},
        {{{{1.5, 0.5, 0, 0}, {0, 1, 0, 0}, {0, 0, 1, 0}, {0, 0, 0, 1}}},
         5,
         {{0.35, 0.25, 0.2, 0.2}, 0.1, 0.735, std::log(147.0 / 127)}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message() << "n " << c.n);
        const Worked& w = c.w;
        const PairFit f81 = FitPair(c.counts, c.n, ModelKind::F81, Criterion::LeastSquares);
        for (int b = 0; b < 4; ++b) EXPECT_NEAR(f81.pi[b], w.pi[b], 1e-15) << b;
        EXPECT_LT(Relative(f81.bt, w.bt), 1e-9);
        EXPECT_LT(Relative(f81.d, w.B * w.bt), 1e-9);
        const FormulaDistance form =
            FormulaDistanceOfShares(ModelKind::F81, SharesByKind(c.n, w.p, 0.0), w.pi);
        EXPECT_LT(Relative(form.d, w.B * w.bt), 1e-12);
        EXPECT_LT(f81.ss, 1e-20);

        const FitTarget target = TargetFor(c.counts, ModelKind::F81, Criterion::LeastSquares, c.n);
        const ModelFit window = FitModel(target, {0.1, 1.0, w.pi[A], w.pi[C], w.pi[G]});
        EXPECT_LT(Relative(window.estimates.betat, w.bt), 1e-5);
        EXPECT_EQ(window.estimates.piG, w.pi[G]);
        EXPECT_LT(window.minimum, 1e-14);
    }
}

}  // namespace
}  // namespace dyvern
