// The readers: one alignment written in every format, plain and gzipped, reads
// the same; layouts the fixtures do not show; kinds told by content; input no
// alignment can come from, with the one-line message each gives. Then the pair
// table: pairwise deletion and the three ways of counting an ambiguity code.
#include "align/input.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>
#include <vector>

#include "align/input_error.h"
#include "align/pair_table.h"
#include "support/test_tables.h"

namespace dyvern {
namespace {

const std::string kData = DYVERN_ALIGN_DATA;

std::string FileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

TEST(Primates, EveryFormatReadsTheSameAndHumanAgainstChimpanzeeIsTheSample) {
    const Input fasta = ReadInput(kData + "/primates.fasta.gz");
    const Alignment& primates = std::get<Alignment>(fasta.content);
    const std::vector<std::string> names = {"Human", "Chimpanzee", "Gorilla", "Orangutan",
                                            "Gibbon"};
    EXPECT_EQ(primates.names, names);
    const PairTable table = CountPair(primates.sequences[0], primates.sequences[1]);
    const DataFileTable sample = testing::SampleData();
    EXPECT_EQ(table.sites, sample.siteCount);
    EXPECT_EQ(table.counts, sample.counts);
    EXPECT_EQ(table.gapOrMissing + table.ambiguous, 0);
    const struct {
        const char* file;
        const char* format;
        bool gzipped;
    } variants[] = {
        {"primates_lower_crlf.fa", "FASTA", false},
        {"primates.fasta.gz", "FASTA", true},
        {"primates_strict.phy", "PHYLIP", false},
        {"primates_relaxed.phy", "PHYLIP", false},
        {"primates_interleaved.phy", "PHYLIP", false},
        {"primates_interleaved_noblank.phy", "PHYLIP", false},
        {"primates.nex", "NEXUS", false},
        {"primates_interleaved.nex", "NEXUS", false},
        {"primates_interleaved.nex.gz", "NEXUS", true},
    };
    for (const auto& variant : variants) {
        SCOPED_TRACE(variant.file);
        const Input input = ReadInput(kData + "/" + variant.file);
        EXPECT_STREQ(input.FormatName(), variant.format);
        EXPECT_EQ(input.gzipped, variant.gzipped);
        const auto* alignment = std::get_if<Alignment>(&input.content);
        ASSERT_NE(alignment, nullptr);
        EXPECT_EQ(alignment->names, primates.names);
        EXPECT_EQ(alignment->sequences, primates.sequences);
    }
}

// Gaps, missing data, ambiguity codes, U, lower case, FASTA's '.' gap against
// NEXUS's own symbols, a quoted name, TAXA order and MATCHCHAR in the small
// fixtures; in the texts, layouts they do not show.
TEST(Readers, GiveNamesAndSequences) {
    const std::vector<std::string> small = {"ACGTRYNA-?GT", "ACGAAY-TC?GT", "ACGTACGTACGT"};
    const std::vector<std::string> x12 = {"x1", "x2"}, acgt = {"ACGT", "ACGA"};
    const struct {
        std::string text;
        std::vector<std::string> names, sequences;
    } cases[] = {
        {FileBytes(kData + "/small.fasta"), {"Smith's", "two", "three"}, small},
        {FileBytes(kData + "/small.nex"), {"Smith's", "two", "three"}, small},
        // Strict PHYLIP names with blanks, relaxed ones of any length or alone
        // on their line, a dot for a match and U for T.
        {"2 4\nHomo sapieACGT\nPan       AC GA\n", {"Homo sapie", "Pan"}, acgt},
        {"2 4\nHomo_sapiens ACGT\nPan_troglodytes\tAC GA\n",
         {"Homo_sapiens", "Pan_troglodytes"},
         acgt},
        {"2 4\nx1\nACGT\nx2\nACGA\n", x12, acgt},
        {"2 4\nx1 ACGU\nx2 .c.a\n", x12, acgt},
        // NEXUS INTERLEAVE=NO with a comment inside a sequence; other blocks
        // and commands passed over.
        {"#NEXUS\nbegin data; dimensions ntax=2 nchar=8; format interleave=no;\nmatrix\n"
         "x1 ACGT[four]TTTT\nx2\nACGA\nGGGG\n;\nend;",
         x12,
         {"ACGTTTTT", "ACGAGGGG"}},
        {"#NEXUS\nbegin assumptions; options deftype=unord; end;\nbegin data;\ntitle 'x';\n"
         "dimensions ntax=2 nchar=4; format datatype=rna symbols=\"ACGU\";\n"
         "matrix x1 ACGU x2 ACGA;\nend;",
         x12, acgt},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        const Input input = ParseInput(c.text, "layout");
        const auto* alignment = std::get_if<Alignment>(&input.content);
        ASSERT_NE(alignment, nullptr);
        EXPECT_EQ(alignment->names, c.names);
        EXPECT_EQ(alignment->sequences, c.sequences);
    }
}

TEST(DataFile, SampleReadsAsTheWindowReadsItPlainGzippedOrOnOneLine) {
    const DataFileTable sample = testing::SampleData();
    for (const Input& input : {ReadInput(DYVERN_SAMPLE_DATA), ReadInput(kData + "/sample.dat.gz"),
                               ParseInput("895 262\n1 8 2 1 266 0 29 14 0 82 0 1 23 0 206", "1")}) {
        ASSERT_EQ(input.kind, InputKind::DataFile);
        const auto* table = std::get_if<DataFileTable>(&input.content);
        ASSERT_NE(table, nullptr);
        EXPECT_EQ(table->siteCount, sample.siteCount);
        EXPECT_EQ(table->counts, sample.counts);
    }
}

TEST(Detection, ByFirstCharacterWordOrLine) {
    const struct {
        const char* text;
        InputKind kind;
    } cases[] = {
        {"\n  \t>x", InputKind::Fasta},
        {"\xEF\xBB\xBF>x", InputKind::Fasta},
        {"  #nexus\n", InputKind::Nexus},
        {"#NEXUSX", InputKind::DataFile},
        {"\r\n2\t4\r\nx ACGT", InputKind::Phylip},
        {"5 895 i\nHuman ACGT", InputKind::DataFile},
        {"0 4\nx ACGT", InputKind::DataFile},
        {"2 4\n1 2 3 -4.5e1", InputKind::DataFile},
        {"ACGT\nACGT", InputKind::DataFile},
    };
    for (const auto& c : cases) EXPECT_EQ(DetectInputKind(c.text), c.kind) << c.text;
}

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

// One site under each mode: U and lower case, a code on either side or both,
// two- and three-base codes. A site shared out over no cell is not counted.
TEST(OneSite, SharesOneSiteOverTheCellsItAllows) {
    struct Cell {
        int row, column;
        double value;
    };
    constexpr double kThird = 1.0 / 3.0;
    const struct {
        const char *base1, *base2;
        Ambiguity mode;
        std::vector<Cell> cells;  // every other cell is 0
    } cases[] = {
        {"u", "a", Ambiguity::Skip, {{T, A, 1}}},
        {"R", "A", Ambiguity::Skip, {}},
        {"R", "A", Ambiguity::Average, {{A, A, 0.5}, {G, A, 0.5}}},
        {"Y", "Y", Ambiguity::Average, {{C, C, 0.25}, {C, T, 0.25}, {T, C, 0.25}, {T, T, 0.25}}},
        {"A", "R", Ambiguity::Resolve, {{A, A, 1}}},
        {"R", "C", Ambiguity::Resolve, {{A, C, 0.5}, {G, C, 0.5}}},
        {"R", "Y", Ambiguity::Average, {{A, C, 0.25}, {A, T, 0.25}, {G, C, 0.25}, {G, T, 0.25}}},
        {"R", "R", Ambiguity::Resolve, {{A, A, 0.25}, {A, G, 0.25}, {G, A, 0.25}, {G, G, 0.25}}},
        {"B", "A", Ambiguity::Average, {{C, A, kThird}, {G, A, kThird}, {T, A, kThird}}},
        {"T", "H", Ambiguity::Resolve, {{T, T, 1}}},
        {"A", "B", Ambiguity::Resolve, {{A, C, kThird}, {A, G, kThird}, {A, T, kThird}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.base1) + c.base2);
        const PairTable table = CountPair(c.base1, c.base2, c.mode);
        DivergenceCounts expected{};
        for (const Cell& cell : c.cells) expected[cell.row][cell.column] = cell.value;
        for (int i = 0; i < 4; ++i)
            for (int j = 0; j < 4; ++j) EXPECT_DOUBLE_EQ(table.counts[i][j], expected[i][j]);
        EXPECT_EQ(table.sites, c.cells.empty() ? 0 : 1);
        EXPECT_EQ(table.ambiguous, c.cells.empty() ? 1 : 0);
    }
}

// Every pairing of every code: each counted site adds exactly one to the
// table, and a gap, '?' or N is left out before any ambiguity rule applies.
TEST(Sums, CellsAddUpToTheSitesCounted) {
    const std::string codes = "ACGTRYSWKMBDHVN?-";
    std::string sequence1, sequence2;
    for (const char c1 : codes)
        for (const char c2 : codes) {
            sequence1 += c1;
            sequence2 += c2;
        }
    // Left out: a gap, '?' or N on either side, 17 * 17 - 14 * 14 pairs.
    for (const Ambiguity mode : {Ambiguity::Skip, Ambiguity::Average, Ambiguity::Resolve}) {
        const PairTable table = CountPair(sequence1, sequence2, mode);
        EXPECT_NEAR(testing::CellSum(table.counts), table.sites, 1e-12);
        EXPECT_EQ(table.gapOrMissing, 17 * 17 - 14 * 14);
        EXPECT_EQ(table.sites + table.ambiguous + table.gapOrMissing, 17 * 17);
        EXPECT_EQ(table.sites, mode == Ambiguity::Skip ? 16 : 14 * 14);
    }
}

TEST(BadPair, UnequalLengthsAndForeignCharacters) {
    EXPECT_THROW(CountPair("ACG", "AC"), std::invalid_argument);
    EXPECT_THROW(CountPair("AXG", "ACG"), std::invalid_argument);
    EXPECT_THROW(CountPair("A.G", "ACG"), std::invalid_argument);
}

}  // namespace
}  // namespace dyvern
