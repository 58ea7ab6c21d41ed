// Gamma quantiles against 40-digit values and R's qgamma, each held to a
// tolerance that grows as a quantile's conditioning does (for small shapes
// x moves 1/a times as much as P: P ~ x^a); against the exponential's and
// the chi-square's closed forms; back through P and Q; and what invalid
// arguments give.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "reference_files.h"
#include "stats/incomplete_gamma.h"
#include "stats/incomplete_gamma_inverse.h"

namespace dyvern {
namespace {

using testing::Number;
using testing::ReferenceRows;
using testing::RelativeError;

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInfinity = std::numeric_limits<double>::infinity();

// A reference quantile below the normal range is one that underflows (R
// gives 0 there): the computed one must be as small.
void ExpectQuantile(double computed, double expected, double tolerance) {
    if (expected < std::numeric_limits<double>::min()) {
        EXPECT_LT(computed, std::numeric_limits<double>::min()) << expected;
        return;
    }
    EXPECT_LE(RelativeError(computed, expected), tolerance) << computed << " vs " << expected;
}

// R's qgamma is itself off by up to 4e-14 (times the conditioning).
TEST(GammaQuantile, MatchesFortyDigitValuesAndRsQgamma) {
    for (const auto& [file, tolerance] : {std::pair{"gamma_quantile_digits.tsv", 5e-15},
                                          std::pair{"gamma_quantile.tsv", 6e-14}})
        for (const auto& row : ReferenceRows(file)) {
            const double a = Number(row[0]), p = Number(row[1]);
            SCOPED_TRACE(::testing::Message() << file << ": a = " << a << ", p = " << p);
            const double scaled = tolerance * std::fmax(1.0, 1.0 / a);
            ExpectQuantile(InverseRegularizedGammaP(a, p), Number(row[2]), scaled);
            ExpectQuantile(InverseRegularizedGammaQ(a, p), Number(row[3]), scaled);
        }
}

// Exponential: x = -ln(1 - p) = -ln q. A chi-square on 1 df is 2 x
// Gamma(1/2): its upper 0.05 point (the double nearest 0.05) is
// 2 inverf(1 - q)^2, 3.8414588206941259.
TEST(GammaQuantile, AgreesWithClosedForms) {
    for (const double q : {1e-300, 1e-50, 1e-5, 0.01, 0.3, 0.5, 0.7, 0.999, 1.0 - 1e-9}) {
        EXPECT_LE(RelativeError(InverseRegularizedGammaQ(1.0, q), -std::log(q)), 2e-15) << q;
        EXPECT_LE(RelativeError(InverseRegularizedGammaP(1.0, q), -std::log1p(-q)), 2e-15) << q;
    }
    EXPECT_LE(RelativeError(2.0 * InverseRegularizedGammaQ(0.5, 0.05), 3.8414588206941259), 1e-15);
}

// Whatever the shape and the probability, the quantile gives the
// probability back to about 1e-15, in whichever tail is the smaller.
TEST(GammaQuantile, GivesTheProbabilityBack) {
    for (const double a : {0.01, 0.1, 0.5, 0.999, 1.0, 1.001, 3.0, 40.0, 1000.0, 1e5})
        for (const double p : {1e-200, 1e-12, 0.001, 0.2, 0.5, 0.8, 0.999, 1.0 - 1e-12}) {
            SCOPED_TRACE(::testing::Message() << "a = " << a << ", p = " << p);
            const double x = InverseRegularizedGammaP(a, p);
            if (x < std::numeric_limits<double>::min()) continue;  // below doubles
            const GammaRatios back = IncompleteGammaRatios(a, x);
            // One ulp of x moves P by a ulp times x P'(x) / P.
            const double slack = 4e-16 * std::fmax(1.0, IncompleteGammaPrefactor(a, x) / std::fmin(p, 1.0 - p));
            if (p <= 0.5)
                EXPECT_LE(RelativeError(back.p, p), 2e-15 + slack);
            else
                EXPECT_LE(RelativeError(back.q, 1.0 - p), 2e-15 + slack);
        }
}

TEST(GammaQuantile, InvalidArgumentsGiveNaNAndTheEndsAreExact) {
    const struct {
        double a, p;
    } invalid[] = {{0.0, 0.5}, {-2.0, 0.5}, {kNaN, 0.5}, {kInfinity, 0.5},
                   {1.0, -0.1}, {1.0, 1.5}, {1.0, kNaN}};
    for (const auto& c : invalid) {
        EXPECT_TRUE(std::isnan(InverseRegularizedGammaP(c.a, c.p))) << c.a << " " << c.p;
        EXPECT_TRUE(std::isnan(InverseRegularizedGammaQ(c.a, c.p))) << c.a << " " << c.p;
    }
    for (const double a : {0.01, 1.0, 1000.0}) {
        EXPECT_EQ(InverseRegularizedGammaP(a, 0.0), 0.0);
        EXPECT_EQ(InverseRegularizedGammaP(a, 1.0), kInfinity);
        EXPECT_EQ(InverseRegularizedGammaQ(a, 0.0), kInfinity);
        EXPECT_EQ(InverseRegularizedGammaQ(a, 1.0), 0.0);
    }
}

}  // namespace
}  // namespace dyvern
