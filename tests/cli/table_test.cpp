// The table written is a data file the window reads, with its shared-out
// cells exactly as counted.
#include <gtest/gtest.h>

#include <sstream>

#include "cli_runner.h"
#include "data/data_file.h"

namespace dyvern::testing {
namespace {

DataFileTable TableOf(const std::vector<std::string>& words) {
    const CliResult result = RunCli(words);
    EXPECT_EQ(result.status, 0) << result.err;
    std::istringstream written(result.out);
    return ReadDataFile(written, 0);
}

TEST(Table, SharedOutCellsReadBackExactly) {
    // x RYBAC against y ACAAC. R against A: half A-A, half G-A; Y against C:
    // half C-C, half T-C; B (C, G or T) against A: a third each of C-A, G-A, T-A.
    const std::string path = kCliData + "/codes.fasta";
    const DataFileTable table = TableOf({"table", path, "x", "y", "--ambiguity", "average"});
    EXPECT_EQ(table.siteCount, 5);
    EXPECT_EQ(table.counts[0][0], 1.5);
    EXPECT_DOUBLE_EQ(table.counts[2][0], 0.5 + 1.0 / 3);
    EXPECT_EQ(table.counts[1][0], 1.0 / 3);
    EXPECT_EQ(table.counts[3][1], 0.5);
    EXPECT_EQ(table.counts[3][0], 1.0 / 3);
    EXPECT_EQ(TableOf({"table", path, "x", "y"}).siteCount, 2);
}

}  // namespace
}  // namespace dyvern::testing
