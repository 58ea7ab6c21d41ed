// A file saved with a UTF-8 byte order mark, as Windows editors may save it,
// reads as the same file without it; a mark and blanks make an empty file.
#include <gtest/gtest.h>

#include "cli_runner.h"

namespace dyvern::testing {
namespace {

const std::string kMark = "\xEF\xBB\xBF";

// What a run says, every mention of `path` replaced by FILE.
CliResult RunOn(std::vector<std::string> words, const std::string& path) {
    for (std::string& word : words)
        if (word == "FILE") word = path;
    CliResult result = RunCli(words);
    for (std::string* text : {&result.out, &result.err})
        for (std::size_t at = text->find(path); at != std::string::npos;
             at = text->find(path, at + 4))
            text->replace(at, path.size(), "FILE");
    return result;
}

void ExpectSame(const CliResult& plain, const CliResult& marked) {
    EXPECT_EQ(plain.status, marked.status);
    EXPECT_EQ(plain.out, marked.out);
    EXPECT_EQ(plain.err, marked.err);
}

TEST(ByteOrderMark, AMarkedFileReadsAsTheFileWithoutIt) {
    const ScratchFile sample("sample.dat", kMark + FileBytes(kSample));
    const ScratchFile primates("primates.fasta", kMark + FileBytes(kPrimates));
    const std::vector<std::string> onSample[] = {
        {"fit", "FILE"}, {"compare", "FILE"}, {"report", "FILE", "--model", "HKY85"}};
    for (const auto& words : onSample) {
        SCOPED_TRACE(words[0] + " on the sample");
        ExpectSame(RunOn(words, kSample), RunOn(words, sample.Path()));
    }
    const std::vector<std::string> onPrimates[] = {{"table", "FILE", "Human", "Gorilla"},
                                                   {"dist", "FILE", "--format", "tsv"}};
    for (const auto& words : onPrimates) {
        SCOPED_TRACE(words[0] + " on the primates");
        ExpectSame(RunOn(words, kPrimates), RunOn(words, primates.Path()));
    }
}

TEST(ByteOrderMark, AMarkAndBlanksAreAnEmptyFile) {
    const ScratchFile empty("empty.dat", "");
    const CliResult said = RunOn({"fit", "FILE"}, empty.Path());
    EXPECT_EQ(said.status, 2);
    EXPECT_EQ(said.out, "");
    EXPECT_NE(said.err.find("FILE:1: the file is empty"), std::string::npos) << said.err;
    for (const std::string& text : {std::string(" \r\n\t"), kMark, kMark + " \r\n\t"}) {
        SCOPED_TRACE(text.size());
        const ScratchFile blank("blank.dat", text);
        for (const char* command : {"fit", "compare", "table"}) {
            SCOPED_TRACE(command);
            std::vector<std::string> words = {command, "FILE"};
            if (words[0] == "table") words.insert(words.end(), {"a", "b"});
            ExpectSame(RunOn(words, empty.Path()), RunOn(words, blank.Path()));
        }
    }
}

}  // namespace
}  // namespace dyvern::testing
