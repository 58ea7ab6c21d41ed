#include "simulation.h"

#include <gtest/gtest.h>

#include <map>
#include <sstream>

namespace dyvern {
namespace {

SimulateOptions Small(std::uint64_t seed) {
    SimulateOptions options;
    options.sequences = 12;
    options.sites = 3000;
    options.seed = seed;
    return options;
}

std::string Fasta(const SimulateOptions& options) {
    std::ostringstream out;
    WriteFasta(out, SimulateAlignment(options), options.lineWidth);
    return out.str();
}

TEST(SimulationTest, SameSeedSameFileOtherSeedOtherFile) {
    EXPECT_EQ(Fasta(Small(42)), Fasta(Small(42)));
    EXPECT_NE(Fasta(Small(42)), Fasta(Small(43)));
}

// The noise has its own random stream: letters it spares are the clean run's.
TEST(SimulationTest, GapsAndCodesReplaceTheirShareAndHoldTheTrueBase) {
    const std::map<char, std::string> holds = {
        {'R', "AG"},  {'Y', "CT"},  {'M', "AC"},  {'K', "GT"},  {'S', "CG"},  {'W', "AT"},
        {'B', "CGT"}, {'D', "AGT"}, {'H', "ACT"}, {'V', "ACG"}, {'N', "ACGT"}};
    SimulateOptions noisy = Small(7);
    noisy.noise = {0.1, 0.05};
    const auto clean = SimulateAlignment(Small(7));
    const auto sequences = SimulateAlignment(noisy);
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

TEST(SimulationTest, FastaNamesAndLines) {
    const std::vector<std::string> sequences = {std::string(130, 'A'), "CCCCC"};
    const std::string a60(60, 'A'), tail = ">S0002\nCCCCC\n";
    for (const auto& [width, text] :
         {std::pair<int, std::string>{60, ">S0001\n" + a60 + "\n" + a60 + "\nAAAAAAAAAA\n" + tail},
          {0, ">S0001\n" + std::string(130, 'A') + "\n" + tail}}) {
        std::ostringstream out;
        WriteFasta(out, sequences, width);
        EXPECT_EQ(out.str(), text);
    }
    EXPECT_EQ(SequenceName(9999), "S10000");
}

}  // namespace
}  // namespace dyvern
