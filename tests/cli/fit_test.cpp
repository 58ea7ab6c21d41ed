// fit and compare against answers from elsewhere: the likelihoods published
// with the sample, the closed form of Jukes & Cantor with its large-sample
// variance, the same pair read from the alignment, likelihood-ratio tests
// from another program's likelihoods and R's chi-square tail, and the
// relations between the two commands.
#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <utility>

#include "cli_runner.h"

namespace dyvern::testing {
namespace {

TEST(Fit, SampleGivesThePublishedLikelihoodsTheClosedFormAndTheFastaPairsRows) {
    const CliResult file = RunCli({"fit", kSample, "--criterion", "ml"});
    const CliResult fasta =
        RunCli({"fit", kPrimates, "--pair", "Human", "Chimpanzee", "--criterion", "ml"});
    ASSERT_EQ(file.status, 0) << file.err;
    ASSERT_EQ(fasta.status, 0) << fasta.err;
    const std::vector<Row> rows = ReadTsv(file.out), pair = ReadTsv(fasta.out);
    ASSERT_EQ(rows.size(), 4u);
    ASSERT_EQ(pair.size(), 4u);
    EXPECT_EQ(rows[0].at("lnL"), "-1594.692558");
    EXPECT_EQ(rows[2].at("lnL"), "-1530.006297");
    EXPECT_NEAR(NumberIn(rows[2], "kappa"), 32.37011, 1e-5);
    // 79 of the sample's 895 sites differ.
    const double n = 895, p = 79 / n, w = 1 - 4 * p / 3, d = -0.75 * std::log(w);
    const double se = std::sqrt(p * (1 - p) / n) / w;
    EXPECT_NEAR(NumberIn(rows[0], "d"), d, 1e-9 * d);
    EXPECT_NEAR(NumberIn(rows[0], "se_d"), se, 1e-6 * se);
    for (std::size_t m = 0; m < 4; ++m) {
        SCOPED_TRACE(rows[m].at("model"));
        EXPECT_LT(NumberIn(rows[m], "d_low"), NumberIn(rows[m], "d"));
        EXPECT_GT(NumberIn(rows[m], "d_high"), NumberIn(rows[m], "d"));
        EXPECT_EQ(rows[m].at("seq1") + " " + rows[m].at("seq2"), kSample + " -");
        EXPECT_EQ(pair[m].at("seq1") + " " + pair[m].at("seq2"), "Human Chimpanzee");
        Row x = rows[m], y = pair[m];
        x.erase("seq1"), x.erase("seq2"), y.erase("seq1"), y.erase("seq2");
        EXPECT_EQ(x, y);
    }
}

// a and b share 8 sites, one left out for a gap and one for an ambiguity
// code; c holds nothing but gaps and N; d differs from a and b at nearly
// every site.
TEST(Fit, AwkwardPairsAreCountedNamedAndWrittenAsJsonWithNull) {
    const std::string path = kCliData + "/awkward.fasta";
    const CliResult result = RunCli({"fit", path, "--all-pairs", "--model", "JC69"});
    EXPECT_EQ(result.status, 1);
    EXPECT_NE(result.err.find("a and b: 8 of 10 sites counted, 1 left out for a gap or missing "
                              "data, 1 for an ambiguity code"),
              std::string::npos)
        << result.err;
    EXPECT_NE(result.err.find("a and c: JC69 cannot be fitted"), std::string::npos);
    const std::vector<Row> rows = ReadTsv(result.out);
    ASSERT_EQ(rows.size(), 12u);  // ml and ls for each of six pairs
    EXPECT_EQ(rows[0].at("sites") + " " + rows[0].at("status"), "8 ok");
    const double d = -0.75 * std::log(1 - 4.0 / 3 / 8);  // 1 of the 8 sites differs
    EXPECT_NEAR(NumberIn(rows[0], "d"), d, 1e-9 * d);
    EXPECT_EQ(rows[2].at("sites") + " " + rows[2].at("d") + " " + rows[2].at("status"),
              "0 NA unfittable");
    EXPECT_EQ(rows[4].at("d") + " " + rows[4].at("status"), "inf saturated");

    const CliResult json =
        RunCli({"fit", path, "--all-pairs", "--model", "JC69", "--format", "json"});
    EXPECT_EQ(json.out.rfind("[\n  {\"seq1\": \"a\", \"seq2\": \"b\", \"sites\": 8,", 0), 0u);
    EXPECT_EQ(json.out.substr(json.out.size() - 4), "}\n]\n");
    EXPECT_NE(json.out.find("\"d\": " + rows[0].at("d") + ", "), std::string::npos);
    // Each row without a finite branch length, NA and inf alike, writes null.
    std::size_t nulls = 0, missing = 0;
    for (std::size_t at = 0; (at = json.out.find("\"bt\": null, ", at)) != std::string::npos; ++at)
        ++nulls;
    for (const Row& row : rows) missing += !std::isfinite(NumberIn(row, "bt"));
    EXPECT_EQ(nulls, missing);
    EXPECT_GE(missing, 4u);  // a-c and a-d at least, under both criteria
    EXPECT_EQ(json.out.find("NA"), std::string::npos);
    EXPECT_EQ(json.out.find("inf"), std::string::npos);
}

TEST(Compare, RepeatsTheFitsAndTestsAsAnotherProgramsLikelihoodsGive) {
    const std::vector<Row> fitted = ReadTsv(RunCli({"fit", kSample, "--criterion", "ml"}).out);
    const CliResult compare = RunCli({"compare", kSample});
    ASSERT_EQ(compare.status, 0) << compare.err;
    const std::size_t blank = compare.out.find("\n\n");
    ASSERT_NE(blank, std::string::npos);
    const std::vector<Row> models = ReadTsv(compare.out.substr(0, blank + 1));
    const std::vector<Row> tests = ReadTsv(compare.out.substr(blank + 2));
    ASSERT_EQ(fitted.size(), 4u);
    ASSERT_EQ(models.size(), 4u);
    ASSERT_EQ(tests.size(), 4u);
    for (std::size_t m = 0; m < 4; ++m) {
        EXPECT_EQ(models[m].at("lnL"), fitted[m].at("lnL"));
        EXPECT_EQ(models[m].at("AIC"), fitted[m].at("AIC"));
    }
    // LR from the likelihoods of PAML's baseml 4.9j (frequencies estimated for
    // F81 and HKY85), P = R 4.2.2's pchisq(LR, df, lower.tail = FALSE).
    const std::map<std::string, std::pair<double, double>> known = {
        {"JC69 K80", {129.37252202, 5.621321459e-30}},
        {"F81 HKY85", {132.5864890184, 1.113484492e-30}},
        {"JC69 F81", {139.7575201636, 4.263267172e-30}},
        {"K80 HKY85", {142.971487162, 8.643849398e-31}}};
    for (const Row& test : tests) {
        const auto [lr, tail] = known.at(test.at("null") + " " + test.at("alternative"));
        SCOPED_TRACE(test.at("null") + " " + test.at("alternative"));
        EXPECT_NEAR(NumberIn(test, "LR"), lr, 1e-6);
        EXPECT_NEAR(NumberIn(test, "P") / tail, 1.0, 1e-6);
    }
    const CliResult json = RunCli({"compare", kSample, "--format", "json"});
    EXPECT_EQ(json.out.rfind("{\"models\": [", 0), 0u);
    EXPECT_NE(json.out.find("\"tests\": ["), std::string::npos);
}

}  // namespace
}  // namespace dyvern::testing
