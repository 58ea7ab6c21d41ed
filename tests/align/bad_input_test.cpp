// Input that no alignment can come from, and the one-line message each gives.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>

#include "align/input.h"
#include "align/input_error.h"

namespace dyvern {
namespace {

const std::string kData = DYVERN_ALIGN_DATA;

template <class Read>
std::string ErrorOf(Read read) {
    try {
        read();
    } catch (const InputError& error) {
        return error.what();
    }
    return "no error";
}

std::string MessageOf(std::string_view bytes, const std::string& source) {
    return ErrorOf([&] { ParseInput(bytes, source); });
}

struct BadInput {
    const char* source;
    const char* text;
    const char* message;
};

const BadInput kBadInputs[] = {
    // Any kind.
    {"empty.fa", "", "empty.fa:1: the file is empty"},
    // FASTA.
    {"a.fa", ">x\nACGT\n>y\nACG\n", "a.fa:3: sequence 'y' has 3 sites but 'x' has 4"},
    {"a.fa", ">x\nACGT\n>y\nACXT\n",
     "a.fa:4: 'X' at column 3 of sequence 'y' is not a nucleotide code"},
    {"a.fa", ">x\nAC\x01T\n>y\nACGT\n",
     "a.fa:2: '\\x01' at column 3 of sequence 'x' is not a nucleotide code"},
    {"a.fa", ">x\nACGT\n\n>x\nACGT\n", "a.fa:4: duplicate sequence name 'x' (first on line 1)"},
    {"a.fa", ">x\r\nACGT\r\n", "a.fa:1: only one sequence ('x'); an alignment needs at least two"},
    // PHYLIP.
    {"a.phy", "3 4\nx1 ACGT\nx2 ACGT\n",
     "a.phy:3: the header declares 3 sequences but the file holds 2"},
    {"a.phy", "2 5\nx1 ACGT\nx2 ACGTA\n", "a.phy:2: sequence 'x1' has 4 sites, not the 5 declared"},
    {"a.phy", "2 4\nx1 AC.T\nx2 ACGT\n",
     "a.phy:2: matching character '.' at column 6 is in the first sequence 'x1', which has "
     "nothing to match"},
    {"a.phy", "2 4\nx1 ACGT\nx2 ACGT\nx3 ACGT\n",
     "a.phy:4: data after the 2 sequences the header declares"},
    {"a.phy", "2 8\nx1 ACGT\nx2 ACGT\n\nACGT\nACG\n",
     "a.phy:3: sequence 'x2' has 7 sites, not the 8 declared"},
    // NEXUS.
    {"a.nex", "#NEXUS\nbegin data;\ndimensions ntax=3 nchar=4;\nmatrix\nx1 ACGT\nx2 ACGT\n;\nend;",
     "a.nex:7: NTAX=3 but the matrix holds 2 sequences"},
    {"a.nex", "#NEXUS\nbegin data;\ndimensions ntax=2 nchar=4;\nmatrix\nx1 ACGT\nx1 ACGT\n;",
     "a.nex:6: sequence 'x1' appears twice in the matrix"},
    {"a.nex", "#NEXUS\nbegin data;\ndimensions ntax=2 nchar=4;\nmatrix\nx1 ACGT\nx2 ACGT\n",
     "a.nex:6: the file ends inside MATRIX, before its ';'"},
    {"a.nex", "#NEXUS\n[ open\nbegin data;\n", "a.nex:2: comment '[' is never closed"},
    {"a.nex", "#NEXUS\nbegin data;\nformat datatype=protein;\n",
     "a.nex:3: DATATYPE=PROTEIN is not DNA"},
    {"a.nex", "#NEXUS\nbegin data;\ndimensions ntax=two;\n",
     "a.nex:3: NTAX= takes a positive whole number, not 'two'"},
    {"a.nex", "#NEXUS\nbegin trees;\nend;\n", "a.nex:3: no DATA or CHARACTERS block"},
    {"a.nex",
     "#NEXUS\nbegin taxa;\ntaxlabels x1 x2;\nend;\nbegin data;\ndimensions nchar=4;\nmatrix\n"
     "x1 ACGT\n'x 2' ACGT\n;",
     "a.nex:9: 'x 2' is not among the TAXLABELS"},
    {"a.nex", "#NEXUS\nbegin data;\ndimensions ntax=2 nchar=4;\nmatrix\n'x1 ACGT\n",
     "a.nex:5: quote ''' is never closed"},
};

TEST(BadInput, MessageNamesFileAndLine) {
    for (const BadInput& c : kBadInputs) EXPECT_EQ(MessageOf(c.text, c.source), c.message);
}

std::string FileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

TEST(BadFile, CutOrDamagedGzipStream) {
    const std::string bytes = FileBytes(kData + "/primates.fasta.gz");
    ASSERT_GT(bytes.size(), 100u);
    EXPECT_EQ(MessageOf(bytes.substr(0, bytes.size() / 2), "cut.gz"),
              "cut.gz: truncated gzip stream");
    // The 4-byte length at the end of the stream no longer matches.
    EXPECT_EQ(MessageOf(bytes.substr(0, bytes.size() - 1), "short.gz"),
              "short.gz: truncated gzip stream");
    std::string damaged = bytes;
    damaged[bytes.size() / 2] = static_cast<char>(~damaged[bytes.size() / 2]);
    EXPECT_EQ(MessageOf(damaged, "bad.gz").rfind("bad.gz: damaged gzip stream (", 0), 0u);
    EXPECT_EQ(MessageOf(bytes + "junk", "tail.gz"),
              "tail.gz: data after the end of the gzip stream");
    // Concatenated members are one text: the second copy repeats every name.
    EXPECT_EQ(MessageOf(bytes + bytes, "twice.gz"),
              "twice.gz:81: duplicate sequence name 'Human' (first on line 1)");
}

TEST(BadFile, MissingFileAndMissingNameAreNamed) {
    const std::string path = kData + "/no-such-file.fasta";
    EXPECT_EQ(ErrorOf([&] { ReadInput(path); }),
              path + ": cannot read (No such file or directory)");
    const Alignment alignment = std::get<Alignment>(ParseInput(">x\nA\n>y\nC\n", "two.fa").content);
    EXPECT_EQ(IndexOfName(alignment, "y"), 1u);
    EXPECT_EQ(ErrorOf([&] { IndexOfName(alignment, "Bonobo"); }),
              "two.fa: no sequence named 'Bonobo'");
}

}  // namespace
}  // namespace dyvern
