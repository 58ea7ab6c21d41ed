// One alignment in every format the readers know gives the same tables and
// the same distances; and the table written is a data file the window reads.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "cli_runner.h"
#include "data/data_file.h"

namespace dyvern::testing {
namespace {

const char* const kSameAlignment[] = {
    "primates.fasta.gz",        "primates.nex",          "primates_interleaved.nex",
    "primates_interleaved.nex.gz", "primates_interleaved.phy", "primates_relaxed.phy",
    "primates_strict.phy",      "primates_lower_crlf.fa",
};

// The table without its closing comment, which names the file.
std::string Counts(const std::string& table) { return table.substr(0, table.find('#')); }

TEST(Formats, EveryFormatGivesTheSampleTableAndTheSameMatrix) {
    std::ifstream in(SharedSamplePath());
    const DataFileTable sample = ReadDataFile(in, 0);
    const CliResult reference = RunCli({"table", PrimatesFasta(), "Human", "Chimpanzee"});
    ASSERT_EQ(reference.status, 0) << reference.err;
    std::istringstream written(reference.out);
    const DataFileTable table = ReadDataFile(written, 0);
    EXPECT_EQ(table.siteCount, sample.siteCount);
    EXPECT_EQ(table.counts, sample.counts);

    const std::string matrix = RunCli({"dist", PrimatesFasta(), "--model", "HKY85"}).out;
    for (const char* file : kSameAlignment) {
        const std::string path = AlignData(file);
        const CliResult result = RunCli({"table", path, "Human", "Chimpanzee"});
        EXPECT_EQ(result.status, 0) << file << ": " << result.err;
        EXPECT_EQ(Counts(result.out), Counts(reference.out)) << file;
        EXPECT_EQ(RunCli({"dist", path, "--model", "HKY85"}).out, matrix) << file;
    }
}

TEST(Formats, SharedOutCellsReadBackExactly) {
    const ScratchFolder folder;
    // R against A: half A-A, half G-A; Y against C: half C-C, half T-C;
    // B (C, G or T) against A: a third each of C-A, G-A, T-A.
    const std::string path = folder.Write("codes.fasta", ">x\nRYBAC\n>y\nACAAC\n");
    const CliResult result = RunCli({"table", path, "x", "y", "--ambiguity", "average"});
    ASSERT_EQ(result.status, 0) << result.err;
    std::istringstream in(result.out);
    const DataFileTable table = ReadDataFile(in, 0);
    EXPECT_EQ(table.siteCount, 5);
    EXPECT_EQ(table.counts[0][0], 1.5);
    EXPECT_DOUBLE_EQ(table.counts[2][0], 0.5 + 1.0 / 3);
    EXPECT_EQ(table.counts[1][0], 1.0 / 3);
    EXPECT_EQ(table.counts[1][1], 1.5);
    EXPECT_EQ(table.counts[3][1], 0.5);
    EXPECT_EQ(table.counts[3][0], 1.0 / 3);

    const CliResult skipped = RunCli({"table", path, "x", "y"});
    std::istringstream skippedIn(skipped.out);
    EXPECT_EQ(ReadDataFile(skippedIn, 0).siteCount, 2);
    EXPECT_NE(skipped.err.find("2 of 5 sites counted, 0 left out for a gap or missing data, "
                               "3 for an ambiguity code"),
              std::string::npos)
        << skipped.err;
}

}  // namespace
}  // namespace dyvern::testing
