// --min-overlap N: a pair with fewer than N sites counted has no distance
// (too-few-sites), said on standard error; without it, or with 0, every pair
// keeps today's distance and status.
#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

#include "cli_runner.h"
#include "standard_input.h"

namespace dyvern::testing {
namespace {

const std::string kOverlap = kSurveillanceData + "/overlap.fasta";

// The sites each pair of overlap.fasta shares, counted by hand: ref and
// all20 have 20 sites, firstK the first K of them, none no base at all.
const struct {
    const char* seq1;
    const char* seq2;
    int sites;
} kPairs[] = {
    {"ref", "all20", 20},       {"ref", "first12", 12},     {"ref", "first11", 11},
    {"ref", "first10", 10},     {"ref", "none", 0},         {"all20", "first12", 12},
    {"all20", "first11", 11},   {"all20", "first10", 10},   {"all20", "none", 0},
    {"first12", "first11", 11}, {"first12", "first10", 10}, {"first12", "none", 0},
    {"first11", "first10", 10}, {"first11", "none", 0},     {"first10", "none", 0},
};

TEST(MinOverlap, PairsUnderTheLeastOverlapHaveNoDistanceAndAreCounted) {
    for (const int least : {1, 10, 11, 12, 20, 21}) {
        SCOPED_TRACE(least);
        const CliResult result = RunCli({"dist", kOverlap, "--format", "tsv", "--model", "JC69",
                                         "--min-overlap", std::to_string(least)});
        EXPECT_EQ(result.status, 0) << result.err;
        const std::vector<Row> rows = ReadTsv(result.out);
        ASSERT_EQ(rows.size(), std::size(kPairs));
        int tooFew = 0;
        for (std::size_t k = 0; k < rows.size(); ++k) {
            const Row& row = rows[k];
            EXPECT_EQ(row.at("seq1") + " " + row.at("seq2"),
                      std::string(kPairs[k].seq1) + " " + kPairs[k].seq2);
            EXPECT_EQ(row.at("sites"), std::to_string(kPairs[k].sites));
            const bool few = kPairs[k].sites < least;
            tooFew += few;
            EXPECT_EQ(row.at("status") == "too-few-sites", few) << row.at("status");
            if (few) {
                EXPECT_EQ(row.at("d"), "NA");
            }
        }
        const std::string note = std::to_string(tooFew) + " pairs with fewer than " +
                                 std::to_string(least) + " sites counted have no distance";
        EXPECT_EQ(result.err.find(note) != std::string::npos, tooFew > 0) << result.err;
    }
}

TEST(MinOverlap, NoneOrZeroKeepsEveryPairAsBefore) {
    const CliResult plain = RunCli({"dist", kOverlap, "--format", "tsv", "--model", "JC69"});
    const CliResult zero =
        RunCli({"dist", kOverlap, "--format", "tsv", "--model", "JC69", "--min-overlap", "0"});
    EXPECT_EQ(zero.out, plain.out);
    EXPECT_EQ(zero.err, plain.err);
    EXPECT_EQ(plain.status, 1);  // pairs without a site in common
    for (const Row& row : ReadTsv(plain.out)) {
        EXPECT_NE(row.at("status"), "too-few-sites");
        if (row.at("sites") == "0") {
            EXPECT_EQ(row.at("status"), "unfittable");
        }
    }
    EXPECT_EQ(plain.err.find("--min-overlap"), std::string::npos);
}

TEST(MinOverlap, MatrixShowsMinusOneAndMaxDLeavesThePairsOut) {
    // 11 sites or more: ref-all20, ref-first12, ref-first11, all20-first12,
    // all20-first11, first12-first11.
    const CliResult matrix = RunCli({"dist", kOverlap, "--model", "JC69", "--min-overlap", "11"});
    EXPECT_EQ(matrix.status, 0);
    std::istringstream rows(matrix.out);
    std::string line;
    std::getline(rows, line);
    int missing = 0;
    for (std::string word; rows >> word;) missing += word == "-1";
    EXPECT_EQ(missing, 2 * 9);
    EXPECT_NE(matrix.err.find("the matrix shows -1 for the 9 pairs"), std::string::npos);
    // A list bounded by --max-d (the CSV's count is in summary_test.cpp).
    const CliResult list = RunCli({"dist", kOverlap, "--model", "JC69", "--min-overlap", "11",
                                   "--format", "tsv", "--max-d", "10"});
    EXPECT_EQ(std::count(list.out.begin(), list.out.end(), '\n'), 1 + 6) << list.out;
    EXPECT_NE(list.err.find("9 pairs"), std::string::npos) << list.err;
}

TEST(MinOverlap, BadValuesAreUsageErrors) {
    for (const char* value : {"-1", "x", "1.5", ""})
        ExpectRefused({"dist", kOverlap, "--min-overlap", value}, "--min-overlap takes a whole number");
}

}  // namespace
}  // namespace dyvern::testing
