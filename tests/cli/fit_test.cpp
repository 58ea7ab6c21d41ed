// fit and compare against answers from elsewhere: the closed forms of
// Jukes & Cantor and Kimura with their large-sample variances, likelihoods
// published with the sample, and the relations between the two commands.
#include <gtest/gtest.h>

#include <cmath>

#include "cli_runner.h"

namespace dyvern::testing {
namespace {

// Transition and transversion shares of a pair row, from the `table` command.
struct Shares {
    double P, Q, n;
};

Shares SharesOf(const std::string& fasta, const std::string& a, const std::string& b) {
    std::istringstream in(RunCli({"table", fasta, a, b}).out);
    double n = 0, cell[4][4];
    in >> n;
    for (auto& row : cell)
        for (double& c : row) in >> c;
    // A C G T: transitions are A<->G and C<->T.
    const double P = cell[0][2] + cell[2][0] + cell[1][3] + cell[3][1];
    double differ = 0;
    for (int i = 0; i < 4; ++i)
        for (int j = 0; j < 4; ++j) differ += i == j ? 0 : cell[i][j];
    return {P / n, (differ - P) / n, n};
}

TEST(Fit, JukesCantorAndKimuraMeetTheirClosedFormsOnEveryPrimatePair) {
    const CliResult result =
        RunCli({"fit", PrimatesFasta(), "--all-pairs", "--model", "JC69,K80", "--criterion", "ml"});
    ASSERT_EQ(result.status, 0) << result.err;
    const std::vector<Row> rows = ReadTsv(result.out);
    ASSERT_EQ(rows.size(), 20u);
    for (const Row& row : rows) {
        const Shares s = SharesOf(PrimatesFasta(), row.at("seq1"), row.at("seq2"));
        const double p = s.P + s.Q;
        double d, variance;
        if (row.at("model") == "JC69") {
            const double w = 1 - 4 * p / 3;
            d = -0.75 * std::log(w);
            variance = p * (1 - p) / (s.n * w * w);
        } else {
            const double a = 1 / (1 - 2 * s.P - s.Q), b = (a + 1 / (1 - 2 * s.Q)) / 2;
            d = 0.5 * std::log(a) - 0.25 * std::log(1 - 2 * s.Q);
            variance = (a * a * s.P + b * b * s.Q - std::pow(a * s.P + b * s.Q, 2)) / s.n;
        }
        const std::string pair = row.at("seq1") + "/" + row.at("seq2") + " " + row.at("model");
        EXPECT_NEAR(NumberIn(row, "d"), d, 1e-9 * d) << pair;
        EXPECT_NEAR(NumberIn(row, "se_d"), std::sqrt(variance), 1e-6 * std::sqrt(variance)) << pair;
        EXPECT_LT(NumberIn(row, "d_low"), d) << pair;
        EXPECT_GT(NumberIn(row, "d_high"), d) << pair;
        EXPECT_EQ(row.at("status"), "ok") << pair;
        EXPECT_EQ(NumberIn(row, "sites"), 895) << pair;
    }
}

TEST(Fit, SampleLikelihoodsAndTheFastaPairAgree) {
    const CliResult file = RunCli({"fit", SharedSamplePath(), "--criterion", "ml"});
    const CliResult fasta =
        RunCli({"fit", PrimatesFasta(), "--pair", "Human", "Chimpanzee", "--criterion", "ml"});
    ASSERT_EQ(file.status, 0);
    ASSERT_EQ(fasta.status, 0);
    const std::vector<Row> a = ReadTsv(file.out), b = ReadTsv(fasta.out);
    ASSERT_EQ(a.size(), 4u);
    ASSERT_EQ(b.size(), 4u);
    // Published with the data: JC69 and K80 under likelihood.
    EXPECT_EQ(a[0].at("lnL"), "-1594.692558");
    EXPECT_EQ(a[2].at("lnL"), "-1530.006297");
    EXPECT_NEAR(NumberIn(a[2], "kappa"), 32.37011, 1e-5);
    EXPECT_EQ(a[0].at("seq1"), SharedSamplePath());
    EXPECT_EQ(a[0].at("seq2"), "-");
    for (std::size_t m = 0; m < 4; ++m) {
        Row x = a[m], y = b[m];
        EXPECT_EQ(y.at("seq1"), "Human");
        EXPECT_EQ(y.at("seq2"), "Chimpanzee");
        x.erase("seq1"), x.erase("seq2"), y.erase("seq1"), y.erase("seq2");
        EXPECT_EQ(x, y) << m;
    }
}

TEST(Fit, JsonHoldsTheSameRowsWithNullForWhatDoesNotApply) {
    const CliResult tsv = RunCli({"fit", SharedSamplePath(), "--model", "K80"});
    const CliResult json = RunCli({"fit", SharedSamplePath(), "--model", "K80", "--format", "json"});
    ASSERT_EQ(json.status, 0);
    const std::vector<Row> rows = ReadTsv(tsv.out);
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(json.out.front(), '[');
    EXPECT_EQ(json.out.substr(json.out.size() - 2), "]\n");
    EXPECT_NE(json.out.find("\"d\": " + rows[0].at("d") + ","), std::string::npos);
    EXPECT_NE(json.out.find("\"lnL\": " + rows[1].at("lnL") + ","), std::string::npos);
    EXPECT_NE(json.out.find("\"criterion\": \"ls\", "), std::string::npos);
    // Under least squares: se_d, d_low, d_high, se_kappa, k, AIC, AICc, BIC.
    std::size_t nulls = 0;
    for (std::size_t at = json.out.find("null"); at != std::string::npos;
         at = json.out.find("null", at + 1))
        ++nulls;
    EXPECT_EQ(nulls, 8u);
    EXPECT_EQ(json.out.find("NA"), std::string::npos);
}

struct Edge {
    const char* second;  // against ACGTACGTAC... of the same length
    const char* model;
    const char* status;
    const char* d;
    const char* kappa;
};

TEST(Fit, EdgesAreSaidPlainly) {
    const std::string first = "ACGTACGTACGTACGTACGT";
    const Edge edges[] = {
        {"ACGTACGTACGTACGTACGT", "JC69", "identical", "0", "1"},
        {"GCGTACATACGCACGTACGT", "K80", "no-transversions", "", "inf"},
        {"CATGCATGCATGCATGCATG", "JC69", "saturated", "inf", "1"},
    };
    const ScratchFolder folder;
    for (const Edge& edge : edges) {
        const std::string path =
            folder.Write("edge.fasta", ">one\n" + first + "\n>two\n" + edge.second + "\n");
        const CliResult result =
            RunCli({"fit", path, "--model", edge.model, "--criterion", "ml"});
        ASSERT_EQ(result.status, 0) << result.err;
        const Row row = ReadTsv(result.out).at(0);
        EXPECT_EQ(row.at("status"), edge.status);
        if (*edge.d) {
            EXPECT_EQ(row.at("d"), edge.d) << edge.status;
        }
        EXPECT_EQ(row.at("kappa"), edge.kappa) << edge.status;
        if (std::string(edge.status) != "saturated") {
            EXPECT_TRUE(std::isfinite(NumberIn(row, "d"))) << edge.status;
            EXPECT_TRUE(std::isfinite(NumberIn(row, "d_high"))) << edge.status;
        }
        const CliResult json = RunCli({"fit", path, "--model", edge.model, "--format", "json"});
        EXPECT_EQ(json.out.find("inf"), std::string::npos) << edge.status;
    }
}

TEST(Fit, SitesLeftOutAreCountedAndUnfittablePairsNamed) {
    const ScratchFolder folder;
    const std::string path = folder.Write(
        "gaps.fasta", ">a\nACGTR-ACGT\n>b\nACGTA?ACGA\n>c\n-----NNNNN\n");
    const CliResult result = RunCli({"fit", path, "--all-pairs", "--model", "JC69"});
    EXPECT_EQ(result.status, 1);
    EXPECT_NE(result.err.find("a and b: 8 of 10 sites counted, 1 left out for a gap or missing "
                              "data, 1 for an ambiguity code"),
              std::string::npos)
        << result.err;
    EXPECT_NE(result.err.find("a and c: JC69 cannot be fitted"), std::string::npos);
    const std::vector<Row> rows = ReadTsv(result.out);
    ASSERT_EQ(rows.size(), 6u);
    EXPECT_EQ(rows[0].at("status"), "ok");
    EXPECT_EQ(rows[2].at("status"), "unfittable");
    EXPECT_EQ(rows[2].at("sites"), "0");

    const CliResult average =
        RunCli({"fit", path, "--pair", "a", "b", "--model", "JC69", "--ambiguity", "average"});
    EXPECT_EQ(average.status, 0);
    EXPECT_EQ(ReadTsv(average.out).at(0).at("sites"), "9");
}

TEST(Compare, TestsFollowFromTheFitsLikelihoods) {
    const CliResult fits = RunCli({"fit", SharedSamplePath(), "--criterion", "ml"});
    const CliResult compare = RunCli({"compare", SharedSamplePath()});
    ASSERT_EQ(compare.status, 0) << compare.err;
    const std::size_t blank = compare.out.find("\n\n");
    ASSERT_NE(blank, std::string::npos);
    const std::vector<Row> models = ReadTsv(compare.out.substr(0, blank + 1));
    const std::vector<Row> tests = ReadTsv(compare.out.substr(blank + 2));
    const std::vector<Row> fitted = ReadTsv(fits.out);
    ASSERT_EQ(models.size(), 4u);
    ASSERT_EQ(tests.size(), 4u);
    std::map<std::string, double> lnL;
    double wAIC = 0, wBIC = 0;
    for (std::size_t m = 0; m < 4; ++m) {
        EXPECT_EQ(models[m].at("lnL"), fitted[m].at("lnL"));
        EXPECT_EQ(models[m].at("AIC"), fitted[m].at("AIC"));
        lnL[models[m].at("model")] = NumberIn(models[m], "lnL");
        wAIC += NumberIn(models[m], "w_AIC");
        wBIC += NumberIn(models[m], "w_BIC");
    }
    EXPECT_NEAR(wAIC, 1.0, 1e-12);
    EXPECT_NEAR(wBIC, 1.0, 1e-12);
    EXPECT_EQ(models[3].at("w_AIC"), "1");  // HKY85 by far, on these data
    for (const Row& test : tests) {
        const double lr = 2 * (lnL[test.at("alternative")] - lnL[test.at("null")]);
        EXPECT_NEAR(NumberIn(test, "LR"), lr, 1e-6) << test.at("null");
        const int df = std::stoi(test.at("df"));
        EXPECT_EQ(df, test.at("null") == "JC69" && test.at("alternative") == "K80" ? 1
                      : test.at("null") == "F81"                                  ? 1
                                                                                  : 3);
        // The chi-square tail: erfc(sqrt(x/2)) on 1 df; on 3 df that plus
        // sqrt(2x/pi) e^(-x/2).
        const double tail = std::erfc(std::sqrt(lr / 2)) +
                            (df == 3 ? std::sqrt(2 * lr / M_PI) * std::exp(-lr / 2) : 0.0);
        EXPECT_NEAR(NumberIn(test, "P") / tail, 1.0, 1e-6) << test.at("null");
    }
    const CliResult json = RunCli({"compare", SharedSamplePath(), "--format", "json"});
    EXPECT_EQ(json.out.rfind("{\"models\": [", 0), 0u);
    EXPECT_NE(json.out.find("\"tests\": ["), std::string::npos);
}

}  // namespace
}  // namespace dyvern::testing
