// What lets a list bounded by --max-d stop counting a pair early: at fixed
// frequencies every class form's d grows with each class share, saturation
// only spreads as shares grow, d is never below p, the share of sites that
// differ, and whether a form saturates can be told from its arguments
// alone. Checked on random shares and frequencies, with gamma and without.
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <optional>
#include <random>

#include "formula/formula_distance.h"
#include "model/model_family.h"

namespace dyvern::testing {
namespace {

constexpr ModelKind kClassModels[] = {ModelKind::Raw, ModelKind::JC69, ModelKind::K80,
                                      ModelKind::F81, ModelKind::T92,  ModelKind::K81,
                                      ModelKind::F84, ModelKind::TN93};

DifferenceShares RandomShares(std::mt19937& random) {
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    DifferenceShares s;
    s.sites = 1000.0;
    const double spread = 0.4 * unit(random);
    s.purineTransitions = spread * unit(random);
    s.pyrimidineTransitions = spread * unit(random);
    s.weakStrongTransversions = 0.5 * spread * unit(random);
    s.aminoKetoTransversions = 0.5 * spread * unit(random);
    return s;
}

std::array<double, 4> RandomFrequencies(std::mt19937& random) {
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    std::array<double, 4> pi;
    double sum = 0.0;
    for (double& f : pi) sum += f = 0.05 + unit(random);
    for (double& f : pi) f /= sum;
    return pi;
}

double* ClassShare(DifferenceShares& s, int c) {
    double* shares[] = {&s.purineTransitions, &s.pyrimidineTransitions, &s.weakStrongTransversions,
                        &s.aminoKetoTransversions};
    return shares[c];
}

TEST(FormBounds, DGrowsWithEachClassShareAndIsAtLeastP) {
    std::mt19937 random(41);
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    int grown = 0;
    for (int k = 0; k < 3000; ++k) {
        const ModelKind model = kClassModels[k % std::size(kClassModels)];
        const std::array<double, 4> pi = RandomFrequencies(random);
        const std::optional<double> gamma = k % 3 == 0 || model == ModelKind::Raw
                                                ? std::nullopt
                                                : std::optional(0.3 + 2 * unit(random));
        DifferenceShares s = RandomShares(random);
        const double p = s.p();
        const FormulaDistance before = FormulaDistanceOfShares(model, s, pi, gamma, false);
        // Told from the arguments alone, without d; with gamma also where a
        // term could near the largest number, so only the other way round.
        const bool saturates = FormulaSaturates(model, s, pi, gamma);
        if (!gamma || !saturates) {
            EXPECT_EQ(saturates, before.status == FitStatus::Saturated) << before.d;
        }
        *ClassShare(s, k % 4) += 0.05 * unit(random);
        const FormulaDistance after = FormulaDistanceOfShares(model, s, pi, gamma, false);
        SCOPED_TRACE(::testing::Message() << FactsOf(model).word << ", case " << k);
        if (before.status == FitStatus::Saturated) {
            EXPECT_STREQ(StatusWord(after.status), "saturated");
            continue;
        }
        EXPECT_GE(before.d, p * (1.0 - 1e-15));
        if (after.status == FitStatus::Saturated) continue;
        EXPECT_GE(after.d, before.d);
        ++grown;
    }
    EXPECT_GT(grown, 2000);
}

}  // namespace
}  // namespace dyvern::testing
