// Simulated pairs against what HKY85 predicts, from the exponential of the
// rate matrix rather than from the simulator's own transition probabilities.
#include "evolve.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "model/divergence.h"
#include "simulation.h"
#include "support/reference_model.h"

namespace dyvern {
namespace {

using testing::Frequencies;

constexpr int kSites = 400000;

struct PQ {
    double p = 0, q = 0;  // proportions of transitional and transversional differences
};

// The reference matrix runs at sum_i pi_i sum_j r_ij substitutions per unit;
// rescaled so that d counts substitutions per site.
PQ Expected(double kappa, const Frequencies& pi, double d) {
    double rate = 0.0;
    for (int i = 0; i < 4; ++i)
        for (int j = 0; j < 4; ++j)
            if (i != j)
                rate += pi[i] * pi[j] * (KindOfPair(i, j) == PairKind::Transition ? kappa : 1.0);
    const DivergenceCounts joint = testing::ReferenceJoint(d / rate, kappa, pi);
    PQ pq;
    for (int i = 0; i < 4; ++i)
        for (int j = 0; j < 4; ++j)
            if (i != j) (KindOfPair(i, j) == PairKind::Transition ? pq.p : pq.q) += joint[i][j];
    return pq;
}

PQ Observed(const std::vector<std::string>& pair) {
    PQ pq;
    for (size_t site = 0; site < pair[0].size(); ++site) {
        const int i = int(std::string("ACGT").find(pair[0][site]));
        const int j = int(std::string("ACGT").find(pair[1][site]));
        if (i != j) (KindOfPair(i, j) == PairKind::Transition ? pq.p : pq.q) += 1.0 / kSites;
    }
    return pq;
}

double FiveSigma(double share) { return 5.0 * std::sqrt(share * (1.0 - share) / kSites); }

TEST(EvolveTest, PairDifferencesMatchTheModel) {
    const struct {
        double kappa;
        Frequencies freqs;
        double d;
    } cases[] = {
        {1.0, testing::kEqualFrequencies, 1.5},
        {10.0, testing::kEqualFrequencies, 0.6},
        {2.0, {0.1, 0.4, 0.3, 0.2}, 1.0},
        {30.0, {0.35, 0.3, 0.1, 0.25}, 0.05},
    };
    std::uint64_t seed = 11;
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message() << "kappa " << c.kappa << " d " << c.d);
        const Tree pair{2, {{2, c.d / 2}, {2, c.d / 2}, {-1, 0.0}}};
        RandomSource random(seed++);
        const PQ observed = Observed(EvolveSequences(pair, {c.kappa, c.freqs}, kSites, random));
        const PQ expected = Expected(c.kappa, c.freqs, c.d);
        EXPECT_NEAR(observed.p, expected.p, FiveSigma(expected.p));
        EXPECT_NEAR(observed.q, expected.q, FiveSigma(expected.q));
    }
}

TEST(EvolveTest, LongSequenceKeepsTheFrequencies) {
    for (const Frequencies& freqs :
         {Frequencies{0.3, 0.2, 0.2, 0.3}, Frequencies{0.7, 0.1, 0.1, 0.1}}) {
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
