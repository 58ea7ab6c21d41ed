// The layouts and namings each reader accepts, on small hand-written inputs.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "align/input.h"

namespace dyvern {
namespace {

struct Layout {
    const char* what;
    const char* text;
    std::vector<std::string> names;
    std::vector<std::string> sequences;
};

const Layout kLayouts[] = {
    {"strict names with blanks",
     "2 4\nHomo sapieACGT\nPan       AC GA\n",
     {"Homo sapie", "Pan"},
     {"ACGT", "ACGA"}},
    {"strict names longer than a word",
     "2 4\nHomo_sapieACGT\nPan_paniscACGA\n",
     {"Homo_sapie", "Pan_panisc"},
     {"ACGT", "ACGA"}},
    {"relaxed names of any length",
     "2 4\nHomo_sapiens ACGT\nPan_troglodytes\tAC GA\n",
     {"Homo_sapiens", "Pan_troglodytes"},
     {"ACGT", "ACGA"}},
    {"sequential over lines",
     "2 8\nx1 ACGT\nTTTT\nx2 ACGA\nGG GG\n",
     {"x1", "x2"},
     {"ACGTTTTT", "ACGAGGGG"}},
    {"relaxed name alone on its line", "2 4\nx1\nACGT\nx2\nACGA\n", {"x1", "x2"}, {"ACGT", "ACGA"}},
    {"interleaved without blank lines",
     "2 8\nx1 ACGT\nx2 ACGA\nTTTT\nGGGG\n",
     {"x1", "x2"},
     {"ACGTTTTT", "ACGAGGGG"}},
    {"interleaved in blocks",
     "2 8\n\nx1 ACGT\nx2 ACGA\n\n  TTTT\n  GGGG\n",
     {"x1", "x2"},
     {"ACGTTTTT", "ACGAGGGG"}},
    {"dot for a match, U for T", "2 4\nx1 ACGU\nx2 .c.a\n", {"x1", "x2"}, {"ACGT", "ACGA"}},
    {"NEXUS interleaved",
     "#NEXUS\nBEGIN DATA; DIMENSIONS NTAX=2 NCHAR=8;\n"
     "FORMAT INTERLEAVE=YES;\nMATRIX\nx1 AC GT\nx2 ACGA\n\nx1 TTTT\nx2 GGGG;\nEND;",
     {"x1", "x2"},
     {"ACGTTTTT", "ACGAGGGG"}},
    {"NEXUS INTERLEAVE=NO, comment inside a sequence",
     "#NEXUS\nbegin data; dimensions ntax=2 nchar=8; format interleave=no;\nmatrix\n"
     "x1 ACGT[four]TTTT\nx2\nACGA\nGGGG\n;\nend;",
     {"x1", "x2"},
     {"ACGTTTTT", "ACGAGGGG"}},
    {"NEXUS quoted names, TAXA order, own symbols",
     "#NEXUS\nbegin taxa; taxlabels 'it''s' 'two words'; end;\nbegin characters;\n"
     "dimensions nchar=4; format missing=0 gap=~ matchchar=:;\nmatrix\n"
     "'two words' :0~A\n'it''s' ACGT\n;\nend;",
     {"it's", "two words"},
     {"ACGT", "A?-A"}},
    {"NEXUS other blocks and commands passed over",
     "#NEXUS\nbegin assumptions; options deftype=unord; end;\nbegin data;\ntitle 'x';\n"
     "dimensions ntax=2 nchar=2; format datatype=rna symbols=\"ACGU\";\nmatrix x1 AU x2 GU;\n"
     "end;",
     {"x1", "x2"},
     {"AT", "GT"}},
};

void PrintTo(const Layout& c, std::ostream* out) { *out << c.what; }

class ReaderLayout : public testing::TestWithParam<Layout> {};

TEST_P(ReaderLayout, GivesNamesAndSequences) {
    const Input input = ParseInput(GetParam().text, "layout");
    const auto* alignment = std::get_if<Alignment>(&input.content);
    ASSERT_NE(alignment, nullptr) << GetParam().what;
    EXPECT_EQ(alignment->names, GetParam().names) << GetParam().what;
    EXPECT_EQ(alignment->sequences, GetParam().sequences) << GetParam().what;
}

INSTANTIATE_TEST_SUITE_P(Table, ReaderLayout, testing::ValuesIn(kLayouts));

}  // namespace
}  // namespace dyvern
