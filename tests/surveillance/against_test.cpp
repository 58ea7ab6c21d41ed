// dist --against: each sequence of one alignment against each of another, in
// the order of the first then the second, each pair's distance that of the
// pair's own table fitted alone.
#include <gtest/gtest.h>

#include <cstdio>

#include "cli_runner.h"
#include "standard_input.h"

namespace dyvern::testing {
namespace {

const std::string kFirst = kSurveillanceData + "/primates_first.fasta";  // Human, Chimpanzee
const std::string kRest = kSurveillanceData + "/primates_rest.fasta";  // Gorilla, Orangutan, Gibbon

TEST(Against, EachPairOfTheTwoFilesInOrderWithTheDistanceOfItsOwnFit) {
    const std::vector<std::pair<std::string, std::string>> order = {
        {"Human", "Gorilla"},      {"Human", "Orangutan"},      {"Human", "Gibbon"},
        {"Chimpanzee", "Gorilla"}, {"Chimpanzee", "Orangutan"}, {"Chimpanzee", "Gibbon"}};
    const struct {
        const char* model;
        const char* criterion;
    } estimates[] = {{"K80", "ml"}, {"HKY85", "ml"}, {"TN93", "formula"}, {"F81", "ls"}};
    for (const auto& e : estimates) {
        SCOPED_TRACE(e.model);
        const CliResult list = RunCli({"dist", kFirst, "--against", kRest, "--model", e.model,
                                       "--criterion", e.criterion, "--threads", "2"});
        ASSERT_EQ(list.status, 0) << list.err;
        const std::vector<Row> rows = ReadTsv(list.out);
        ASSERT_EQ(rows.size(), order.size());
        for (std::size_t k = 0; k < rows.size(); ++k) {
            const auto& [seq1, seq2] = order[k];
            EXPECT_EQ(rows[k].at("seq1") + " " + rows[k].at("seq2"), seq1 + " " + seq2);
            const std::vector<Row> fit =
                ReadTsv(RunCli({"fit", kPrimates, "--pair", seq1, seq2, "--model", e.model,
                                "--criterion", e.criterion})
                            .out);
            ASSERT_EQ(fit.size(), 1u);
            EXPECT_EQ(rows[k].at("d"), fit[0].at("d")) << seq1 << " " << seq2;
            EXPECT_EQ(rows[k].at("sites"), "895");
        }
    }
}

// printf's %g, as tn93 writes a distance.
std::string PrintfG(double d) {
    char text[32];
    std::snprintf(text, sizeof text, "%g", d);
    return text;
}

TEST(Against, CsvListsKeptByMaxDAndStandardInputAsEitherFile) {
    const CliResult csv = RunCli({"dist", kFirst, "--against", kRest, "--format", "csv", "--max-d",
                                  "0.15", "--model", "K80"});
    ASSERT_EQ(csv.status, 0) << csv.err;
    std::string expected = "ID1,ID2,Distance\n";
    int kept = 0;
    for (const char* seq1 : {"Human", "Chimpanzee"})
        for (const char* seq2 : {"Gorilla", "Orangutan", "Gibbon"}) {
            const std::vector<Row> fit = ReadTsv(RunCli({"fit", kPrimates, "--pair", seq1, seq2,
                                                         "--model", "K80", "--criterion", "ml"})
                                                     .out);
            const double d = NumberIn(fit.at(0), "d");
            if (d > 0.15) continue;
            ++kept;
            expected += std::string(seq1) + "," + seq2 + "," + PrintfG(d) + "\n";
        }
    ASSERT_GT(kept, 0);
    ASSERT_LT(kept, 6);
    EXPECT_EQ(csv.out, expected);
    EXPECT_NE(csv.err.find(std::to_string(6 - kept) + " pairs with d above 0.15"),
              std::string::npos)
        << csv.err;
    const StandardInputFrom redirect(kRest);
    const CliResult second = RunCli(
        {"dist", kFirst, "--against", "-", "--format", "csv", "--max-d", "0.15", "--model", "K80"});
    EXPECT_EQ(second.out, csv.out);
}

TEST(Against, MatricesUnlikeSitesAndOneStandardInputTwiceAreRefused) {
    const std::string shortSites = kSurveillanceData + "/short_sites.fasta";
    const struct {
        std::vector<std::string> words;
        std::string message;
    } cases[] = {
        {{"dist", kFirst, "--against", kRest, "--format", "phylip"},
         "--against writes a list of pairs: use --format tsv or csv"},
        {{"dist", kFirst, "--against", kRest, "--format", "phylip-lower"},
         "--against writes a list"},
        {{"dist", kFirst, "--against", shortSites},
         shortSites + ": its sequences have 10 sites and those of " + kFirst + " 895"},
        {{"dist", "-", "--against", "-"}, "standard input can be read once"},
        {{"dist", kFirst, "--against", kSample}, "is a data file, one pair: --against needs"},
    };
    for (const auto& c : cases) ExpectRefused(c.words, c.message);
}

}  // namespace
}  // namespace dyvern::testing
