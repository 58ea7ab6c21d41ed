// "-" reads standard input through every reader, plain or gzipped, as the
// file itself reads; messages call it "standard input".
#include "standard_input.h"

#include <gtest/gtest.h>

#include "align/input.h"
#include "align/input_error.h"
#include "cli_runner.h"

namespace dyvern::testing {
namespace {

const std::string kAlignData = DYVERN_ALIGN_DATA;

Input FromStandardInput(const std::string& path) {
    const StandardInputFrom redirect(path);
    return ReadInput("-");
}

TEST(StandardInput, EveryReaderPlainOrGzippedReadsWhatTheFileReads) {
    for (const std::string file :
         {"primates.fasta.gz", "primates_lower_crlf.fa", "primates_strict.phy",
          "primates_relaxed.phy", "primates_interleaved.phy", "primates.nex",
          "primates_interleaved.nex.gz", "small.fasta", "small.nex", "sample.dat.gz"}) {
        SCOPED_TRACE(file);
        const std::string path = kAlignData + "/" + file;
        const Input expected = ReadInput(path);
        const Input input = FromStandardInput(path);
        EXPECT_EQ(input.kind, expected.kind);
        EXPECT_EQ(input.gzipped, expected.gzipped);
        if (const auto* table = std::get_if<DataFileTable>(&expected.content)) {
            EXPECT_EQ(std::get<DataFileTable>(input.content).counts, table->counts);
            continue;
        }
        const auto& alignment = std::get<Alignment>(input.content);
        EXPECT_EQ(alignment.names, std::get<Alignment>(expected.content).names);
        EXPECT_EQ(alignment.sequences, std::get<Alignment>(expected.content).sequences);
        EXPECT_EQ(alignment.source, "standard input");
    }
}

TEST(StandardInput, BadInputIsCalledStandardInput) {
    const struct {
        std::string bytes, message;
    } cases[] = {
        {"", "standard input:1: the file is empty"},
        {"\x1f\x8b\x08\x00garbage", "standard input: "},
        {">a\nACGT\n>a\nACGT\n", "standard input:3:"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.message);
        const ScratchFile file("bad-input", c.bytes);
        try {
            FromStandardInput(file.Path());
            ADD_FAILURE() << "no error";
        } catch (const InputError& error) {
            EXPECT_EQ(std::string(error.what()).rfind(c.message, 0), 0u) << error.what();
        }
    }
}

TEST(StandardInput, DistOfStandardInputWritesWhatDistOfTheFileWrites) {
    const CliResult expected = RunCli({"dist", kPrimates, "--model", "TN93"});
    ASSERT_EQ(expected.status, 0);
    const StandardInputFrom redirect(kAlignData + "/primates.fasta.gz");
    const CliResult result = RunCli({"dist", "-", "--model", "TN93"});
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.out, expected.out);
}

}  // namespace
}  // namespace dyvern::testing
