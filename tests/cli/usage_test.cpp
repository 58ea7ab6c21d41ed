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
        {{"fit", sample, "--model", "K81"}, "--model takes JC69, F81, K80 or HKY85, not 'K81'"},
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
        // A bad file is named with the line at fault, whichever command reads it.
        {{"fit", data + "short_row.fasta"}, data + "short_row.fasta:3:"},
        {{"compare", data + "foreign_letter.fasta"}, data + "foreign_letter.fasta:4:"},
        {{"dist", data + "name_twice.fasta"}, data + "name_twice.fasta:3:"},
        {{"report", data + "empty.fasta", "--model", "K80"}, ":1: the file is empty"},
    };
    for (const auto& line : lines) {
        std::string shown;
        for (const std::string& word : line.words) shown += word + " ";
        SCOPED_TRACE(shown);
        const CliResult result = RunCli(line.words);
        EXPECT_EQ(result.status, 2);
        EXPECT_EQ(result.out, "");
        EXPECT_NE(result.err.find(line.message), std::string::npos) << result.err;
    }
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
