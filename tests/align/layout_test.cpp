// Layouts and namings the readers accept that the fixtures do not show.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "align/input.h"

namespace dyvern {
namespace {

TEST(ReaderLayout, GivesNamesAndSequences) {
    const struct {
        const char* what;
        const char* text;
        std::vector<std::string> names, sequences;
    } cases[] = {
        {"strict names with blanks",
         "2 4\nHomo sapieACGT\nPan       AC GA\n",
         {"Homo sapie", "Pan"},
         {"ACGT", "ACGA"}},
        {"relaxed names of any length",
         "2 4\nHomo_sapiens ACGT\nPan_troglodytes\tAC GA\n",
         {"Homo_sapiens", "Pan_troglodytes"},
         {"ACGT", "ACGA"}},
        {"relaxed name alone on its line",
         "2 4\nx1\nACGT\nx2\nACGA\n",
         {"x1", "x2"},
         {"ACGT", "ACGA"}},
        {"dot for a match, U for T", "2 4\nx1 ACGU\nx2 .c.a\n", {"x1", "x2"}, {"ACGT", "ACGA"}},
        {"NEXUS INTERLEAVE=NO, comment inside a sequence",
         "#NEXUS\nbegin data; dimensions ntax=2 nchar=8; format interleave=no;\nmatrix\n"
         "x1 ACGT[four]TTTT\nx2\nACGA\nGGGG\n;\nend;",
         {"x1", "x2"},
         {"ACGTTTTT", "ACGAGGGG"}},
        {"NEXUS other blocks and commands passed over",
         "#NEXUS\nbegin assumptions; options deftype=unord; end;\nbegin data;\ntitle 'x';\n"
         "dimensions ntax=2 nchar=2; format datatype=rna symbols=\"ACGU\";\nmatrix x1 AU x2 GU;\n"
         "end;",
         {"x1", "x2"},
         {"AT", "GT"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const Input input = ParseInput(c.text, "layout");
        const auto* alignment = std::get_if<Alignment>(&input.content);
        ASSERT_NE(alignment, nullptr);
        EXPECT_EQ(alignment->names, c.names);
        EXPECT_EQ(alignment->sequences, c.sequences);
    }
}

}  // namespace
}  // namespace dyvern
