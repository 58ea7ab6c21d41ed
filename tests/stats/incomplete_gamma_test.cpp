// P(a, x) and Q(a, x) against 40-digit values and R's pgamma over shapes
// 0.01 to 1000, against closed forms at shapes 1/2, 1, 3/2, 2 and 3, and
// against the chi-square tail's own closed forms; ln Gamma against known
// values; and what invalid arguments give.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "reference_files.h"
#include "stats/chi_square_tail.h"
#include "stats/incomplete_gamma.h"
#include "stats/log_gamma.h"

namespace dyvern {
namespace {

using testing::Number;
using testing::ReferenceRows;
using testing::RelativeError;

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInfinity = std::numeric_limits<double>::infinity();
constexpr double kPi = 3.14159265358979323846;

// Values below the normal range carry fewer digits than 1e-14 asks.
bool Normal(double value) { return value >= std::numeric_limits<double>::min(); }

// 40-digit values to 1e-14. R's own values are off by up to 3e-14 for
// large shapes and, as any double computation of e^-E, by E x 1e-16 in the
// far tails.
TEST(IncompleteGamma, MatchesFortyDigitValuesAndRsPgamma) {
    const struct {
        const char* file;
        double tolerance;
        double tailTolerance;  // per unit of -ln of the value
    } references[] = {{"gamma_digits.tsv", 1e-14, 0.0}, {"gamma.tsv", 5e-14, 5e-14 / 300.0}};
    for (const auto& reference : references)
        for (const auto& row : ReferenceRows(reference.file)) {
            const double a = Number(row[0]), x = Number(row[1]);
            const GammaRatios computed = IncompleteGammaRatios(a, x);
            SCOPED_TRACE(::testing::Message() << reference.file << ": a = " << a << ", x = " << x);
            for (const auto& [value, expected] : {std::pair{computed.p, Number(row[2])},
                                                  std::pair{computed.q, Number(row[3])}}) {
                if (!Normal(expected)) continue;
                const double tolerance = std::fmax(reference.tolerance,
                                                   -std::log(expected) * reference.tailTolerance);
                EXPECT_LE(RelativeError(value, expected), tolerance) << value << " vs " << expected;
            }
        }
}

// Q in closed form: e^-x sum_k<a x^k/k! for whole a, erfc and its
// companions for half-whole a; x up to 30 where erfc(sqrt x) keeps its
// digits, up to 700 for the exponentials.
TEST(IncompleteGamma, AgreesWithClosedFormsForSmallWholeAndHalfShapes) {
    const struct {
        double a;
        double xMax;
        double (*q)(double);
    } forms[] = {
        {0.5, 30.0, [](double x) { return std::erfc(std::sqrt(x)); }},
        {1.0, 700.0, [](double x) { return std::exp(-x); }},
        {1.5, 30.0,
         [](double x) { return std::erfc(std::sqrt(x)) + 2.0 * std::sqrt(x / kPi) * std::exp(-x); }},
        {2.0, 700.0, [](double x) { return std::exp(-x) * (1.0 + x); }},
        {3.0, 700.0, [](double x) { return std::exp(-x) * (1.0 + x + 0.5 * x * x); }},
    };
    const double xs[] = {1e-8, 0.01, 0.3, 0.5, 1.0, 1.5, 2.0, 2.9, 3.1, 5.0, 10.0, 30.0, 100.0, 700.0};
    for (const auto& form : forms)
        for (const double x : xs) {
            if (x > form.xMax) continue;
            SCOPED_TRACE(::testing::Message() << "a = " << form.a << ", x = " << x);
            const double q = form.q(x);
            EXPECT_LE(RelativeError(RegularizedGammaQ(form.a, x), q), 1e-14);
            if (q < 0.5) {  // where 1 - q keeps the digits of P
                EXPECT_LE(RelativeError(RegularizedGammaP(form.a, x), 1.0 - q), 1e-14);
            }
        }
    // P(1, x) = 1 - e^-x keeps its digits as x falls only through expm1.
    for (const double x : {1e-300, 1e-100, 1e-10, 1e-3})
        EXPECT_LE(RelativeError(RegularizedGammaP(1.0, x), -std::expm1(-x)), 1e-15) << x;
}

// ChiSquareTail sums Poisson terms and erfc; Q(df/2, x/2) is the same tail.
TEST(IncompleteGamma, UpperTailIsTheChiSquareTail) {
    for (int df = 1; df <= 12; ++df)
        for (const double x : {0.001, 0.1, 1.0, 3.84, df - 0.5, df + 0.5, 2.0 * df, 30.0, 200.0}) {
            const double q = RegularizedGammaQ(0.5 * df, 0.5 * x);
            EXPECT_LE(RelativeError(q, ChiSquareTail(x, df)), 1e-14) << "df " << df << " x " << x;
        }
}

TEST(IncompleteGamma, InvalidArgumentsGiveNaNAndTheEndsAreExact) {
    const struct {
        double a, x;
    } invalid[] = {{0.0, 1.0}, {-1.0, 1.0}, {kNaN, 1.0},  {kInfinity, 1.0},
                   {1.0, -1.0}, {1.0, kNaN}, {1.0, -kInfinity}};
    for (const auto& c : invalid) {
        const GammaRatios r = IncompleteGammaRatios(c.a, c.x);
        EXPECT_TRUE(std::isnan(r.p) && std::isnan(r.q)) << c.a << " " << c.x;
        EXPECT_TRUE(std::isnan(RegularizedGammaP(c.a, c.x)));
        EXPECT_TRUE(std::isnan(RegularizedGammaQ(c.a, c.x)));
        EXPECT_TRUE(std::isnan(IncompleteGammaPrefactor(c.a, c.x)));
    }
    for (const double a : {0.01, 1.0, 1000.0}) {
        EXPECT_EQ(RegularizedGammaP(a, 0.0), 0.0);
        EXPECT_EQ(RegularizedGammaQ(a, 0.0), 1.0);
        EXPECT_EQ(RegularizedGammaP(a, kInfinity), 1.0);
        EXPECT_EQ(RegularizedGammaQ(a, kInfinity), 0.0);
        EXPECT_EQ(IncompleteGammaPrefactor(a, 0.0), 0.0);
    }
}

// ln Gamma at half-whole and whole points, and near 1 and 2 where it
// vanishes: -gamma a + zeta(2) a^2 / 2 - ... (gamma Euler's constant).
TEST(LogGamma, KnownValues) {
    const double logSqrtPi = 0.5 * std::log(kPi);
    const struct {
        double a, value;
    } cases[] = {{0.5, logSqrtPi},
                 {1.5, logSqrtPi - std::log(2.0)},
                 {3.0, std::log(2.0)},
                 {10.0, std::log(362880.0)},
                 {20.0, std::log(121645100408832000.0)},
                 {1000.0, 5905.2204232091812118},  // ln 999!, 20 digits
                 {1e-300, 690.77552789821370521}};  // -ln(1e-300) - gamma 1e-300
    for (const auto& c : cases)
        EXPECT_LE(RelativeError(LogGamma(c.a), c.value), 4e-16) << c.a;
    EXPECT_EQ(LogGamma(1.0), 0.0);
    EXPECT_EQ(LogGamma(2.0), 0.0);
    const double eulerGamma = 0.57721566490153286061, zeta2Half = 0.82246703342411321824;
    for (const double a : {1e-12, 1e-6, 1e-3}) {
        const double series = a * (-eulerGamma + zeta2Half * a);
        EXPECT_LE(RelativeError(LogGammaOfOnePlus(a), series), 1e-15 + a * a) << a;
    }
}

}  // namespace
}  // namespace dyvern
