#include "number_text.h"

#include <charconv>
#include <cmath>

namespace dyvern::cli {
namespace {

// 10^0 .. 10^13, each exact.
constexpr double kScales[] = {1e0, 1e1, 1e2, 1e3,  1e4,  1e5,  1e6,
                              1e7, 1e8, 1e9, 1e10, 1e11, 1e12, 1e13};
// 10^(e + 1) for e = -4 .. 8, the bounds of each decimal exponent.
constexpr double kBounds[] = {1e-3, 1e-2, 1e-1, 1e0, 1e1, 1e2, 1e3, 1e4, 1e5, 1e6, 1e7, 1e8, 1e9};
constexpr double kLeastDigits = 1e9;  // ten digits: [1e9, 1e10)
// The scaled value is within half an ulp of 1e10 (about 1e-6) of the exact
// product; nearer than this to a half, its rounding is left to to_chars.
constexpr double kTieMargin = 1e-5;
// Room for any number written: "-1.234567891e-308" and more.
constexpr int kNumberChars = 32;

// The decimal exponent of m in [1e-4, 1e9); off by one where m lies
// between a power of ten and its nearest double.
int RoughExponent(double m) {
    int e = -4;
    while (e < 8 && m >= kBounds[e + 4]) ++e;
    return e;
}

// The ten digits with the point placed and trailing zeros dropped, as %g
// writes them, from `end` on; returns the end of what it wrote.
char* FixedText(char* end, bool negative, long long digits, int exponent) {
    if (negative) *end++ = '-';
    if (exponent < 0) {
        *end++ = '0';
        *end++ = '.';
        for (int k = exponent + 1; k < 0; ++k) *end++ = '0';
    }
    char all[10];
    for (int k = 9; k >= 0; --k, digits /= 10) all[k] = static_cast<char>('0' + digits % 10);
    int last = 9;
    while (last > exponent && all[last] == '0') --last;
    for (int k = 0; k <= last; ++k) {
        *end++ = all[k];
        if (k == exponent && k < last) *end++ = '.';
    }
    return end;
}

// Ten digits by one exact scaling and a rounding, where %.10g writes the
// value without an exponent; nothing (nullptr) where that rounding is in doubt.
char* FixedTenDigits(char* text, double value) {
    const double m = std::fabs(value);
    if (!(m >= 1e-4 && m < 1e9)) return nullptr;
    int exponent = RoughExponent(m);
    double scaled = m * kScales[9 - exponent];
    if (scaled < kLeastDigits && exponent > -4)
        scaled = m * kScales[9 - --exponent];
    else if (scaled >= 10 * kLeastDigits && exponent < 9)
        scaled = m * kScales[9 - ++exponent];
    if (!(scaled >= kLeastDigits && scaled < 10 * kLeastDigits)) return nullptr;
    const double whole = std::floor(scaled);
    if (std::fabs(scaled - whole - 0.5) < kTieMargin) return nullptr;
    long long digits = static_cast<long long>(whole) + (scaled - whole > 0.5 ? 1 : 0);
    if (digits == 10'000'000'000LL) {  // rounded up to the next power of ten
        digits = 1'000'000'000LL;
        ++exponent;
    }
    if (exponent > 9) return nullptr;
    return FixedText(text, value < 0, digits, exponent);
}

// Writes from `text` on, which has room for kNumberChars; returns the end.
char* WriteNumber(char* text, double value) {
    if (value == 0.0) {  // and -0
        *text = '0';
        return text + 1;
    }
    if (char* end = FixedTenDigits(text, value)) return end;
    return std::to_chars(text, text + kNumberChars, value, std::chars_format::general,
                         kSignificantDigits)
        .ptr;
}

}  // namespace

void AppendNumber(std::string& out, double value) {
    char text[kNumberChars];
    out.append(text, WriteNumber(text, value));
}

std::string FormatNumber(double value) {
    char text[kNumberChars];
    return std::string(text, WriteNumber(text, value));
}

}  // namespace dyvern::cli
