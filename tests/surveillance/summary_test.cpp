// dist --summary: the run's inputs, options, pairs and their reasons, and
// the distances in fixed bins, checked against the pairs the list and the
// fits give, and against distances worked by hand.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <regex>

#include "cli_runner.h"
#include "distance_histogram.h"
#include "standard_input.h"

namespace dyvern::testing {
namespace {

struct Bin {
    double from;
    long long pairs;
};

std::vector<Bin> BinsOf(const std::string& json) {
    static const std::regex bin(
        R"re(\{"from": ([0-9.e+-]+), "to": ([0-9.e+-]+|null), "pairs": ([0-9]+)\})re");
    std::vector<Bin> bins;
    for (auto it = std::sregex_iterator(json.begin(), json.end(), bin);
         it != std::sregex_iterator(); ++it) {
        const std::smatch& m = *it;
        bins.push_back({std::stod(m[1]), std::stoll(m[3])});
    }
    return bins;
}

bool Holds(const std::string& json, const std::string& text) {
    return json.find(text) != std::string::npos;
}

std::string Summary(const std::vector<std::string>& words, int status = 0) {
    const ScratchFile file("summary.json", "");
    std::vector<std::string> all = words;
    all.insert(all.end(), {"--summary", file.Path()});
    const CliResult result = RunCli(all);
    EXPECT_EQ(result.status, status) << result.err;
    return FileBytes(file.Path());
}

TEST(Histogram, BinsHoldTheirLowerBoundAndNotTheirUpper) {
    const struct {
        double d;
        int bin;
    } cases[] = {
        {0.0, 0},           {0.0024999, 0},
        {0.0025, 1},        {0.0149999, 5},
        {0.015, 6},         {0.0499999, 19},
        {0.05, 20},         {0.0599, 20},
        {0.06, 21},         {0.0999, 24},
        {0.1, 25},          {0.95, 33},
        {1.0, 34},          {1e6, 34},
        {-0.001, -1},       {std::numeric_limits<double>::infinity(), -1},
        {std::nan(""), -1},
    };
    for (const auto& c : cases) EXPECT_EQ(cli::HistogramBin(c.d), c.bin) << c.d;
}

TEST(Summary, PrimatesKeptByMaxDWithTheirDistancesBinned) {
    const std::string json =
        Summary({"dist", kPrimates, "--format", "csv", "--max-d", "0.15", "--model", "K80"});
    EXPECT_TRUE(Holds(json, "\"inputs\": [{\"file\": \"" + kPrimates + "\", \"sequences\": 5}]"));
    EXPECT_TRUE(Holds(json, "\"sites\": 895"));
    for (const char* option :
         {"\"model\": \"K80\"", "\"criterion\": \"ml\"", "\"ambiguity\": \"skip\"",
          "\"frequencies\": \"model\"", "\"gamma\": null", "\"max_d\": 0.15", "\"min_overlap\": 0",
          "\"format\": \"csv\""})
        EXPECT_TRUE(Holds(json, option)) << option;
    // The pairs' distances from their own fits, counted into the bins by hand:
    // the kept ones only, as a pair above the bound may stop counting early.
    const std::vector<Row> fits = ReadTsv(
        RunCli({"fit", kPrimates, "--all-pairs", "--model", "K80", "--criterion", "ml"}).out);
    long long kept = 0, in09 = 0, in1 = 0, above = 0;
    for (const Row& fit : fits) {
        const double d = NumberIn(fit, "d");
        kept += d <= 0.15;
        in09 += d >= 0.09 && d < 0.1;
        in1 += d >= 0.1 && d <= 0.15;
        above += d > 0.15 && d < 0.3;
    }
    ASSERT_EQ(in09 + in1 + above, 10);
    ASSERT_GT(in09 * in1 * above, 0);
    EXPECT_TRUE(Holds(json, "\"compared\": 10")) << json;
    EXPECT_TRUE(Holds(json, "\"with_distance\": 10")) << json;
    EXPECT_TRUE(Holds(json, "\"written\": " + std::to_string(kept)));
    EXPECT_TRUE(Holds(json, "\"above_max_d\": " + std::to_string(10 - kept)));
    EXPECT_TRUE(Holds(json, "\"ok\": 10"));
    for (const Bin& bin : BinsOf(json)) {
        const long long expected = bin.from == 0.09 ? in09 : bin.from == 0.1 ? in1 : 0;
        EXPECT_EQ(bin.pairs, expected) << bin.from;
    }
}

// overlap.fasta with 11 sites at least: 6 pairs, 5 identical over their
// overlap and ref-all20, one difference in 20 sites: JC69 d = -3/4 ln(1 -
// 4/3 0.05) = 0.0517448, in [0.05, 0.06).
TEST(Summary, PairsLeftOutForTooFewSitesAndTheirStatuses) {
    const std::string overlap = kSurveillanceData + "/overlap.fasta";
    const std::string csv =
        Summary({"dist", overlap, "--format", "csv", "--model", "JC69", "--min-overlap", "11"});
    for (const char* field :
         {"\"compared\": 15", "\"with_distance\": 6", "\"written\": 6", "\"total\": 9",
          "\"above_max_d\": 0", "\"too_few_sites\": 9", "\"no_distance\": 0", "\"ok\": 1",
          "\"identical\": 5", "\"too-few-sites\": 9", "\"unfittable\": 0", "\"min_overlap\": 11"})
        EXPECT_TRUE(Holds(csv, field)) << field << "\n" << csv;
    const std::vector<Bin> bins = BinsOf(csv);
    ASSERT_EQ(bins.size(), 35u);
    EXPECT_EQ(bins[0].pairs, 5);
    EXPECT_EQ(bins[20].from, 0.05);
    EXPECT_EQ(bins[20].pairs, 1);
    // A plain list writes the pairs without a distance, with their status.
    const std::string tsv =
        Summary({"dist", overlap, "--format", "tsv", "--model", "JC69", "--min-overlap", "11"});
    EXPECT_TRUE(Holds(tsv, "\"written\": 15")) << tsv;
    EXPECT_TRUE(Holds(tsv, "\"total\": 0"));
    // Without --min-overlap the pairs with no site in common are unfittable.
    const std::string plain = Summary({"dist", overlap, "--model", "JC69"}, 1);
    EXPECT_TRUE(Holds(plain, "\"unfittable\": 5")) << plain;
    EXPECT_TRUE(Holds(plain, "\"with_distance\": 10"));
}

TEST(Summary, TwoInputsAndStandardInputNamed) {
    const StandardInputFrom redirect(kSurveillanceData + "/primates_rest.fasta");
    const std::string json =
        Summary({"dist", kSurveillanceData + "/primates_first.fasta", "--against", "-", "--model",
                 "TN93", "--criterion", "formula", "--gamma", "0.5"});
    EXPECT_TRUE(Holds(json, "\"sequences\": 2}, {\"file\": \"-\", \"sequences\": 3}]")) << json;
    EXPECT_TRUE(Holds(json, "\"compared\": 6"));
    EXPECT_TRUE(Holds(json, "\"gamma\": 0.5"));
    EXPECT_TRUE(Holds(json, "\"format\": \"tsv\""));
}

TEST(Summary, NotWrittenForBadInputAndAnUnwritablePathIsAnError) {
    const ScratchFile summary("summary-bad.json", "");
    const CliResult bad =
        RunCli({"dist", kCliData + "/name_twice.fasta", "--summary", summary.Path()});
    EXPECT_EQ(bad.status, 2);
    EXPECT_EQ(FileBytes(summary.Path()), "");
    const CliResult unwritable = RunCli({"dist", kPrimates, "--summary", "no-such-folder/s.json"});
    EXPECT_EQ(unwritable.status, 2);
    EXPECT_EQ(unwritable.out, "");
    EXPECT_NE(unwritable.err.find("cannot create no-such-folder/s.json"), std::string::npos);
}

}  // namespace
}  // namespace dyvern::testing
