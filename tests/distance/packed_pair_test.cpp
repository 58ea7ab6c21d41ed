// Packed pair tables equal CountPair's on the text, field by field and to the
// last bit, over random alignments and every ambiguity mode.
#include "distance/packed_pair.h"

#include <gtest/gtest.h>

#include <stdexcept>

#include "align/pair_table.h"
#include "random_alignment.h"

namespace dyvern {
namespace {

using testing::AlignmentShape;
using testing::RandomAlignment;

void ExpectSameTable(const PairTable& packed, const PairTable& text) {
    EXPECT_EQ(packed.sites, text.sites);
    EXPECT_EQ(packed.gapOrMissing, text.gapOrMissing);
    EXPECT_EQ(packed.ambiguous, text.ambiguous);
    EXPECT_EQ(packed.counts, text.counts);
}

PairTable Pooled(PairTable table) {
    DivergenceCounts pooled{};
    for (int i = 0; i < 4; ++i)
        for (int j = 0; j < 4; ++j) {
            const PairKind kind = KindOfPair(i, j);
            const int cell = kind == PairKind::Identical ? A : kind == PairKind::Transition ? G : C;
            pooled[A][cell] += table.counts[i][j];
        }
    table.counts = pooled;
    return table;
}

TEST(PackedPair, EqualsCountPairOnRandomAlignments) {
    const AlignmentShape shapes[] = {
        {3, 1, 0.0, 0.0, 0.0},   {4, 63, 0.1, 0.1, 0.1},     {4, 64, 0.0, 0.0, 0.3},
        {4, 65, 0.3, 0.0, 0.0},  {5, 200, 0.05, 0.05, 0.05}, {3, 1000, 0.02, 0.02, 0.5},
        {6, 129, 0.0, 0.0, 0.0}, {3, 300, 0.4, 0.4, 0.2},    {2, 0, 0.0, 0.0, 0.0},
    };
    for (const AlignmentShape& shape : shapes) {
        for (std::uint32_t seed = 1; seed <= 4; ++seed) {
            const Alignment alignment = RandomAlignment(shape, seed);
            const PackedAlignment packed(alignment);
            for (const Ambiguity mode : {Ambiguity::Skip, Ambiguity::Average, Ambiguity::Resolve}) {
                for (int i = 0; i < shape.sequences; ++i) {
                    for (int j = 0; j < shape.sequences; ++j) {
                        SCOPED_TRACE(::testing::Message()
                                     << shape.sites << " sites, seed " << seed << ", mode "
                                     << static_cast<int>(mode) << ", pair " << i << "," << j);
                        const PairTable text =
                            CountPair(alignment.sequences[i], alignment.sequences[j], mode);
                        ExpectSameTable(CountPackedPair(packed, i, j, mode), text);
                        if (KindsSuffice(packed, i, j, mode))
                            ExpectSameTable(CountPackedKinds(packed, i, j, mode), Pooled(text));
                    }
                }
            }
        }
    }
}

TEST(PackedPair, BadSequencesAreRefusedByName) {
    const struct {
        std::vector<std::string> sequences;
        const char* message;
    } cases[] = {
        {{"ACGT", "ACG"}, "sequence 'two' has 3 sites where the first has 4"},
        {{"ACGT", "AC*T"}, "sequence 'two' holds '*' at site 3, which is not a nucleotide code"},
    };
    for (const auto& c : cases) {
        Alignment alignment;
        alignment.names = {"one", "two"};
        alignment.sequences = c.sequences;
        try {
            const PackedAlignment packed(alignment);
            ADD_FAILURE() << "accepted " << c.message;
        } catch (const std::invalid_argument& error) {
            EXPECT_STREQ(error.what(), c.message);
        }
    }
}

}  // namespace
}  // namespace dyvern
