#include "timings.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

namespace e2e {

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
