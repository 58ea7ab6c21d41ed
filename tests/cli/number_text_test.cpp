// Numbers against the standard library's own %.10g (to_chars with ten
// significant digits): the fast path must agree digit for digit, ties,
// powers of ten and the edges of fixed notation included.
#include "number_text.h"

#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <random>

namespace dyvern::cli {
namespace {

std::string Reference(double value) {
    if (value == 0.0) return "0";
    char text[32];
    const auto written = std::to_chars(text, text + sizeof text, value, std::chars_format::general,
                                       kSignificantDigits);
    return std::string(text, written.ptr);
}

TEST(NumberText, EdgesOfRoundingAndNotation) {
    const double cases[] = {
        // Where fixed notation begins, below and above.
        1e-4, 9.99999999949e-5, 9.9999999995e-5, 0.00012345678915, 1e-5,
        // Ties and near ties of the tenth digit.
        0.1, 0.5, 1.0 / 3, 0.12345678905, 0.12345678915, 1.2345678905, 2.5, 123456.78905,
        // Next to powers of ten, where rounding may carry into another digit.
        9.9999999994, 9.9999999995, 9.99999999951, 10.0, 999999999.4, 999999999.5, 999999999.6,
        // Where fixed notation ends, past 32 bits, whole, and the far ends of doubles.
        1e9, 4294967296.5, 1e10, 123, 1e300, 5e-324,
        // Negatives, and values once seen to differ.
        -0.0612345678949, -3.0, 0.1346783435, 0.04876242323};
    for (const double value : cases) EXPECT_EQ(FormatNumber(value), Reference(value)) << value;
}

TEST(NumberText, AgreesOnMillionsOfValuesOverEveryScale) {
    std::mt19937_64 random(17);
    std::uniform_real_distribution<double> exponent(-7.0, 11.0);
    std::uniform_int_distribution<long long> digits(1, 9'999'999'999LL);
    std::uniform_int_distribution<int> scale(-14, 9);
    for (int k = 0; k < 1'000'000; ++k) {
        const double spread = std::pow(10.0, exponent(random));
        // Ten-digit decimals and their halves sit exactly where rounding is decided.
        const double decimal =
            (static_cast<double>(digits(random)) + 0.5) * std::pow(10.0, scale(random));
        for (const double value : {spread, -spread, decimal, std::nextafter(decimal, 0.0)})
            ASSERT_EQ(FormatNumber(value), Reference(value)) << value;
    }
}

}  // namespace
}  // namespace dyvern::cli
