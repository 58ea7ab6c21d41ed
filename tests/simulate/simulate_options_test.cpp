#include "simulate_options.h"

#include <gtest/gtest.h>

namespace dyvern {
namespace {

TEST(SimulateOptionsTest, ValuesAreRead) {
    const auto options = ParseSimulateOptions({"--sequences", "7", "--sites", "250", "--seed",
                                               "18446744073709551615", "--kappa", "2.5", "--freqs",
                                               "0.1,0.2,0.3,0.4", "--tree-depth", "0.05", "--gaps",
                                               "0.1", "--ambiguous", "0.02", "--line-width", "0"});
    EXPECT_EQ(options.sequences, 7);
    EXPECT_EQ(options.sites, 250);
    EXPECT_EQ(options.seed, UINT64_MAX);
    EXPECT_EQ(options.model.kappa, 2.5);
    EXPECT_NEAR(options.model.freqs[2], 0.3, 1e-15);
    EXPECT_EQ(options.treeDepth, 0.05);
    EXPECT_EQ(options.noise.gaps, 0.1);
    EXPECT_EQ(options.noise.ambiguous, 0.02);
    EXPECT_EQ(options.lineWidth, 0);
    EXPECT_FALSE(options.help);
}

TEST(SimulateOptionsTest, BadCommandLinesSayWhichOption) {
    const struct {
        std::vector<std::string> arguments;
        std::string named;
    } cases[] = {
        {{"--sites", "12x"}, "--sites"},
        {{"--seed", "99999999999999999999"}, "--seed"},
        {{"--kappa", "0"}, "--kappa"},
        {{"--freqs", "0.3,0.3,0.3,0.3"}, "--freqs"},
        {{"--freqs", "0.5,0,0.2,0.3"}, "--freqs"},
        {{"--gaps", "0.6", "--ambiguous", "0.6"}, "--ambiguous"},
        {{"--sequences", "100000", "--sites", "100000"}, "--sites"},
        {{"--depth", "1"}, "--depth"},
    };
    for (const auto& c : cases) {
        try {
            ParseSimulateOptions(c.arguments);
            ADD_FAILURE() << "accepted " << c.arguments[0];
        } catch (const OptionError& error) {
            EXPECT_NE(std::string(error.what()).find(c.named), std::string::npos) << error.what();
        }
    }
}

}  // namespace
}  // namespace dyvern
