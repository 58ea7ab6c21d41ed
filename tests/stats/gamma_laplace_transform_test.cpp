// The gamma Laplace transform against its closed forms at shapes 1 and 2
// and its limit e^-s as the shape grows; its inverse against the transform.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "reference_files.h"
#include "stats/gamma_laplace_transform.h"

namespace dyvern {
namespace {

using testing::RelativeError;

TEST(GammaLaplaceTransform, ClosedFormsAndTheLargeShapeLimit) {
    for (const double s : {0.0, 1e-12, 0.01, 0.5, 1.0, 3.0, 40.0, 1e6}) {
        SCOPED_TRACE(s);
        // exp(-alpha ln(1 + s/alpha)) rounds its exponent: 1e-16 of it.
        const double one = 1.0 / (1.0 + s), half = 1.0 + 0.5 * s, two = 1.0 / (half * half);
        EXPECT_LE(RelativeError(GammaRateLaplaceTransform(1.0, s), one),
                  2.3e-16 * (2.0 - std::log(one)));
        EXPECT_LE(RelativeError(GammaRateLaplaceTransform(2.0, s), two),
                  2.3e-16 * (2.0 - std::log(two)));
        if (s <= 40.0) {  // (1 + s/alpha)^-alpha = e^-s (1 + s^2 / (2 alpha) + ...)
            EXPECT_LE(RelativeError(GammaRateLaplaceTransform(1e12, s), std::exp(-s)),
                      s * s / 1e12 + 1e-14);
        }
    }
}

TEST(GammaLaplaceTransform, InverseUndoesTheTransform) {
    for (const double alpha : {0.05, 0.5, 1.0, 4.0, 1e3})
        for (const double s : {1e-10, 1e-3, 0.2, 1.0, 5.0, 60.0}) {
            const double y = GammaRateLaplaceTransform(alpha, s);
            if (!(y > 0.0)) continue;
            // y's rounding moves s by (1 + s/alpha) / s times as much.
            const double tolerance = 1e-15 + 2.3e-16 * (1.0 + s / alpha) / s;
            EXPECT_LE(RelativeError(InverseGammaRateLaplaceTransform(alpha, y), s), tolerance)
                << alpha << " " << s;
        }
    EXPECT_EQ(InverseGammaRateLaplaceTransform(0.5, 1.0), 0.0);
    EXPECT_EQ(InverseGammaRateLaplaceTransform(0.5, 0.0), std::numeric_limits<double>::infinity());
}

TEST(GammaLaplaceTransform, InvalidArgumentsGiveNaN) {
    const double nan = std::nan("");
    const struct {
        double alpha, value;
    } invalid[] = {{0.0, 1.0}, {-1.0, 1.0}, {nan, 1.0}, {HUGE_VAL, 1.0}, {1.0, nan}};
    for (const auto& c : invalid) {
        EXPECT_TRUE(std::isnan(GammaRateLaplaceTransform(c.alpha, c.value)));
        EXPECT_TRUE(std::isnan(InverseGammaRateLaplaceTransform(c.alpha, c.value)));
    }
    EXPECT_TRUE(std::isnan(GammaRateLaplaceTransform(1.0, -0.5)));
    EXPECT_TRUE(std::isnan(InverseGammaRateLaplaceTransform(1.0, 1.5)));
    EXPECT_TRUE(std::isnan(InverseGammaRateLaplaceTransform(1.0, -0.5)));
}

}  // namespace
}  // namespace dyvern
