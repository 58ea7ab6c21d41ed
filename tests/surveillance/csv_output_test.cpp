// dist --format csv: the edge list as tn93 writes it, byte for byte on the
// same alignment (the reference files are tn93's own output, see
// scripts/tn93-reference), with names quoted where CSV needs it.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>

#include "cli_runner.h"
#include "csv_text.h"
#include "standard_input.h"

namespace dyvern::testing {
namespace {

const std::string kTn93Input = kSurveillanceData + "/tn93_input.fasta";

// printf's %g itself is the reference (rounding at the 7th digit, an
// exponent below 1e-4 and from 1e6), but for -0, written 0.
TEST(CsvText, DistancesAsPrintfWritesThemWithG) {
    for (const double value : {0.0, -0.0, 0.015, 0.0169356123, 0.016935651, 1.0 / 3.0,
                               0.000150045, 5.0005e-05, 1e-7, 0.1, 1.5, 123456.4, 1234567.0}) {
        char expected[32];
        std::snprintf(expected, sizeof expected, "%g", value == 0.0 ? 0.0 : value);
        std::string out;
        cli::AppendShortNumber(out, value);
        EXPECT_EQ(out, expected) << value;
    }
}

TEST(CsvText, NamesAreQuotedOnlyWhenTheyNeedIt) {
    const struct {
        const char* name;
        const char* field;
    } cases[] = {
        {"S0001", "S0001"},   {"with space", "with space"},
        {"a,b", "\"a,b\""},   {"say\"hi\"", "\"say\"\"hi\"\"\""},
        {"\"", "\"\"\"\""},   {"two\nlines", "\"two\nlines\""},
        {"cr\r", "\"cr\r\""},
    };
    for (const auto& c : cases) {
        std::string out;
        cli::AppendCsvField(out, c.name);
        EXPECT_EQ(out, c.field);
    }
}

TEST(CsvOutput, Tn93sEdgeListsByteForByte) {
    const struct {
        std::string maxD, minOverlap, reference;  // tn93 -t T -l N is --max-d T --min-overlap N+1
    } cases[] = {
        {"1", "2", "tn93_skip_t1_l1.csv"},
        {"0.05", "201", "tn93_skip_t0.05_l200.csv"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.reference);
        for (const char* threads : {"1", "3"}) {
            const CliResult result =
                RunCli({"dist", kTn93Input, "--model", "TN93", "--criterion", "formula",
                        "--ambiguity", "skip", "--format", "csv", "--max-d", c.maxD,
                        "--min-overlap", c.minOverlap, "--threads", threads});
            EXPECT_EQ(result.status, 0) << result.err;
            EXPECT_EQ(result.out, FileBytes(kSurveillanceData + "/" + c.reference));
        }
    }
}

// tn93 -l 200 needs more than 200 sites: --min-overlap 200 also keeps the
// pairs of exactly 200, and only those.
TEST(CsvOutput, Tn93sLeastOverlapIsOneLessThanOurs) {
    const std::vector<Row> pairs = ReadTsv(
        RunCli({"dist", kTn93Input, "--model", "TN93", "--criterion", "formula", "--format", "tsv"})
            .out);
    std::size_t exactly200 = 0;
    for (const Row& row : pairs)
        exactly200 += row.at("sites") == "200" && NumberIn(row, "d") <= 0.05;
    ASSERT_GT(exactly200, 0u);
    const CliResult ours = RunCli({"dist", kTn93Input, "--model", "TN93", "--criterion", "formula",
                                   "--format", "csv", "--max-d", "0.05", "--min-overlap", "200"});
    const std::string reference = FileBytes(kSurveillanceData + "/tn93_skip_t0.05_l200.csv");
    const auto lines = [](const std::string& text) {
        return static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n'));
    };
    EXPECT_EQ(lines(ours.out), lines(reference) + exactly200);
}

// What dist quotes, cluster reads back as the same names.
TEST(CsvOutput, AwkwardNamesQuotedAndReadBackByCluster) {
    const CliResult csv =
        RunCli({"dist", kSurveillanceData + "/names.fasta", "--format", "csv", "--model", "JC69"});
    ASSERT_EQ(csv.status, 0) << csv.err;
    const ScratchFile list("names.csv", csv.out);
    const CliResult clusters = RunCli({"cluster", list.Path(), "--max-d", "1"});
    EXPECT_EQ(clusters.out,
              "SequenceID,ClusterID,ClusterSize\nplain,1,4\n\"with,comma\",1,4\n"
              "\"say\"\"hi\"\"\",1,4\n\"\"\"quoted\"\"\",1,4\n");
}

}  // namespace
}  // namespace dyvern::testing
