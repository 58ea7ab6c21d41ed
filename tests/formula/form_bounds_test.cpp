// What lets a list bounded by --max-d stop counting a pair early: every
// class form's d is at least p, the share of sites that differ, or the
// form saturates. Checked on random shares and frequencies, with gamma and
// without, and on shares near saturation.
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

TEST(FormBounds, DIsAtLeastP) {
    std::mt19937 random(41);
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    int finite = 0, saturated = 0;
    for (int k = 0; k < 4000; ++k) {
        const ModelKind model = kClassModels[k % std::size(kClassModels)];
        const std::array<double, 4> pi = RandomFrequencies(random);
        const std::optional<double> gamma = k % 3 == 0 || model == ModelKind::Raw
                                                ? std::nullopt
                                                : std::optional(0.3 + 2 * unit(random));
        DifferenceShares s = RandomShares(random);
        if (k % 2 == 0) {  // up to twice as far, into saturation
            const double stretch = 1.0 + unit(random);
            s.purineTransitions *= stretch;
            s.pyrimidineTransitions *= stretch;
            s.weakStrongTransversions *= stretch;
            s.aminoKetoTransversions *= stretch;
        }
        const FormulaDistance form = FormulaDistanceOfShares(model, s, pi, gamma, false);
        SCOPED_TRACE(::testing::Message() << FactsOf(model).word << ", case " << k);
        if (form.status == FitStatus::Saturated) {
            ++saturated;
            continue;
        }
        ASSERT_TRUE(std::isfinite(form.d));
        EXPECT_GE(form.d, s.p() * (1.0 - 1e-15));
        ++finite;
    }
    EXPECT_GT(finite, 2000);
    EXPECT_GT(saturated, 100);
}

}  // namespace
}  // namespace dyvern::testing
