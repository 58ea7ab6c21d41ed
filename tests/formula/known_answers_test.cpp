// Known answers: small tables whose distances and variances were worked by
// hand from the published formulas, and tables made exactly from each model
// (model_tables.h), from which every form the model satisfies must give back
// the model's d and its own parameters.
#include <gtest/gtest.h>

#include <cmath>
#include <optional>
#include <vector>

#include "formula/formula_distance.h"
#include "model/model_family.h"
#include "model_tables.h"

namespace dyvern::testing {
namespace {

constexpr double kNone = std::numeric_limits<double>::quiet_NaN();

// 100 sites. Jukes-Cantor's: 15 differences, p = 0.15.
constexpr DivergenceCounts kFifteenDifferences{
    {{22, 1, 3, 1}, {1, 21, 2, 1}, {1, 1, 21, 1}, {1, 1, 1, 21}}};
// Kimura's three classes: P = 10/100 transitions, Q = 5/100 A-T or C-G,
// R = 5/100 A-C or G-T.
constexpr DivergenceCounts kThreeClasses{
    {{20, 2, 3, 2}, {1, 20, 1, 2}, {2, 1, 20, 1}, {1, 3, 1, 20}}};
// Symmetric, composition 0.3 0.2 0.2 0.3 (G + C 0.4): P = 0.12, Q = 0.08.
constexpr DivergenceCounts kGcFourTenths{
    {{25, 1, 3, 1}, {1, 15, 1, 3}, {3, 1, 15, 1}, {1, 3, 1, 25}}};
// The same composition: A-G 0.08, C-T 0.04, transversions 0.08.
constexpr DivergenceCounts kTwoTransitions{
    {{24, 1, 4, 1}, {1, 16, 1, 2}, {4, 1, 14, 1}, {1, 2, 1, 26}}};

struct HandCase {
    ModelKind model;
    const DivergenceCounts* table;
    double gamma;  // 0: none
    FrequencyOrigin origin;
    double d, variance;  // kNone: not worked
};

// Worked with the frequencies given as 0.3 0.2 0.2 0.3 (held fixed in the
// variance), and with the pair's own (the same here, so the same d):
//  JC69: w = 1 - 4/3 0.15 = 0.8; d = -3/4 ln 0.8; Var = p(1 - p)/(n w^2)
//        = 0.1275/64/100. Gamma 1: d = 3/4 (1/0.8 - 1) = 0.1875;
//        Var = p(1 - p) w^-4 / n.
//  K81:  a1 = 1 - 2P - 2Q = 0.7, a2 = 1 - 2P - 2R = 0.7, a3 = 1 - 2Q - 2R
//        = 0.8; d = -1/4 ln(0.7 0.7 0.8); g_P = (1/a1 + 1/a2)/2,
//        g_Q = (1/a1 + 1/a3)/2, g_R = (1/a2 + 1/a3)/2,
//        Var = [sum g^2 share - (sum g share)^2]/n. Gamma 1: d = 1/4 (1/0.7 +
//        1/0.7 + 1/0.8 - 3) = 31/112, the g's with 1/a^2 for 1/a.
//  T92:  h = 2 0.4 0.6 = 0.48; a1 = 1 - 0.12/0.48 - 0.08 = 0.67, a2 = 0.84;
//        d = -h ln a1 - (1 - h)/2 ln a2; g_P = 1/a1, g_Q = h/a1 + (1 - h)/a2.
//  TN93: k1 = 2 0.3 0.2/0.5 = 0.24 = k2, k3 = 2 (0.25 - 0.06 - 0.06) = 0.26;
//        w1 = 1 - 0.08/0.24 - 0.08 = 0.58667, w2 = 1 - 0.04/0.24 - 0.08 =
//        0.75333, w3 = 1 - 0.08/0.5 = 0.84; d = -sum k ln w; g_P1 = 1/w1,
//        g_P2 = 1/w2, g_Q = (0.06/0.25)/w1 + (0.06/0.25)/w2 + (1 - 0.48)/w3.
constexpr HandCase kHandCases[] = {
    {ModelKind::JC69, &kFifteenDifferences, 0, FrequencyOrigin::Given, 0.16735766348565728,
     0.0019921875},
    {ModelKind::JC69, &kFifteenDifferences, 1, FrequencyOrigin::Given, 0.1875, 0.00311279296875},
    {ModelKind::K81, &kThreeClasses, 0, FrequencyOrigin::Given, 0.23412335979791854,
     0.003068399234693877},
    {ModelKind::K81, &kThreeClasses, 1, FrequencyOrigin::Given, 31.0 / 112.0,
     0.0059344423954211765},
    {ModelKind::T92, &kGcFourTenths, 0, FrequencyOrigin::Given, 0.23756111262426235,
     0.0032823490305604673},
    {ModelKind::T92, &kGcFourTenths, 0, FrequencyOrigin::Pair, 0.23756111262426235, kNone},
    {ModelKind::TN93, &kTwoTransitions, 0, FrequencyOrigin::Given, 0.24130290985811373,
     0.0035968703828367383},
    {ModelKind::TN93, &kTwoTransitions, 0, FrequencyOrigin::Pair, 0.24130290985811373, kNone},
};

TEST(KnownAnswers, SmallTablesWorkedByHand) {
    for (const HandCase& c : kHandCases) {
        SCOPED_TRACE(::testing::Message() << FactsOf(c.model).word << " gamma " << c.gamma
                                          << (c.origin == FrequencyOrigin::Pair ? " pair" : ""));
        FormulaSettings settings;
        settings.origin = c.origin;
        settings.frequencies = {0.3, 0.2, 0.2, 0.3};
        if (c.gamma > 0) settings.gammaShape = c.gamma;
        const FormulaDistance f = FormulaDistanceOf(c.model, *c.table, settings);
        EXPECT_EQ(f.status, FitStatus::Ok);
        EXPECT_NEAR(f.d, c.d, 1e-14);
        if (!std::isnan(c.variance)) {
            EXPECT_NEAR(f.variance, c.variance, 1e-15);
        }
    }
    // TN93's own rate ratios: the terms measure beta t = L3 and
    // (piR alpha1 + piY beta) t = L1, whence kappaR = (L1 - piY L3)/(piR L3),
    // and kappaY likewise: 5.1174 and 2.2491 from the logs above.
    FormulaSettings settings;
    const FormulaDistance tn93 = FormulaDistanceOf(ModelKind::TN93, kTwoTransitions, settings);
    EXPECT_NEAR(tn93.parameters.kappaR, 5.117443295497487, 1e-12);
    EXPECT_NEAR(tn93.parameters.kappaY, 2.2491192746225805, 1e-12);
}

struct ModelCase {
    const char* name;
    ReversibleModel model;
    std::vector<ModelKind> forms;      // the forms the model satisfies
    double kappa, gc, kappaR, kappaY;  // their parameters for it
};

constexpr std::array<double, 4> kUneven{0.4, 0.1, 0.15, 0.35};

using M = ModelKind;

// F84's within-class events add K/piR to the purine and K/piY to the
// pyrimidine transitions' exchangeabilities.
const ModelCase kModelCases[] = {
    {"JC69", {}, {M::JC69, M::K80, M::F81, M::T92, M::K81, M::F84, M::TN93, M::LogDet}, 1, 0.5,
     1, 1},
    {"K80 kappa 4", {{0.25, 0.25, 0.25, 0.25}, {1, 4, 1, 1, 4, 1}},
     {M::K80, M::T92, M::K81, M::F84, M::TN93, M::LogDet}, 4, 0.5, 4, 4},
    {"F81", {kUneven, {1, 1, 1, 1, 1, 1}}, {M::F81, M::F84, M::TN93}, kNone, kNone, 1, 1},
    {"T92 gc 0.3 kappa 5", {{0.35, 0.15, 0.15, 0.35}, {1, 5, 1, 1, 5, 1}}, {M::T92, M::TN93},
     kNone, 0.3, 5, 5},
    {"K81", {{0.25, 0.25, 0.25, 0.25}, {0.5, 3, 1, 1, 3, 0.5}}, {M::K81, M::LogDet}, kNone, kNone,
     kNone, kNone},
    {"F84 K 2", {kUneven, {1, 1 + 2 / 0.55, 1, 1, 1 + 2 / 0.45, 1}}, {M::F84, M::TN93}, kNone,
     kNone, 1 + 2 / 0.55, 1 + 2 / 0.45},
    {"TN93 6 and 2", {kUneven, {1, 6, 1, 1, 2, 1}}, {M::TN93}, kNone, kNone, 6, 2},
};

void ExpectParameter(double value, double expected, const char* name) {
    if (!std::isnan(expected)) {
        EXPECT_NEAR(value / expected, 1.0, 1e-10) << name;
    }
}

// Every form the model satisfies gives back t, with and without gamma, the
// frequencies the pair's own or given; paralinear gives -1/4 trace(Q) t
// (t itself at equal frequencies).
TEST(KnownAnswers, TablesMadeFromTheModels) {
    for (const ModelCase& c : kModelCases) {
        for (const double t : {0.05, 0.3, 1.0}) {
            for (const std::optional<double> gamma : {std::optional<double>(), {0.5}, {2.0}}) {
                for (const FrequencyOrigin origin :
                     {FrequencyOrigin::Pair, FrequencyOrigin::Given}) {
                    SCOPED_TRACE(::testing::Message()
                                 << c.name << " t " << t << " gamma " << gamma.value_or(0)
                                 << " origin " << static_cast<int>(origin));
                    const DivergenceCounts table = ExpectedTable(c.model, t, gamma, 1000.0);
                    FormulaSettings settings;
                    settings.origin = origin;
                    settings.frequencies = settings.sequence1 = settings.sequence2 = c.model.pi;
                    if (!gamma) {
                        const FormulaDistance paralinear =
                            FormulaDistanceOf(ModelKind::Paralinear, table, settings);
                        EXPECT_NEAR(paralinear.d / (-0.25 * RateTrace(c.model) * t), 1.0, 1e-11);
                    }
                    settings.gammaShape = gamma;
                    for (const ModelKind form : c.forms) {
                        if (gamma && !HasGammaForm(form)) continue;
                        const FormulaDistance f = FormulaDistanceOf(form, table, settings);
                        EXPECT_NEAR(f.d / t, 1.0, 1e-11) << FactsOf(form).word;
                        if (form == ModelKind::K80)
                            ExpectParameter(f.parameters.kappa, c.kappa, "kappa");
                        if (form == ModelKind::T92) ExpectParameter(f.parameters.gc, c.gc, "gc");
                        if (form == ModelKind::TN93) {
                            ExpectParameter(f.parameters.kappaR, c.kappaR, "kappaR");
                            ExpectParameter(f.parameters.kappaY, c.kappaY, "kappaY");
                        }
                    }
                }
            }
        }
    }
}

}  // namespace
}  // namespace dyvern::testing
