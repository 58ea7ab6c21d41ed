// fit and compare against answers from elsewhere: the likelihoods published
// with the sample, the closed form of Jukes & Cantor with its large-sample
// variance, the same pair read from the alignment, baseml's fits with gamma
// categories and ape's distances with the alignment's frequencies (what the
// options pass on), the models weighed by another program's likelihoods,
// and symmetry tests worked by hand.
#include <gtest/gtest.h>

#include <algorithm>
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
TEST(Fit, AwkwardPairsAreCountedAndNamed) {
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
}

// The least-squares rows of the default "both" are those least squares
// gives alone: what only likelihood takes is not applied to them.
TEST(Fit, OptionsOnlyLikelihoodTakesLeaveTheLeastSquaresRowsAlone) {
    const std::vector<Row> plain = ReadTsv(RunCli({"fit", kSample, "--criterion", "ls"}).out);
    const std::vector<Row> plainMl = ReadTsv(RunCli({"fit", kSample, "--criterion", "ml"}).out);
    for (const std::vector<std::string>& options :
         {std::vector<std::string>{"--gamma", "0.5"}, {"--gamma", "2", "--gamma-categories", "4"},
          {"--invariant", "0.3"}, {"--frequencies", "pair"}, {"--frequencies", "alignment"}}) {
        SCOPED_TRACE(options[0]);
        std::vector<std::string> words = {"fit", kPrimates, "--pair", "Human", "Chimpanzee"};
        words.insert(words.end(), options.begin(), options.end());
        const std::vector<Row> rows = ReadTsv(RunCli(words).out);
        ASSERT_EQ(rows.size(), 8u);
        for (std::size_t m = 0; m < 4; ++m) {
            Row ls = rows[2 * m + 1], alone = plain[m];
            for (Row* row : {&ls, &alone}) row->erase("seq1"), row->erase("seq2");
            EXPECT_EQ(ls, alone) << rows[2 * m + 1].at("model");
        }
        EXPECT_NE(rows[2].at("d"), plainMl[1].at("d")) << "F81's likelihood row takes them";
    }
}

double Relative(double value, double expected) { return std::fabs(value / expected - 1.0); }

// PAML's baseml 4.9j (Debian's paml 4.9j+dfsg-4) on Human and Chimpanzee with
// the pair's frequencies (nhomo = 0), alpha = 0.5 and ncatG = 4 under TN93:
// its kappas are k2 (A<->G) and k1 (T<->C).
TEST(Fit, GammaCategoriesAndThePairsFrequenciesReachBasemlsOptimum) {
    const CliResult result = RunCli({"fit", kPrimates, "--pair", "Human", "Chimpanzee", "--model",
                                     "TN93", "--criterion", "ml", "--frequencies", "pair",
                                     "--gamma", "0.5", "--gamma-categories", "4"});
    ASSERT_EQ(result.status, 0) << result.err;
    const std::vector<Row> rows = ReadTsv(result.out);
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_LT(Relative(NumberIn(rows[0], "lnL"), -1458.46072588), 1e-8);
    EXPECT_LT(Relative(NumberIn(rows[0], "d"), 0.113879292241), 2e-7);
    EXPECT_LT(Relative(NumberIn(rows[0], "kappaR"), 41.0905512073), 2e-6);
    EXPECT_LT(Relative(NumberIn(rows[0], "kappaY"), 38.821006957), 2e-6);
    EXPECT_EQ(rows[0].at("alpha") + " " + rows[0].at("pinv"), "0.5 NA");
}

// The rows of a reference file of ape's distances, past the line that says how it was made.
std::vector<Row> ApeRows(const std::string& name) {
    const std::string text = FileBytes(kFormulaData + "/" + name);
    return ReadTsv(text.substr(text.find('\n') + 1));
}

// ape 5.7's dist.dna takes the whole alignment's composition (each
// sequence's own over its known sites for paralinear): fit gives its d with
// --frequencies alignment and, for these models, not without. Its variances
// of TN93, F84 and T92 are the delta method's.
TEST(Fit, FormulaWithTheAlignmentsFrequenciesGivesApesDistances) {
    const std::string primates = "ape_primates.tsv", simulated = "ape_simulated_seed7.tsv";
    const struct {
        const std::string& reference;
        const char* model;  // as ape names it
        const char* gamma;  // "NA": none
        const char* cliModel;
        bool variance;  // ape's variance is right
    } cases[] = {{primates, "TN93", "0.5", "TN93", true},
                 {simulated, "F84", "NA", "F84", true},
                 {simulated, "paralin", "NA", "paralinear", false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.cliModel);
        const std::string alignment = c.reference == primates
                                          ? kPrimates
                                          : kFormulaData + "/simulated_seed7.fasta";
        std::vector<std::string> words = {"fit", alignment, "--all-pairs", "--model", c.cliModel,
                                          "--criterion", "formula"};
        if (std::string(c.gamma) != "NA") words.insert(words.end(), {"--gamma", c.gamma});
        const std::vector<Row> own = ReadTsv(RunCli(words).out);
        words.insert(words.end(), {"--frequencies", "alignment"});
        const std::vector<Row> rows = ReadTsv(RunCli(words).out);
        ASSERT_EQ(own.size(), rows.size());
        std::size_t matched = 0;
        double farthest = 0.0;  // of the pairs' own frequencies
        for (const Row& a : ApeRows(c.reference)) {
            if (a.at("model") != c.model || a.at("gamma") != c.gamma) continue;
            for (std::size_t p = 0; p < rows.size(); ++p) {
                if (rows[p].at("seq1") != a.at("seq1") || rows[p].at("seq2") != a.at("seq2"))
                    continue;
                ++matched;
                const double se = std::sqrt(NumberIn(a, "variance"));
                EXPECT_LT(Relative(NumberIn(rows[p], "d"), NumberIn(a, "d")), 2e-9);
                EXPECT_TRUE(!c.variance || Relative(NumberIn(rows[p], "se_d"), se) < 2e-9);
                farthest = std::max(farthest, Relative(NumberIn(own[p], "d"), NumberIn(a, "d")));
            }
        }
        EXPECT_EQ(matched, rows.size());
        EXPECT_GE(matched, 10u);
        EXPECT_GT(farthest, 1e-6);
    }
}

// baseml's lnL of F81 and K80 on the sample (estimate/sample_pair_test.cpp);
// F81 has two parameters more, so its weight over K80's is e^(gain - 2) by
// AIC and e^gain / n by BIC.
TEST(Compare, WeighsTheModelsAsAnotherProgramsLikelihoodsGive) {
    const std::vector<std::vector<Row>> blocks = ReadTsvBlocks(RunCli({"compare", kSample}).out);
    std::map<std::string, Row> byModel;
    for (const Row& row : blocks.at(0)) byModel[row.at("model")] = row;
    const double gain = -1524.8137977982 + 1530.00629687;
    for (const auto& [column, ratio] : {std::pair{"w_AIC", std::exp(gain - 2)},
                                        std::pair{"w_BIC", std::exp(gain) / 895}}) {
        const double weighed =
            NumberIn(byModel.at("F81"), column) / NumberIn(byModel.at("K80"), column);
        EXPECT_NEAR(weighed, ratio, 2e-7 * ratio) << column;
    }
}

// Bowker's statistic worked by hand, sum over base pairs of (n_ij - n_ji)^2 /
// (n_ij + n_ji), P for even df from the closed form of the chi-square tail.
// The sample: 36/22 + 1/3 + 36/52 on 4 df (C-G and G-T never change).
// Sequence 1 rich in A and T: (20 - 5)^2/25 twice, on 6 df. The five
// primates: a pair named on standard error is one a test rejects at 5%.
TEST(Compare, SymmetryTestsOfEachPairAndTheNoteOnThoseThatRejectIt) {
    const ScratchFile rich("rich.dat", "474\n100 3 20 3\n3 100 3 5\n5 3 100 3\n3 20 3 100\n");
    const double sample = 18.0 / 11 + 1.0 / 3 + 9.0 / 13;
    const struct {
        std::vector<std::string> input;
        double bowker, prob;
        std::string df;
    } known[] = {{{kSample}, sample, std::exp(-sample / 2) * (1 + sample / 2), "4"},
                 {{rich.Path()}, 18.0, std::exp(-9.0) * (1 + 9 + 81.0 / 2), "6"}};
    for (const auto& k : known) {
        std::vector<std::string> words = {"compare"};
        words.insert(words.end(), k.input.begin(), k.input.end());
        const CliResult result = RunCli(words);
        const std::vector<Row> symmetry = ReadTsvBlocks(result.out).at(2);
        ASSERT_EQ(symmetry.size(), 3u);
        EXPECT_NEAR(NumberIn(symmetry[0], "statistic"), k.bowker, 1e-9);
        EXPECT_NEAR(NumberIn(symmetry[0], "P"), k.prob, 1e-9 * k.prob);
        EXPECT_EQ(symmetry[0].at("df"), k.df);
        EXPECT_EQ((result.err.find("not symmetric at 5%") != std::string::npos), k.prob < 0.05);
    }

    const CliResult all = RunCli({"compare", kPrimates, "--all-pairs"});
    EXPECT_NE(all.out.find("\n\nseq1\tseq2\ttest\tstatistic\tdf\tP\n"), std::string::npos);
    const std::vector<Row> symmetry = ReadTsvBlocks(all.out).at(2);
    ASSERT_EQ(symmetry.size(), 30u);
    std::size_t named = 0;
    for (std::size_t r = 0; r < symmetry.size(); r += 3) {
        const std::string pair = symmetry[r].at("seq1") + " and " + symmetry[r].at("seq2");
        SCOPED_TRACE(pair);
        bool rejected = false;
        for (std::size_t t = 0; t < 3; ++t) {
            const Row& row = symmetry[r + t];
            EXPECT_EQ(row.at("seq1") + " and " + row.at("seq2"), pair);
            rejected |= NumberIn(row, "P") < 0.05;
        }
        EXPECT_EQ(symmetry[r].at("test") + symmetry[r + 1].at("test") + symmetry[r + 2].at("test"),
                  "BowkerStuartinternal");
        // Stuart's compares three free base shares; the internal test is what Bowker's has more.
        EXPECT_EQ(symmetry[r + 1].at("df"), "3");
        EXPECT_EQ(std::stoi(symmetry[r + 2].at("df")), std::stoi(symmetry[r].at("df")) - 3);
        const bool said = all.err.find(pair + ": the table is not symmetric") != std::string::npos;
        EXPECT_EQ(said, rejected);
        named += said;
    }
    EXPECT_EQ(named, 1u);  // Chimpanzee and Gibbon: Stuart's P is 0.02
}

}  // namespace
}  // namespace dyvern::testing
