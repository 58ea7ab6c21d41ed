// The family's likelihood fits against two independent programs on pairs of
// the shipped primates: PAML's baseml 4.9j (frequencies held at the pair's
// composition, its "nhomo = 0"; t is d) and phangorn 2.11.1's likelihood
// (frequencies held at the alignment's composition, discrete gamma and
// invariable sites). Their values were printed by those programs; baseml's
// parameters are known to about 1e-7 (it stops early), its lnL to 1e-9.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "estimate/pair_fit.h"
#include "model/model_family.h"
#include "model/substitution_rates.h"
#include "model/table_checks.h"

namespace dyvern {
namespace {

const DivergenceCounts kHumanChimpanzee = {
    {{262, 1, 8, 2}, {1, 266, 0, 29}, {14, 0, 82, 0}, {1, 23, 0, 206}}};
const DivergenceCounts kHumanGorilla = {
    {{259, 2, 12, 0}, {5, 261, 0, 30}, {14, 0, 82, 0}, {1, 28, 0, 201}}};
constexpr int kSites = 895;

// The exact means of four equal-probability categories of a gamma of shape 0.5.
const std::vector<double> kFourCategories = {0.033387753383600, 0.251915917593438,
                                             0.820268481973651, 2.894427847049312};

FitOptions HeldAtComposition(const DivergenceCounts& counts, bool gamma) {
    FitOptions options;
    std::array<double, 4> pi{};
    EmpiricalComposition(counts, kSites, pi);
    options.heldFrequencies = pi;
    if (gamma) {
        options.variation.alpha = 0.5;
        options.variation.categoryRates = kFourCategories;
    }
    return options;
}

double Relative(double a, double b) { return std::fabs(a - b) / std::fabs(b); }

TEST(FamilyFits, AgreeWithBasemlOnThePrimates) {
    const struct {
        const DivergenceCounts* counts;
        ModelKind model;
        bool gamma;
        double lnL, t, kappa;  // kappa: F84's own, T92's and HKY85's; TN93's A <-> G
    } cases[] = {
        {&kHumanChimpanzee, ModelKind::K80, false, -1530.00629687, 0.0965462565818, 32.3701056123},
        {&kHumanChimpanzee, ModelKind::K80, true, -1530.00629688, 0.110120677115, 36.9200102592},
        {&kHumanChimpanzee, ModelKind::F81, false, -1525.05260265, 0.0942421519666, 1.0},
        {&kHumanChimpanzee, ModelKind::F84, false, -1458.91022799, 0.0975242280335, 17.1106810938},
        {&kHumanChimpanzee, ModelKind::F84, true, -1458.91022797, 0.113356726878, 19.9873009826},
        {&kHumanChimpanzee, ModelKind::HKY85, false, -1458.52509624, 0.0978081220573,
         33.8489862313},
        {&kHumanChimpanzee, ModelKind::HKY85, true, -1458.47757694, 0.114148193305, 39.5501288076},
        {&kHumanChimpanzee, ModelKind::T92, false, -1520.41953794, 0.0966763335032, 33.0404488798},
        {&kHumanChimpanzee, ModelKind::T92, true, -1520.41953797, 0.110591420776, 37.8003239525},
        {&kHumanChimpanzee, ModelKind::TN93, false, -1458.46072587, 0.0976854652323, 36.2285357766},
        {&kHumanChimpanzee, ModelKind::TN93, true, -1458.46072588, 0.113879292241, 41.0905512073},
        {&kHumanGorilla, ModelKind::F84, false, -1498.82439368, 0.115168026658, 12.1855247943},
        {&kHumanGorilla, ModelKind::HKY85, true, -1498.49796235, 0.138660080863, 29.3922385317},
        {&kHumanGorilla, ModelKind::T92, true, -1561.18385595, 0.133872057189, 27.8248572222},
        {&kHumanGorilla, ModelKind::TN93, false, -1498.46164739, 0.11533723143, 26.5802029904},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message() << FactsOf(c.model).word << (c.gamma ? " gamma" : ""));
        const PairFit fit = FitPair(*c.counts, kSites, c.model, Criterion::MaxLikelihood,
                                    Uncertainty::None, HeldAtComposition(*c.counts, c.gamma));
        EXPECT_STREQ(StatusWord(fit.status), "ok");
        // Dyvern's optimum is at least as high as baseml's, by no more than its early stop.
        EXPECT_GE(fit.lnL, c.lnL - 2e-8);
        EXPECT_LT(Relative(fit.lnL, c.lnL), 5e-11);
        EXPECT_LT(Relative(fit.d, c.t), 2e-7);
        const double kappa = c.model == ModelKind::TN93 ? fit.kappaR : fit.kappa;
        EXPECT_LT(Relative(kappa, c.kappa), 2e-6);
    }
}

// baseml holds every exchangeability above 1e-5; where the optimum puts two of
// them at 0, its lnL is a little lower and its d a little off.
TEST(FamilyFits, GeneralModelAtLeastAsGoodAsBasemlsBoundedOne) {
    const struct {
        const DivergenceCounts* counts;
        bool gamma;
        double lnL, t;
    } cases[] = {{&kHumanChimpanzee, false, -1456.86104548, 0.0975636211932},
                 {&kHumanChimpanzee, true, -1457.00119988, 0.113417392264},
                 {&kHumanGorilla, false, -1494.41494187, 0.115133487892}};
    for (const auto& c : cases) {
        const PairFit fit = FitPair(*c.counts, kSites, ModelKind::GTR, Criterion::MaxLikelihood,
                                    Uncertainty::None, HeldAtComposition(*c.counts, c.gamma));
        EXPECT_GE(fit.lnL, c.lnL);
        EXPECT_LT(fit.lnL - c.lnL, 2e-3);
        EXPECT_LT(Relative(fit.d, c.t), 1e-5);
        // The two exchangeabilities baseml holds at its bound are 0 here, and
        // with G <-> T's at 0 the others have nothing to be measured against.
        EXPECT_TRUE(std::isnan(fit.rates[kCG]) && std::isnan(fit.rates[kGT]));
        EXPECT_EQ(fit.rates[kAG], std::numeric_limits<double>::infinity());
    }
}

// phangorn's F81 with the alignment's frequencies, four gamma categories of
// shape 0.5 and a share 0.3 of invariable sites: its ML d (solved to 1e-15)
// and the inverse observed information.
TEST(FamilyFits, AgreeWithPhangornWithGammaAndInvariableSites) {
    FitOptions options;
    options.heldFrequencies = {0.311955307263, 0.328938547486, 0.105921787709, 0.253184357542};
    options.variation.alpha = 0.5;
    options.variation.categoryRates = kFourCategories;
    options.variation.invariant = 0.3;
    const struct {
        const DivergenceCounts* counts;
        double d, variance, lnL;
    } cases[] = {{&kHumanChimpanzee, 0.111666330887, 0.000234366260583, -1525.49781019},
                 {&kHumanGorilla, 0.136212256619, 0.000326041356477, -1569.40628265}};
    for (const auto& c : cases) {
        const PairFit fit = FitPair(*c.counts, kSites, ModelKind::F81, Criterion::MaxLikelihood,
                                    Uncertainty::StandardErrors, options);
        EXPECT_LT(Relative(fit.d, c.d), 1e-9);
        EXPECT_LT(Relative(fit.seD * fit.seD, c.variance), 1e-7);
        EXPECT_LT(Relative(fit.lnL, c.lnL), 1e-11);
    }
}

}  // namespace
}  // namespace dyvern
