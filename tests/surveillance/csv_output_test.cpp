// dist --format csv: the edge list as tn93 writes it, byte for byte on the
// same alignment (the reference files are tn93's own output, see
// scripts/tn93-reference), with names quoted where CSV needs it.
#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

#include "cli_runner.h"
#include "csv_text.h"
#include "standard_input.h"

namespace dyvern::testing {
namespace {

const std::string kTn93Input = kSurveillanceData + "/tn93_input.fasta";

TEST(CsvText, DistancesAsPrintfWritesThemWithG) {
    const struct {
        double value;
        const char* text;  // %g: 6 significant digits, trailing zeros dropped
    } cases[] = {
        {0.0, "0"},
        {-0.0, "0"},
        {0.015, "0.015"},
        {0.0169356123, "0.0169356"},
        {0.016935651, "0.0169357"},  // the 7th digit rounds up
        {1.0 / 3.0, "0.333333"},
        {0.000150045, "0.000150045"},  // 1e-4 and above: no exponent
        {5.0005e-05, "5.0005e-05"},    // below 1e-4: an exponent of two digits
        {1e-7, "1e-07"},
        {0.1, "0.1"},
        {1.5, "1.5"},
        {123456.4, "123456"},
        {1234567.0, "1.23457e+06"},
    };
    for (const auto& c : cases) {
        std::string out;
        cli::AppendShortNumber(out, c.value);
        EXPECT_EQ(out, c.text) << c.value;
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

TEST(CsvOutput, AwkwardNamesQuotedAndReadBackByCluster) {
    const std::string names = kSurveillanceData + "/names.fasta";
    const CliResult csv = RunCli({"dist", names, "--format", "csv", "--model", "JC69"});
    ASSERT_EQ(csv.status, 0) << csv.err;
    const std::vector<std::string> pairs = {"plain,\"with,comma\",",
                                            "plain,\"say\"\"hi\"\"\",",
                                            "plain,\"\"\"quoted\"\"\",",
                                            "\"with,comma\",\"say\"\"hi\"\"\",",
                                            "\"with,comma\",\"\"\"quoted\"\"\",",
                                            "\"say\"\"hi\"\"\",\"\"\"quoted\"\"\","};
    std::istringstream lines(csv.out);
    std::string line;
    std::getline(lines, line);
    EXPECT_EQ(line, "ID1,ID2,Distance");
    for (const std::string& pair : pairs) {
        ASSERT_TRUE(std::getline(lines, line));
        EXPECT_EQ(line.rfind(pair, 0), 0u) << line;
    }
    const ScratchFile list("names.csv", csv.out);
    const CliResult clusters = RunCli({"cluster", list.Path(), "--max-d", "1"});
    EXPECT_EQ(clusters.out,
              "SequenceID,ClusterID,ClusterSize\nplain,1,4\n\"with,comma\",1,4\n"
              "\"say\"\"hi\"\"\",1,4\n\"\"\"quoted\"\"\",1,4\n");
}

}  // namespace
}  // namespace dyvern::testing
