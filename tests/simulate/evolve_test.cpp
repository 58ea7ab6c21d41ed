// Simulated pairs against what HKY85 predicts, derived here from the rate
// matrix and from the classical formulas rather than from the model's code.
#include "evolve.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "simulation.h"

namespace dyvern {
namespace {

using Matrix = std::array<std::array<double, 4>, 4>;
using Freqs = std::array<double, 4>;

constexpr int kSites = 400000;

bool IsTransition(int i, int j) { return i != j && (i + j) % 2 == 0; }  // A-G, C-T

Matrix Product(const Matrix& x, const Matrix& y) {
    Matrix z{};
    for (int i = 0; i < 4; ++i)
        for (int j = 0; j < 4; ++j)
            for (int k = 0; k < 4; ++k) z[i][j] += x[i][k] * y[k][j];
    return z;
}

// exp(R d), R scaled to one substitution per site per unit: a Taylor series
// over d / 2^20, squared twenty times.
Matrix HkyTransition(double kappa, const Freqs& pi, double d) {
    Matrix rate{}, sum{}, term{};
    double total = 0.0;
    for (int i = 0; i < 4; ++i)
        for (int j = 0; j < 4; ++j)
            if (i != j) {
                rate[i][j] = pi[j] * (IsTransition(i, j) ? kappa : 1.0);
                rate[i][i] -= rate[i][j];
                total += pi[i] * rate[i][j];
            }
    const double step = d / total / std::ldexp(1.0, 20);
    for (int i = 0; i < 4; ++i) sum[i][i] = term[i][i] = 1.0;
    for (int n = 1; n <= 8; ++n) {
        term = Product(term, rate);
        for (int i = 0; i < 4; ++i)
            for (int j = 0; j < 4; ++j) sum[i][j] += term[i][j] *= step / n;
    }
    for (int k = 0; k < 20; ++k) sum = Product(sum, sum);
    return sum;
}

struct PQ {
    double p = 0, q = 0;  // proportions of transitional and transversional differences
};

PQ ByRateMatrix(double kappa, const Freqs& pi, double d) {
    const Matrix m = HkyTransition(kappa, pi, d);
    PQ pq;
    for (int i = 0; i < 4; ++i)
        for (int j = 0; j < 4; ++j)
            if (i != j) (IsTransition(i, j) ? pq.p : pq.q) += pi[i] * m[i][j];
    return pq;
}

// Kimura: a base moves by transition at rate alpha and to each transversion
// at rate beta, so d = (alpha + 2 beta) t.
PQ ByKimura(double kappa, const Freqs&, double d) {
    const double betaT = d / (kappa + 2.0), alphaT = kappa * betaT;
    return {0.25 + 0.25 * std::exp(-4 * betaT) - 0.5 * std::exp(-2 * (alphaT + betaT)),
            0.5 - 0.5 * std::exp(-4 * betaT)};
}

// Jukes and Cantor: all changes alike, a third of them transitions.
PQ ByJukesCantor(double, const Freqs&, double d) {
    const double p = 0.75 * (1.0 - std::exp(-4.0 * d / 3.0));
    return {p / 3.0, 2.0 * p / 3.0};
}

PQ Observed(const std::vector<std::string>& pair) {
    PQ pq;
    for (size_t site = 0; site < pair[0].size(); ++site) {
        const int i = int(std::string("ACGT").find(pair[0][site]));
        const int j = int(std::string("ACGT").find(pair[1][site]));
        if (i != j) (IsTransition(i, j) ? pq.p : pq.q) += 1.0 / kSites;
    }
    return pq;
}

double FiveSigma(double share) { return 5.0 * std::sqrt(share * (1.0 - share) / kSites); }

TEST(EvolveTest, PairDifferencesMatchTheModel) {
    const Freqs equal{0.25, 0.25, 0.25, 0.25};
    const struct {
        double kappa;
        Freqs freqs;
        double d;
        PQ (*expected)(double, const Freqs&, double);
    } cases[] = {
        {1.0, equal, 0.3, ByJukesCantor},
        {1.0, equal, 1.5, ByJukesCantor},
        {4.0, equal, 0.2, ByKimura},
        {10.0, equal, 0.6, ByKimura},
        {4.0, {0.3, 0.2, 0.2, 0.3}, 0.3, ByRateMatrix},
        {2.0, {0.1, 0.4, 0.3, 0.2}, 1.0, ByRateMatrix},
        {30.0, {0.35, 0.3, 0.1, 0.25}, 0.05, ByRateMatrix},
    };
    std::uint64_t seed = 11;
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "kappa " << c.kappa << " d " << c.d);
        const Tree pair{2, {{2, c.d / 2}, {2, c.d / 2}, {-1, 0.0}}};
        RandomSource random(seed++);
        const PQ observed = Observed(EvolveSequences(pair, {c.kappa, c.freqs}, kSites, random));
        const PQ expected = c.expected(c.kappa, c.freqs, c.d);
        EXPECT_NEAR(observed.p, expected.p, FiveSigma(expected.p));
        EXPECT_NEAR(observed.q, expected.q, FiveSigma(expected.q));
    }
}

TEST(EvolveTest, LongSequenceKeepsTheFrequencies) {
    for (const Freqs& freqs : {Freqs{0.3, 0.2, 0.2, 0.3}, Freqs{0.7, 0.1, 0.1, 0.1}}) {
        SimulateOptions options;
        options.sequences = 2;
        options.sites = kSites;
        options.model.freqs = freqs;
        for (const auto& sequence : SimulateAlignment(options))
            for (int base = 0; base < 4; ++base) {
                const auto count = std::count(sequence.begin(), sequence.end(), "ACGT"[base]);
                EXPECT_NEAR(double(count) / kSites, freqs[base], FiveSigma(freqs[base]));
            }
    }
}

}  // namespace
}  // namespace dyvern
