// Discrete gamma rates against PAML's baseml and phangorn (alpha 0.5, 4
// categories), phangorn's discrete.gamma and 40-digit values over shapes
// 0.01 to 1000, the exponential's closed form (alpha = 1), the normal
// limit of large shapes, and what every set of rates must be.
#include <gtest/gtest.h>

#include <cmath>
#include <numeric>
#include <vector>

#include "reference_files.h"
#include "stats/discrete_gamma.h"

namespace dyvern {
namespace {

using testing::Number;
using testing::Numbers;
using testing::ReferenceRows;
using testing::RelativeError;

void ExpectRates(const std::vector<double>& rates, const std::vector<double>& expected,
                 double tolerance) {
    ASSERT_EQ(rates.size(), expected.size());
    for (size_t k = 0; k < rates.size(); ++k)
        EXPECT_LE(RelativeError(rates[k], expected[k]), tolerance)
            << "category " << k + 1 << ": " << rates[k] << " vs " << expected[k];
}

// baseml's routine, compiled alone, and the exact means (15 digits), from
// the peers' notes; baseml's quantile stops at 5e-7, so its own rates are
// 2e-11 off.
TEST(DiscreteGamma, PamlsAndPhangornsRatesForAlphaOneHalfAndFourCategories) {
    const std::vector<double> rates = DiscreteGammaRates(0.5, 4);
    ExpectRates(rates, {0.033387753383600, 0.251915917593438, 0.820268481973651, 2.894427847049312},
                3e-14);  // 15 digits of 0.0334 are 1.5e-14 of it
    ExpectRates(rates, {0.033387753382870, 0.251915917588401, 0.820268481957788, 2.894427847070941},
                1e-10);
}

// phangorn builds on R's qgamma and pgamma, whose own errors reach 7e-14
// here. The lowest categories of small shapes inherit their cuts'
// conditioning (a rate moves 1/alpha times as much as P at its cut); 2e-14
// covers it against the 40-digit values.
TEST(DiscreteGamma, MatchesPhangornAndFortyDigitValues) {
    for (const auto& [file, tolerance] : {std::pair{"discrete_gamma.tsv", 1.5e-13},
                                          std::pair{"discrete_gamma_digits.tsv", 2e-14}})
        for (const auto& row : ReferenceRows(file)) {
            SCOPED_TRACE(::testing::Message() << file << ": " << row[0] << ", K = " << row[1]);
            ExpectRates(DiscreteGammaRates(Number(row[0]), static_cast<int>(Number(row[1]))),
                        Numbers(row[2]), tolerance);
        }
}

// alpha = 1 is the exponential: cuts b_k = -ln(1 - k/K) and, as
// P(2, x) = 1 - e^-x (1 + x), r_k = K [(1 - u_(k-1))(1 + b_(k-1)) - (1 - u_k)(1 + b_k)]
// with u_k = k/K. The form cancels in the lowest category (by 20 times
// for K = 10), hence 2e-14.
TEST(DiscreteGamma, ExponentialRatesInClosedForm) {
    for (const int categories : {2, 3, 4, 6, 10}) {
        std::vector<double> expected;
        auto survivingMean = [&](int k) {
            if (k == categories) return 0.0;
            const double u = double(k) / categories;
            return (1.0 - u) * (1.0 - std::log1p(-u));
        };
        for (int k = 1; k <= categories; ++k)
            expected.push_back(categories * (survivingMean(k - 1) - survivingMean(k)));
        SCOPED_TRACE(categories);
        ExpectRates(DiscreteGammaRates(1.0, categories), expected, 2e-14);
    }
    ExpectRates(DiscreteGammaRates(1.0, 2), {1.0 - std::log(2.0), 1.0 + std::log(2.0)}, 1e-15);
}

// For large alpha the rates are nearly normal, mean 1 and sd 1/sqrt(alpha):
// with two categories 1 -+ 2 phi(0) / sqrt(alpha), to O(1/alpha).
TEST(DiscreteGamma, LargeShapesApproachTheNormalLimit) {
    const double halfMeanDeviation = 2.0 / std::sqrt(2.0 * 3.14159265358979323846);
    for (const double alpha : {1e4, 1e6}) {
        const std::vector<double> rates = DiscreteGammaRates(alpha, 2);
        ASSERT_EQ(rates.size(), 2u);
        EXPECT_NEAR(rates[0], 1.0 - halfMeanDeviation / std::sqrt(alpha), 2.0 / alpha);
        EXPECT_NEAR(rates[1], 1.0 + halfMeanDeviation / std::sqrt(alpha), 2.0 / alpha);
    }
}

// Every set: K rates, rising, positive, averaging 1 to rounding; one
// category is the rate 1 itself.
TEST(DiscreteGamma, RatesRiseAndAverageOne) {
    for (const double alpha : {0.01, 0.05, 0.3, 1.0, 7.0, 200.0, 1000.0})
        for (const int categories : {1, 2, 4, 5, 8, 16, 64}) {
            SCOPED_TRACE(::testing::Message() << "alpha = " << alpha << ", K = " << categories);
            const std::vector<double> rates = DiscreteGammaRates(alpha, categories);
            ASSERT_EQ(rates.size(), size_t(categories));
            EXPECT_GT(rates.front(), 0.0);
            for (int k = 1; k < categories; ++k) EXPECT_GT(rates[k], rates[k - 1]);
            const double mean = std::accumulate(rates.begin(), rates.end(), 0.0) / categories;
            EXPECT_NEAR(mean, 1.0, 4e-16);
        }
    EXPECT_EQ(DiscreteGammaRates(0.5, 1), std::vector<double>{1.0});
}

TEST(DiscreteGamma, InvalidArgumentsGiveNoRates) {
    const struct {
        double alpha;
        int categories;
    } invalid[] = {{0.0, 4},  {-1.0, 4}, {std::nan(""), 4}, {HUGE_VAL, 4},
                   {0.5, 0},  {0.5, -3}};
    for (const auto& c : invalid)
        EXPECT_TRUE(DiscreteGammaRates(c.alpha, c.categories).empty())
            << c.alpha << " " << c.categories;
}

}  // namespace
}  // namespace dyvern
