// The simulator: its random trees, its pairs and bases against what HKY85
// predicts (from the exponential of the rate matrix, not from the simulator's
// own transition probabilities), its noise and its command line.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <string>

#include "random_tree.h"
#include "simulate_options.h"
#include "simulation.h"
#include "support/reference_model.h"

namespace dyvern {
namespace {

TEST(RandomTree, BinaryUltrametricAndParentsAfterChildren) {
    const struct {
        int tips;
        double depth;
    } cases[] = {{2, 0.1}, {3, 0.2}, {50, 0.3}, {1000, 0.05}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.tips);
        RandomSource random(c.tips);
        const Tree tree = RandomJoiningTree(c.tips, c.depth, random);
        ASSERT_EQ(tree.nodes.size(), size_t(2 * c.tips - 1));
        std::vector<int> children(tree.nodes.size(), 0);
        for (int node = 0; node < tree.Root(); ++node) {
            const int parent = tree.nodes[node].parent;
            ASSERT_GT(parent, node);
            ASSERT_GE(parent, c.tips);
            ++children[parent];
            EXPECT_GE(tree.nodes[node].branch, 0.0);
        }
        EXPECT_EQ(tree.nodes[tree.Root()].parent, -1);
        for (int node = c.tips; node <= tree.Root(); ++node) EXPECT_EQ(children[node], 2);
        for (int tip = 0; tip < c.tips; ++tip) {
            EXPECT_NEAR(TipHeight(tree, tip), c.depth, 1e-12 * c.depth);
            // No two tips closer than a quarter of the depth.
            EXPECT_GE(tree.nodes[tip].branch, c.depth / 8 * (1 - 1e-12));
        }
    }
}

constexpr int kSites = 400000;

double FiveSigma(double share) { return 5.0 * std::sqrt(share * (1.0 - share) / kSites); }

// Read from a command line, two tips at depth d / 2 lie d apart. The reference matrix runs at
// sum_i pi_i sum_j r_ij substitutions per unit, so its time is d over that.
TEST(Simulation, PairDifferencesAndBasesMatchTheModel) {
    const struct {
        double kappa;
        testing::Frequencies freqs;
        double d;
    } cases[] = {
        {1.0, testing::kEqualFrequencies, 1.5}, {10.0, testing::kEqualFrequencies, 0.6},
        {2.0, {0.1, 0.4, 0.3, 0.2}, 1.0},       {30.0, {0.35, 0.3, 0.1, 0.25}, 0.05},
        {4.0, {0.7, 0.1, 0.1, 0.1}, 0.3},
    };
    std::uint64_t seed = 11;
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message() << "kappa " << c.kappa << " d " << c.d);
        const testing::Frequencies& pi = c.freqs;
        const std::string freqs = std::to_string(pi[0]) + "," + std::to_string(pi[1]) + "," +
                                  std::to_string(pi[2]) + "," + std::to_string(pi[3]);
        const std::vector<std::string> pair = SimulateAlignment(
            ParseSimulateOptions({"--sequences", "2", "--sites", std::to_string(kSites), "--seed",
                                  std::to_string(seed++), "--kappa", std::to_string(c.kappa),
                                  "--freqs", freqs, "--tree-depth", std::to_string(c.d / 2)}));
        const double rate =
            2 * (pi[A] + pi[G]) * (pi[C] + pi[T]) + 2 * c.kappa * (pi[A] * pi[G] + pi[C] * pi[T]);
        const DivergenceCounts joint = testing::ReferenceJoint(c.d / rate, c.kappa, c.freqs);
        double expected[3] = {}, observed[3] = {};  // by PairKind
        for (int i = 0; i < 4; ++i)
            for (int j = 0; j < 4; ++j) expected[static_cast<int>(KindOfPair(i, j))] += joint[i][j];
        for (size_t site = 0; site < kSites; ++site) {
            const int i = int(std::string("ACGT").find(pair[0][site]));
            const int j = int(std::string("ACGT").find(pair[1][site]));
            observed[static_cast<int>(KindOfPair(i, j))] += 1.0 / kSites;
        }
        for (int kind = 1; kind < 3; ++kind)
            EXPECT_NEAR(observed[kind], expected[kind], FiveSigma(expected[kind])) << kind;
        for (const std::string& sequence : pair)
            for (int base = 0; base < 4; ++base) {
                const auto count = std::count(sequence.begin(), sequence.end(), "ACGT"[base]);
                EXPECT_NEAR(double(count) / kSites, c.freqs[base], FiveSigma(c.freqs[base]));
            }
    }
}

std::vector<std::string> Small(const char* seed, const char* gaps = "0", const char* codes = "0") {
    return SimulateAlignment(ParseSimulateOptions({"--sequences", "12", "--sites", "3000", "--seed",
                                                   seed, "--gaps", gaps, "--ambiguous", codes}));
}

// One seed, one alignment. The noise has its own random stream: letters it
// spares are the clean run's.
TEST(Simulation, SeedFixesTheRunAndNoiseReplacesItsShareHoldingTheTrueBase) {
    const std::map<char, std::string> holds = {
        {'R', "AG"},  {'Y', "CT"},  {'M', "AC"},  {'K', "GT"},  {'S', "CG"},  {'W', "AT"},
        {'B', "CGT"}, {'D', "AGT"}, {'H', "ACT"}, {'V', "ACG"}, {'N', "ACGT"}};
    const auto clean = Small("7");
    EXPECT_EQ(Small("7"), clean);
    EXPECT_NE(Small("8"), clean);
    const auto sequences = Small("7", "0.1", "0.05");
    double gaps = 0, codes = 0, letters = 0;
    std::map<char, int> seen;
    for (size_t s = 0; s < clean.size(); ++s)
        for (size_t site = 0; site < clean[s].size(); ++site, ++letters) {
            const char base = clean[s][site], letter = sequences[s][site];
            if (letter == '-') {
                ++gaps;
            } else if (letter != base) {
                ++codes;
                ++seen[letter];
                ASSERT_EQ(holds.count(letter), 1u) << letter;
                EXPECT_NE(holds.at(letter).find(base), std::string::npos) << letter << base;
            }
        }
    EXPECT_NEAR(gaps / letters, 0.1, 0.005);
    EXPECT_NEAR(codes / letters, 0.05, 0.004);
    EXPECT_EQ(seen.size(), holds.size());
}

// Each line goes wrong at its last option, which the message must name.
TEST(SimulateOptions, BadCommandLinesSayWhichOption) {
    const std::vector<std::string> cases[] = {
        {"--sites", "12x"},
        {"--seed", "99999999999999999999"},
        {"--kappa", "0"},
        {"--freqs", "0.3,0.3,0.3,0.3"},
        {"--freqs", "0.5,0,0.2,0.3"},
        {"--gaps", "0.6", "--ambiguous", "0.6"},
        {"--sequences", "100000", "--sites", "100000"},
        {"--depth", "1"},
    };
    for (const std::vector<std::string>& arguments : cases) {
        const std::string& named = arguments[arguments.size() - 2];
        try {
            ParseSimulateOptions(arguments);
            ADD_FAILURE() << "accepted " << named;
        } catch (const OptionError& error) {
            EXPECT_NE(std::string(error.what()).find(named), std::string::npos) << error.what();
        }
    }
}

}  // namespace
}  // namespace dyvern
