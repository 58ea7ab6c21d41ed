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
    const Alignment primates = std::get<Alignment>(ReadInput(kData + "/primates.fasta.gz").content);
    const std::vector<std::string> names = {"Human", "Chimpanzee", "Gorilla", "Orangutan",
                                            "Gibbon"};
    EXPECT_EQ(primates.names, names);
    const PairTable table = CountPair(primates.sequences[0], primates.sequences[1]);
    const DataFileTable sample = testing::SampleData();
    EXPECT_EQ(table.sites, sample.siteCount);
    EXPECT_EQ(table.counts, sample.counts);
    EXPECT_EQ(table.gapOrMissing + table.ambiguous, 0);
    for (const std::string file :
         {"primates_lower_crlf.fa", "primates_strict.phy", "primates_relaxed.phy",
          "primates_interleaved.phy", "primates_interleaved_noblank.phy", "primates.nex",
          "primates_interleaved.nex", "primates_interleaved.nex.gz"}) {
        SCOPED_TRACE(file);
        const Input input = ReadInput(kData + "/" + file);
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
        // on their line.
        {"2 4\nHomo sapieACGT\nPan       AC GA\n", {"Homo sapie", "Pan"}, acgt},
        {"2 4\nHomo_sapiens ACGT\nPan_paniscus\tAC GA\n", {"Homo_sapiens", "Pan_paniscus"}, acgt},
        {"2 4\nx1\nACGT\nx2\nACGA\n", x12, acgt},
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

// The file named before the first ':' of each message.
TEST(BadInput, MessageNamesFileAndLine) {
    const std::string gz = FileBytes(kData + "/primates.fasta.gz");
    const struct {
        std::string text, message;
    } cases[] = {
        // Any kind.
        {"", "empty.fa:1: the file is empty"},
        // FASTA.
        {">x\nACGT\n>y\nACG\n", "a.fa:3: sequence 'y' has 3 sites but 'x' has 4"},
        {">x\nACGT\n>y\nACXT\n",
         "a.fa:4: 'X' at column 3 of sequence 'y' is not a nucleotide code"},
        {">x\nAC\x01T\n>y\nACGT\n",
         "a.fa:2: '\\x01' at column 3 of sequence 'x' is not a nucleotide code"},
        {">x\nACGT\n\n>x\nACGT\n", "a.fa:4: duplicate sequence name 'x' (first on line 1)"},
        {">x\r\nACGT\r\n", "a.fa:1: only one sequence ('x'); an alignment needs at least two"},
        // PHYLIP.
        {"3 4\nx1 ACGT\nx2 ACGT\n",
         "a.phy:3: the header declares 3 sequences but the file holds 2"},
        {"2 5\nx1 ACGT\nx2 ACGTA\n", "a.phy:2: sequence 'x1' has 4 sites, not the 5 declared"},
        {"2 4\nx1 AC.T\nx2 ACGT\n",
         "a.phy:2: matching character '.' at column 6 is in the first sequence 'x1', which has "
         "nothing to match"},
        {"2 4\nx1 ACGT\nx2 ACGT\nx3 ACGT\n",
         "a.phy:4: data after the 2 sequences the header declares"},
        // NEXUS.
        {"#NEXUS\nbegin data;\ndimensions ntax=3 nchar=4;\nmatrix\nx1 ACGT\nx2 ACGT\n;\nend;",
         "a.nex:7: NTAX=3 but the matrix holds 2 sequences"},
        {"#NEXUS\nbegin data;\ndimensions ntax=2 nchar=4;\nmatrix\nx1 ACGT\nx1 ACGT\n;",
         "a.nex:6: sequence 'x1' appears twice in the matrix"},
        {"#NEXUS\nbegin data;\ndimensions ntax=2 nchar=4;\nmatrix\nx1 ACGT\nx2 ACGT\n",
         "a.nex:6: the file ends inside MATRIX, before its ';'"},
        {"#NEXUS\n[ open\nbegin data;\n", "a.nex:2: comment '[' is never closed"},
        {"#NEXUS\nbegin data;\nformat datatype=protein;\n", "a.nex:3: DATATYPE=PROTEIN is not DNA"},
        {"#NEXUS\nbegin data;\ndimensions ntax=two;\n",
         "a.nex:3: NTAX= takes a positive whole number, not 'two'"},
        {"#NEXUS\nbegin trees;\nend;\n", "a.nex:3: no DATA or CHARACTERS block"},
        {"#NEXUS\nbegin taxa;\ntaxlabels x1 x2;\nend;\nbegin data;\ndimensions nchar=4;\nmatrix\n"
         "x1 ACGT\n'x 2' ACGT\n;",
         "a.nex:9: 'x 2' is not among the TAXLABELS"},
        {"#NEXUS\nbegin data;\ndimensions ntax=2 nchar=4;\nmatrix\n'x1 ACGT\n",
         "a.nex:5: quote ''' is never closed"},
        // A name or value holding a line break or another control character
        // is shown escaped, so that the message stays one line; bytes of
        // UTF-8 are shown as they are.
        {">Zo\xC3\xAB\nACGT\n>Zo\xC3\xAB\nACGT\n",
         "a.fa:3: duplicate sequence name 'Zo\xC3\xAB' (first on line 1)"},
        {"#NEXUS\nbegin taxa;\ntaxlabels x1 x2;\nend;\nbegin data;\ndimensions nchar=4;\nmatrix\n"
         "x1 ACGT\n'x\n2' ACGT\n;",
         "a.nex:9: 'x\\x0A2' is not among the TAXLABELS"},
        {"#NEXUS\nbegin data;\ndimensions ntax=3 nchar=4;\nmatrix\n'a\r\nb' ACGT\nx2 ACGT\n"
         "'a\r\nb' ACGT\n;",
         "a.nex:8: sequence 'a\\x0D\\x0Ab' appears twice in the matrix"},
        {"#NEXUS\nbegin data;\ndimensions ntax=1 nchar=4;\nmatrix\nx1 ACGT\n'x\t2\n' ACGT\n;",
         "a.nex:6: 'x\\x092\\x0A' is one sequence more than NTAX=1"},
        {"#NEXUS\nbegin data;\ndimensions ntax=2 nchar=4;\nmatrix\n'one\ntwo' ACGTA\n;",
         "a.nex:6: sequence 'one\\x0Atwo' runs past NCHAR=4"},
        {"#NEXUS\nbegin data;\ndimensions ntax=2 nchar=4;\nmatrix\n'a\nb' ACXT\nx2 ACGT\n;",
         "a.nex:6: 'X' at column 6 of sequence 'a\\x0Ab' is not a nucleotide code"},
        {"#NEXUS\nbegin taxa;\ntaxlabels 'x\n1' 'x\n1';\nend;\nbegin data;\ndimensions nchar=4;\n"
         "matrix\n;",
         "a.nex:4: duplicate sequence name 'x\\x0A1' (first on line 3)"},
        {"#NEXUS\nbegin data;\ndimensions ntax='2\n';\n",
         "a.nex:3: NTAX= takes a positive whole number, not '2\\x0A'"},
        {"#NEXUS\nbegin data;\nformat datatype='DN\x7f\nA';\n",
         "a.nex:3: DATATYPE=DN\\x7F\\x0AA is not DNA"},
        // gzip: cut, or the 4-byte length at its end no longer matching, or
        // trailing bytes; concatenated members are one text.
        {gz.substr(0, gz.size() / 2), "cut.gz: truncated gzip stream"},
        {gz.substr(0, gz.size() - 1), "short.gz: truncated gzip stream"},
        {gz + "junk", "tail.gz: data after the end of the gzip stream"},
        {gz + gz, "twice.gz:81: duplicate sequence name 'Human' (first on line 1)"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(MessageOf(c.text, c.message.substr(0, c.message.find(':'))), c.message);
    std::string damaged = gz;
    damaged[gz.size() / 2] = static_cast<char>(~damaged[gz.size() / 2]);
    EXPECT_EQ(MessageOf(damaged, "bad.gz").rfind("bad.gz: damaged gzip stream (", 0), 0u);
    const std::string path = kData + "/no-such-file.fasta";
    EXPECT_EQ(ErrorOf([&] { ReadInput(path); }),
              path + ": cannot read (No such file or directory)");
}

int IndexOf(char base) { return static_cast<int>(std::string("ACGT").find(base)); }

// One site under each mode: U and lower case, a code on either side or both,
// two- and three-base codes.
TEST(OneSite, SharesOneSiteEquallyOverTheCellsItAllows) {
    const struct {
        const char *base1, *base2;
        Ambiguity mode;
        std::string cells;  // row and column bases of each cell with a share
    } cases[] = {
        {"u", "a", Ambiguity::Skip, "TA"},
        {"R", "A", Ambiguity::Resolve, "AA"},
        {"Y", "Y", Ambiguity::Average, "CC CT TC TT"},
        {"A", "R", Ambiguity::Resolve, "AA"},
        {"R", "C", Ambiguity::Resolve, "AC GC"},
        {"R", "Y", Ambiguity::Average, "AC AT GC GT"},
        {"R", "R", Ambiguity::Resolve, "AA AG GA GG"},
        {"B", "A", Ambiguity::Average, "CA GA TA"},
        {"T", "H", Ambiguity::Resolve, "TT"},
        {"A", "B", Ambiguity::Resolve, "AC AG AT"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.base1) + c.base2);
        const PairTable table = CountPair(c.base1, c.base2, c.mode);
        const int shared = static_cast<int>(c.cells.size() + 1) / 3;
        DivergenceCounts expected{};
        for (int k = 0; k < shared; ++k)
            expected[IndexOf(c.cells[3 * k])][IndexOf(c.cells[3 * k + 1])] = 1.0 / shared;
        for (int i = 0; i < 4; ++i)
            for (int j = 0; j < 4; ++j) EXPECT_DOUBLE_EQ(table.counts[i][j], expected[i][j]);
        EXPECT_EQ(table.sites, 1);
    }
}

// Every pairing of every code: each counted site adds exactly one to the
// table, and a gap, '?' or N is left out before any ambiguity rule applies.
TEST(Sums, CellsAddUpToTheSitesCounted) {
    const std::string codes = "ACGTRYSWKMBDHVN?-";
    std::string sequence1, sequence2;
    for (const char c : codes) {
        sequence1 += std::string(codes.size(), c);
        sequence2 += codes;
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
