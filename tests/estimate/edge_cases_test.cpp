// The edges of the parameter space, said by the status and by infinities
// and NaN rather than by numbers from the end of a search.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "estimate/pair_fit.h"
#include "model/model_family.h"
#include "model/hkymodel.h"
#include "pair_tables.h"
#include "support/test_tables.h"

namespace dyvern {
namespace {

using testing::Spread;

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kFinite = -1.0;  // in the table: finite and positive
constexpr ModelKind JC = ModelKind::JC69, F81 = ModelKind::F81, K80 = ModelKind::K80,
                    HKY = ModelKind::HKY85;
constexpr FitStatus kOk = FitStatus::Ok, kIdentical = FitStatus::Identical,
                    kNoTransversions = FitStatus::NoTransversions,
                    kKappaZero = FitStatus::KappaZero, kSaturated = FitStatus::Saturated;

void ExpectKind(double value, double expected, const char* what) {
    if (std::isnan(expected))
        EXPECT_TRUE(std::isnan(value)) << what << " = " << value;
    else if (expected == kFinite)
        EXPECT_TRUE(std::isfinite(value) && value > 0.0) << what << " = " << value;
    else
        EXPECT_EQ(value, expected) << what;
}

bool Same(double x, double y) { return x == y || (std::isnan(x) && std::isnan(y)); }

// A fit that leaves out some of the uncertainty keeps everything else, bit
// for bit, and leaves out what it says (as NaN).
void ExpectLighterFitsAgree(const PairFit& full, const DivergenceCounts& table, ModelKind model) {
    for (const Uncertainty uncertainty : {Uncertainty::StandardErrors, Uncertainty::None}) {
        const PairFit light = FitPair(table, 100, model, Criterion::MaxLikelihood, uncertainty);
        EXPECT_EQ(light.status, full.status);
        for (const auto field : {&PairFit::bt, &PairFit::kappa, &PairFit::d, &PairFit::lnL,
                                 &PairFit::ss, &PairFit::aic, &PairFit::aicc, &PairFit::bic})
            EXPECT_TRUE(Same(light.*field, full.*field)) << light.*field << " " << full.*field;
        EXPECT_TRUE(std::isnan(light.dLow) && std::isnan(light.dHigh));
        const bool errors = uncertainty == Uncertainty::StandardErrors;
        EXPECT_TRUE(Same(light.seD, errors ? full.seD : kNaN)) << light.seD;
    }
}

TEST(EdgeCases, StatusAndTheValuesItImplies) {
    const struct {
        DivergenceCounts table;
        ModelKind model;
        FitStatus status;
        double bt, kappa, d, dHigh;
    } cases[] = {
        {Spread(100, 0, 0), JC, kIdentical, 0, 1, 0, kFinite},
        {Spread(100, 0, 0), K80, kIdentical, 0, kNaN, 0, kFinite},
        {Spread(100, 0, 0), HKY, kIdentical, 0, kNaN, 0, kFinite},
        {Spread(80, 20, 0), F81, kOk, kFinite, 1, kFinite, kFinite},
        {Spread(80, 20, 0), K80, kNoTransversions, 0, kInf, kFinite, kFinite},
        {Spread(80, 20, 0), HKY, kNoTransversions, 0, kInf, kFinite, kFinite},
        {Spread(80, 0.5, 20), K80, kKappaZero, kFinite, 0, kFinite, kFinite},
        {Spread(5, 5, 10), JC, kSaturated, kInf, 1, kInf, kInf},  // p = 3/4
        {Spread(20, 40, 40), F81, kSaturated, kInf, 1, kInf, kInf},
        {Spread(20, 40, 40), HKY, kSaturated, kFinite, kInf, kInf, kInf},  // transitions only
        {Spread(10, 25, 65), K80, kSaturated, kInf, kNaN, kInf, kInf},
        {Spread(40, 50, 10), K80, kSaturated, kFinite, kInf, kInf, kInf},  // 1 - 2P - Q < 0
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message() << &c - cases << " " << FactsOf(c.model).word);
        const PairFit fit = FitPair(c.table, 100, c.model, Criterion::MaxLikelihood);
        EXPECT_STREQ(StatusWord(fit.status), StatusWord(c.status));
        ExpectKind(fit.bt, c.bt, "bt");
        ExpectKind(fit.kappa, c.kappa, "kappa");
        ExpectKind(fit.d, c.d, "d");
        ExpectKind(fit.dHigh, c.dHigh, "dHigh");
        EXPECT_TRUE(std::isfinite(fit.lnL) && fit.dLow <= fit.d && fit.converged);
        EXPECT_EQ(std::isfinite(fit.seD), c.status != kIdentical && c.status != kSaturated);
        ExpectLighterFitsAgree(fit, c.table, c.model);
    }
}

// With no differences JC69 has lnL(d) = N ln(1/4 + 3/4 e^-4d/3) + N ln(1/4);
// with p = 3/4 its best is the limit of independent draws, N ln(1/16), and
// so is saturated F81's, drawing from the composition. With too few
// transitions K80 sits on kappa = 0, checked by a search over bt alone there.
TEST(EdgeCases, OptimaOnTheEdgesByFormulasAndSearchesOfTheirOwn) {
    const PairFit same = FitPair(Spread(100, 0, 0), 100, JC, Criterion::MaxLikelihood);
    const double e = (std::exp(-3.8414588206941236 / 200) - 0.25) / 0.75;
    EXPECT_EQ(same.dLow, 0.0);
    EXPECT_NEAR(same.dHigh, -0.75 * std::log(e), 1e-9);
    EXPECT_NEAR(same.lnL, 100 * std::log(0.25), 1e-12);
    EXPECT_NEAR(FitPair(Spread(20, 20, 40), 80, JC, Criterion::MaxLikelihood).lnL,
                80 * std::log(1.0 / 16), 1e-9);
    EXPECT_EQ(FitPair(Spread(20, 20, 40), 80, JC, Criterion::LeastSquares).status, kSaturated);
    const DivergenceCounts table = Spread(20, 40, 40);
    const std::array<double, 4> pi = testing::Composition(table);
    double limit = 0.0;
    for (int i = 0; i < 4; ++i)
        for (int j = 0; j < 4; ++j) limit += table[i][j] * std::log(pi[i] * pi[j]);
    const PairFit saturated = FitPair(table, 100, F81, Criterion::MaxLikelihood);
    EXPECT_NEAR(saturated.lnL, limit, 1e-9);
    for (int b = 0; b < 4; ++b) EXPECT_NEAR(saturated.pi[b], pi[b], 1e-7);

    const FitTarget target =
        testing::TargetFor(Spread(80, 0.5, 20), K80, Criterion::MaxLikelihood, 100);
    const auto lnL = [&](double bt) {
        return HKYModel(target, bt, 0.0, 0.25, 0.25, 0.25).LogLikelihood();
    };
    const double bt = testing::ArgMax(lnL, 1e-6, 10.0);
    const PairFit kappaZero = FitPair(target.observed, 100, K80, Criterion::MaxLikelihood);
    EXPECT_NEAR(kappaZero.bt, bt, 1e-7);
    EXPECT_NEAR(kappaZero.lnL, lnL(bt), 1e-10);
    // Without room for it (n - k - 1 = 0) the small-sample correction is undefined.
    EXPECT_TRUE(std::isnan(FitPair(Spread(180, 12, 24), 6, HKY, Criterion::MaxLikelihood).aicc));
}

TEST(EdgeCases, UnfittableTablesSaySoAndComputeNothing) {
    DivergenceCounts negative = Spread(40, 4, 8), notANumber = negative, infinite = negative;
    negative[A][C] = -1;
    notANumber[G][T] = kNaN;
    infinite[T][T] = kInf;
    const Criterion ML = Criterion::MaxLikelihood, LS = Criterion::LeastSquares;
    const struct {
        DivergenceCounts table;
        int n;
        Criterion criterion;
    } cases[] = {
        {Spread(40, 4, 8), -5, LS}, {negative, 56, ML},
        {notANumber, 56, ML},       {infinite, 56, LS},
        {Spread(0, 0, 0), 10, ML},  {Spread(40, 4, 8), 20, LS},  // the composition over 2n passes 1
    };
    for (const auto& c : cases) {
        for (const ModelKind model : {F81, HKY}) {
            const PairFit fit = FitPair(c.table, c.n, model, c.criterion);
            EXPECT_EQ(fit.status, FitStatus::Unfittable) << c.n;
            EXPECT_STRNE(fit.problem, "");
            EXPECT_STREQ(fit.gof.reason, fit.problem);
            EXPECT_TRUE(std::isnan(fit.d) && std::isnan(fit.lnL) && std::isnan(fit.aic));
        }
    }
    // Likelihood takes no shares over n: the last table fits there.
    EXPECT_EQ(FitPair(Spread(40, 4, 8), 20, F81, Criterion::MaxLikelihood).status, kOk);
}

}  // namespace
}  // namespace dyvern
