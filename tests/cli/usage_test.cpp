// Command lines that cannot be carried out: status 2, a message that says
// why, and nothing on standard output; and the help of every command.
#include <gtest/gtest.h>

#include "cli_runner.h"

namespace dyvern::testing {
namespace {

struct BadLine {
    std::vector<std::string> words;
    const char* message;  // a part of what standard error says
};

TEST(Usage, BadCommandLinesSayWhyAndWriteNothing) {
    const std::string fasta = PrimatesFasta();
    const std::string sample = SharedSamplePath();
    const BadLine lines[] = {
        {{}, "Usage: dyvern-cli COMMAND"},
        {{"fitt", sample}, "unknown command 'fitt'"},
        {{"fit"}, "no FILE given"},
        {{"fit", sample, sample}, "is one too many"},
        {{"fit", sample, "--modle", "K80"}, "unknown option '--modle'"},
        {{"fit", sample, "--model", "K81"}, "--model takes JC69, F81, K80 or HKY85, not 'K81'"},
        {{"fit", sample, "--model"}, "--model needs a value"},
        {{"fit", sample, "--criterion", "ml", "--criterion", "ls"}, "--criterion is given twice"},
        {{"fit", sample, "--format", "xml"}, "--format takes one of tsv, json, not 'xml'"},
        {{"fit", sample, "--pair", "A", "B"}, "is a data file, which holds one pair"},
        {{"fit", fasta}, "holds 5 sequences: choose a pair with --pair NAME1 NAME2"},
        {{"fit", fasta, "--pair", "Human"}, "--pair needs a value"},
        {{"fit", fasta, "--pair", "Human", "Yeti"}, "no sequence named 'Yeti'"},
        {{"fit", fasta, "--pair", "Human", "Human"}, "--pair names 'Human' twice"},
        {{"fit", fasta, "--pair", "Human", "Gibbon", "--all-pairs"}, "cannot be given together"},
        {{"fit", "no-such-file.fasta"}, "no-such-file.fasta"},
        {{"compare", fasta, "--model", "K80"}, "unknown option '--model'"},
        {{"dist", sample}, "dist needs an alignment"},
        {{"dist", fasta, "--model", "K80,HKY85"}, "--model takes one model here"},
        {{"dist", fasta, "--criterion", "both"}, "--criterion takes one of ml, ls"},
        {{"dist", fasta, "--threads", "-1"}, "--threads takes a whole number"},
        {{"dist", fasta, "--max-d", "0.1"}, "--max-d keeps pairs of a list: use --format tsv"},
        {{"dist", fasta, "--format", "tsv", "--max-d", "near"}, "--max-d takes a number"},
        {{"table", fasta, "Human"}, "table takes ALIGNMENT NAME1 NAME2"},
        {{"table", fasta, "Human", "Human"}, "the two names are the same"},
        {{"table", sample, "a", "b"}, "is already a data file"},
        {{"report", sample}, "report needs --model M"},
        {{"report", sample, "--model", "JC69,K80"}, "--model takes one model here"},
    };
    for (const BadLine& line : lines) {
        const CliResult result = RunCli(line.words);
        const std::string shown = line.words.empty() ? "(none)" : line.words[0];
        EXPECT_EQ(result.status, 2) << shown;
        EXPECT_EQ(result.out, "") << shown;
        EXPECT_NE(result.err.find(line.message), std::string::npos)
            << shown << ": " << result.err;
    }
}

TEST(Usage, BadInputNamesTheFileAndLine) {
    const ScratchFolder folder;
    struct BadFile {
        const char* content;
        const char* message;
    } files[] = {
        {">a\nACGT\n>b\nACG\n", ":3:"},
        {">a\nACGT\n>b\nACXT\n", ":4:"},
        {">a\nACGT\n>a\nACGT\n", ":3:"},
        {"", ":1: the file is empty"},
    };
    for (const BadFile& file : files) {
        const std::string path = folder.Write("bad.fasta", file.content);
        for (const char* command : {"fit", "compare", "dist"}) {
            const CliResult result = RunCli({command, path});
            EXPECT_EQ(result.status, 2) << command << " " << file.content;
            EXPECT_EQ(result.out, "") << command;
            EXPECT_NE(result.err.find(path + file.message), std::string::npos) << result.err;
        }
    }
}

TEST(Usage, EveryCommandHasHelpOnStandardOutput) {
    for (const char* command : {"fit", "compare", "dist", "table", "report"}) {
        for (const char* ask : {"--help", "-h"}) {
            const CliResult result = RunCli({command, ask});
            EXPECT_EQ(result.status, 0) << command;
            EXPECT_EQ(result.out.rfind(std::string("Usage: dyvern-cli ") + command, 0), 0u)
                << result.out;
            EXPECT_EQ(result.err, "");
        }
    }
    const CliResult overall = RunCli({"--help"});
    EXPECT_EQ(overall.status, 0);
    for (const char* command : {"fit", "compare", "dist", "table", "report"})
        EXPECT_NE(overall.out.find(std::string("\n  ") + command + " "), std::string::npos);
}

}  // namespace
}  // namespace dyvern::testing
