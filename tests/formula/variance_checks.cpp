#include "variance_checks.h"

#include <random>

namespace dyvern::testing {
namespace {

double Sum(const DivergenceCounts& counts) {
    double n = 0.0;
    for (const auto& row : counts)
        for (const double cell : row) n += cell;
    return n;
}

// By one binomial per cell, of what the cells before it left.
DivergenceCounts DrawTable(const DivergenceCounts& shares, int n, std::mt19937_64& random) {
    DivergenceCounts drawn{};
    long left = n;
    double rest = 1.0;
    for (int k = 0; k < 16 && left > 0; ++k) {
        const double p = shares[k / 4][k % 4];
        const double chance = rest > p ? p / rest : 1.0;
        const long count = std::binomial_distribution<long>(left, chance)(random);
        drawn[k / 4][k % 4] = static_cast<double>(count);
        left -= count;
        rest -= p;
    }
    return drawn;
}

}  // namespace

double NumericalVariance(const DistanceOfTable& d, const DivergenceCounts& counts) {
    const double n = Sum(counts);
    double squares = 0.0, mean = 0.0;
    for (int i = 0; i < 4; ++i) {
        for (int j = 0; j < 4; ++j) {
            if (counts[i][j] == 0.0) continue;
            const double h = 1e-5 * counts[i][j];
            DivergenceCounts up = counts, down = counts;
            up[i][j] += h;
            down[i][j] -= h;
            const double G = n * (d(up) - d(down)) / (2.0 * h);
            const double F = counts[i][j] / n;
            squares += F * G * G;
            mean += F * G;
        }
    }
    return (squares - mean * mean) / n;
}

double ReplicateVariance(const DistanceOfTable& d, const DivergenceCounts& table, int n,
                         int replicates, std::uint64_t seed) {
    const double total = Sum(table);
    DivergenceCounts shares{};
    for (int i = 0; i < 4; ++i)
        for (int j = 0; j < 4; ++j) shares[i][j] = table[i][j] / total;
    std::mt19937_64 random(seed);
    double mean = 0.0, squares = 0.0;  // Welford's running sums
    for (int r = 1; r <= replicates; ++r) {
        const double x = d(DrawTable(shares, n, random));
        const double step = x - mean;
        mean += step / r;
        squares += step * (x - mean);
    }
    return squares / (replicates - 1);
}

}  // namespace dyvern::testing
