#include "checks.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace e2e {

void Checks::Group(const std::string& name) {
    group = name;
    std::printf("== %s\n", name.c_str());
    std::fflush(stdout);
}

bool Checks::Expect(bool ok, const std::string& what, const std::string& detail) {
    ++(ok ? passed : failed);
    if (ok) {
        std::printf("  ok    %s\n", what.c_str());
    } else {
        std::printf("  FAIL  %s: %s%s%s\n", group.c_str(), what.c_str(),
                    detail.empty() ? "" : " -- ", detail.c_str());
    }
    std::fflush(stdout);
    return ok;
}

bool Checks::ExpectText(const std::string& actual, const std::string& expected,
                        const std::string& what) {
    return Expect(actual == expected, what,
                  "expected \"" + expected + "\", got \"" + actual + "\"");
}

bool Checks::ExpectNear(const std::string& actual, double expected, double tolerance,
                        const std::string& what) {
    double value = 0.0;
    char detail[160];
    std::snprintf(detail, sizeof detail, "expected %.9g (+-%.3g), got \"%s\"", expected, tolerance,
                  actual.c_str());
    return Expect(ParseNumber(actual, value) && std::abs(value - expected) <= tolerance, what,
                  detail);
}

int Checks::Finish() const {
    std::printf("%d passed, %d failed\n", passed, failed);
    std::fflush(stdout);
    return failed == 0 ? 0 : 1;
}

bool ParseNumber(const std::string& text, double& value) {
    char* end = nullptr;
    value = std::strtod(text.c_str(), &end);
    return !text.empty() && end != nullptr && *end == '\0';
}

double TimeMs(const std::function<void()>& action) {
    const auto start = std::chrono::steady_clock::now();
    action();
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
        .count();
}

void PrintMedian(const std::string& what, int rounds, const std::function<double()>& round) {
    std::vector<double> samples;
    for (int i = 0; i < rounds; ++i) samples.push_back(round());
    if (samples.empty()) return;
    std::sort(samples.begin(), samples.end());
    const size_t n = samples.size();
    const double median = n % 2 ? samples[n / 2] : (samples[n / 2 - 1] + samples[n / 2]) / 2;
    std::printf("timing %s median %.1f ms\n", what.c_str(), median);
    std::fflush(stdout);
}

}  // namespace e2e
