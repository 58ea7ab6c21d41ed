// Command lines and inputs that cannot be carried out: status 2, a message
// that says why, and nothing on standard output; and the help of every command.
#include <gtest/gtest.h>

#include "cli_runner.h"

namespace dyvern::testing {
namespace {

TEST(Usage, BadCommandLinesAndBadFilesSayWhyAndWriteNothing) {
    const std::string fasta = kPrimates, sample = kSample, data = kCliData + "/";
    const struct {
        std::vector<std::string> words;
        std::string message;  // a part of what standard error says
    } lines[] = {
        {{}, "Usage: dyvern-cli COMMAND"},
        {{"fitt", sample}, "unknown command 'fitt'"},
        {{"fit"}, "no FILE given"},
        {{"fit", sample, sample}, "is one too many"},
        {{"compare", sample, "--model", "K80"}, "unknown option '--model'"},
        {{"fit", sample, "--model", "K82"},
         "--model takes raw, JC69, F81, K80, T92, K81, F84, HKY85, TN93, GTR, LogDet or "
         "paralinear, not 'K82'"},
        {{"fit", sample, "--model"}, "--model needs a value"},
        {{"fit", sample, "--criterion", "ml", "--criterion", "ls"}, "--criterion is given twice"},
        {{"fit", sample, "--format", "xml"}, "--format takes one of tsv, json, not 'xml'"},
        {{"fit", sample, "--pair", "A", "B"}, "is a data file, which holds one pair"},
        {{"fit", fasta}, "holds 5 sequences: choose a pair with --pair NAME1 NAME2"},
        {{"fit", fasta, "--pair", "Human", "Yeti"}, "no sequence named 'Yeti'"},
        {{"fit", fasta, "--pair", "Human", "Ye\nti"}, "no sequence named 'Ye\\x0Ati'\n"},
        {{"fit", fasta, "--pair", "Human", "Gibbon", "--all-pairs"}, "cannot be given together"},
        {{"fit", "no-such-file.fasta"}, "no-such-file.fasta"},
        {{"dist", sample}, "dist needs an alignment"},
        {{"dist", fasta, "--model", "K80,HKY85"}, "--model takes one model here"},
        {{"dist", fasta, "--threads", "-1"}, "--threads takes a whole number"},
        {{"dist", fasta, "--max-d", "0.1"}, "--max-d keeps pairs of a list: use --format tsv"},
        {{"dist", fasta, "--output", "no-such-folder/d.phy"}, "cannot create no-such-folder/d.phy"},
        {{"table", fasta, "Human"}, "table takes ALIGNMENT NAME1 NAME2"},
        {{"table", fasta, "Human", "Human"}, "the two names are the same"},
        {{"table", sample, "a", "b"}, "is already a data file"},
        {{"report", sample}, "report needs --model M"},
        {{"report", sample, "--model", "TN93"},
         "report writes the window's report, of JC69, F81, K80 or HKY85, not 'TN93'"},
        // Each criterion for the models that have it, and rate variation and
        // frequencies for the criteria that take them.
        {{"fit", sample, "--model", "TN93", "--criterion", "ls"},
         "--criterion ls fits the window's models only (JC69, F81, K80 or HKY85), not 'TN93'"},
        {{"dist", fasta, "--model", "K81", "--criterion", "ls"}, "window's models only"},
        {{"fit", sample, "--model", "LogDet", "--criterion", "ml"},
         "'LogDet' has no likelihood: use --criterion formula"},
        {{"fit", sample, "--model", "K80,paralinear"}, "'paralinear' has no likelihood"},
        {{"dist", fasta, "--model", "raw"}, "'raw' has no likelihood"},
        {{"fit", sample, "--model", "HKY85", "--criterion", "formula"},
         "'HKY85' has no published closed form: use --criterion ml"},
        {{"dist", fasta, "--model", "GTR", "--criterion", "formula"}, "'GTR' has no published"},
        {{"fit", sample, "--criterion", "ml", "--gamma", "0"}, "--gamma takes a shape above 0"},
        {{"compare", sample, "--gamma-categories", "4"}, "--gamma-categories needs --gamma ALPHA"},
        {{"dist", fasta, "--invariant", "1"}, "--invariant takes a share from 0 up to 1"},
        {{"fit", sample, "--model", "K80", "--criterion", "formula", "--invariant", "0.2"},
         "a formula takes --gamma alone: --gamma-categories and --invariant are for --criterion ml"},
        {{"dist", fasta, "--criterion", "formula", "--gamma", "1", "--gamma-categories", "4"},
         "a formula takes --gamma alone"},
        {{"fit", sample, "--model", "raw", "--criterion", "formula", "--gamma", "1"},
         "'raw' has no formula with --gamma"},
        {{"fit", sample, "--criterion", "ls", "--frequencies", "pair"},
         "least squares takes no --gamma, --invariant or --frequencies"},
        {{"compare", sample, "--frequencies", "alignment"},
         "--frequencies alignment needs an alignment, not a data file"},
        // A bad file is named with the line at fault, whichever command reads it.
        {{"fit", data + "short_row.fasta"}, data + "short_row.fasta:3:"},
        {{"compare", data + "foreign_letter.fasta"}, data + "foreign_letter.fasta:4:"},
        {{"dist", data + "name_twice.fasta"}, data + "name_twice.fasta:3:"},
        {{"report", data + "empty.fasta", "--model", "K80"}, ":1: the file is empty"},
    };
    for (const auto& line : lines) ExpectRefused(line.words, line.message);
}

TEST(Usage, EveryCommandHasHelpOnStandardOutput) {
    const CliResult overall = RunCli({"--help"});
    EXPECT_EQ(overall.status, 0);
    for (const std::string command : {"fit", "compare", "dist", "table", "report"}) {
        EXPECT_NE(overall.out.find("\n  " + command + " "), std::string::npos) << command;
        for (const char* ask : {"--help", "-h"}) {
            const CliResult result = RunCli({command, ask});
            EXPECT_EQ(result.status, 0) << command;
            EXPECT_EQ(result.out.rfind("Usage: dyvern-cli " + command, 0), 0u) << result.out;
            EXPECT_EQ(result.err, "") << command;
        }
    }
}

}  // namespace
}  // namespace dyvern::testing
