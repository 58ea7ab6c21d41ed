// The distance matrix and the pair list against the fits of the same pairs,
// with the pairs that have no distance said, never silent.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <sstream>

#include "cli_runner.h"

namespace dyvern::testing {
namespace {

// Each row of a PHYLIP square: the name, then its cells.
std::vector<std::vector<std::string>> ReadPhylip(const std::string& text) {
    std::istringstream in(text);
    std::size_t count = 0;
    in >> count;
    std::vector<std::vector<std::string>> rows(count, std::vector<std::string>(count + 1));
    for (auto& row : rows)
        for (std::string& word : row) in >> word;
    return rows;
}

TEST(Dist, MatrixHoldsEachPairsFittedDistanceSymmetricallyOnAnyThreadCount) {
    for (const char* model : {"JC69", "F81", "K80", "HKY85"}) {
        SCOPED_TRACE(model);
        const CliResult dist = RunCli({"dist", kPrimates, "--model", model});
        ASSERT_EQ(dist.status, 0) << dist.err;
        EXPECT_EQ(dist.out.rfind("5\nHuman     0 ", 0), 0u) << dist.out;
        EXPECT_EQ(RunCli({"dist", kPrimates, "--model", model, "--threads", "3"}).out, dist.out);
        const auto m = ReadPhylip(dist.out);
        const std::vector<Row> fits = ReadTsv(
            RunCli({"fit", kPrimates, "--all-pairs", "--model", model, "--criterion", "ml"}).out);
        ASSERT_EQ(fits.size(), 10u);
        std::size_t f = 0;
        for (std::size_t i = 0; i < 5; ++i) {
            EXPECT_EQ(m[i][i + 1], "0");
            for (std::size_t j = i + 1; j < 5; ++j, ++f) {
                SCOPED_TRACE(m[i][0] + " " + m[j][0]);
                EXPECT_EQ(fits[f].at("seq1") + " " + fits[f].at("seq2"), m[i][0] + " " + m[j][0]);
                EXPECT_EQ(m[i][j + 1], fits[f].at("d"));
                EXPECT_EQ(m[j][i + 1], m[i][j + 1]);
            }
        }
    }
}

TEST(Dist, ListKeepsThePairsUnderTheLimitAndCountsTheRest) {
    const CliResult all = RunCli({"dist", kPrimates, "--format", "tsv", "--threads", "2"});
    ASSERT_EQ(all.status, 0);
    EXPECT_EQ(RunCli({"dist", kPrimates, "--format", "tsv", "--threads", "1"}).out, all.out);
    const std::vector<Row> rows = ReadTsv(all.out);
    ASSERT_EQ(rows.size(), 10u);
    int kept = 0;
    for (const Row& row : rows) kept += NumberIn(row, "d") <= 0.15;
    ASSERT_GT(kept, 0);
    ASSERT_LT(kept, 10);
    const CliResult some = RunCli({"dist", kPrimates, "--format", "tsv", "--max-d", "0.15"});
    EXPECT_EQ(ReadTsv(some.out).size(), static_cast<std::size_t>(kept));
    EXPECT_NE(some.err.find(std::to_string(10 - kept) + " pairs with d above 0.15"),
              std::string::npos)
        << some.err;
}

TEST(Dist, OutputFileHoldsWhatStandardOutputWouldAndIsMadeOnlyForAGoodAlignment) {
    const std::string path = ::testing::TempDir() + "dyvern_dist_output.phy";
    std::remove(path.c_str());
    const CliResult toFile = RunCli({"dist", kPrimates, "--output", path});
    ASSERT_EQ(toFile.status, 0) << toFile.err;
    EXPECT_EQ(toFile.out, "");
    EXPECT_EQ(FileBytes(path), RunCli({"dist", kPrimates}).out);
    std::remove(path.c_str());
    EXPECT_EQ(RunCli({"dist", kCliData + "/name_twice.fasta", "--output", path}).status, 2);
    EXPECT_FALSE(std::ifstream(path).good());
}

TEST(Dist, PairsWithoutADistanceAreNamed) {
    const std::string path = kCliData + "/awkward.fasta";  // c holds no base, d is far off
    const CliResult matrix = RunCli({"dist", path, "--model", "JC69"});
    EXPECT_EQ(matrix.status, 1);
    const auto m = ReadPhylip(matrix.out);
    EXPECT_NE(m[0][2], "-1");
    EXPECT_EQ(m[0][3], "-1");
    EXPECT_EQ(m[3][1], "-1");
    EXPECT_NE(matrix.err.find("a and c: no sites in common"), std::string::npos);
    EXPECT_NE(matrix.err.find("a and d: too many differences"), std::string::npos);
    EXPECT_NE(matrix.err.find("the matrix shows -1 for the 5 pairs"), std::string::npos)
        << matrix.err;
}

}  // namespace
}  // namespace dyvern::testing
