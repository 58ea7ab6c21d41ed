// One alignment written in every format, plain and gzipped, reads the same.
#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "align/input.h"
#include "align/pair_table.h"

namespace dyvern {
namespace {

const std::string kData = DYVERN_ALIGN_DATA;

Alignment ReadAlignmentFile(const std::string& path) {
    return std::get<Alignment>(ReadInput(path).content);
}

const Alignment& Primates() {
    static const Alignment primates = ReadAlignmentFile(DYVERN_PRIMATES_FASTA);
    return primates;
}

TEST(Primates, HumanAgainstChimpanzeeIsTheSampleTable) {
    std::ifstream in(DYVERN_SHARED_SAMPLE);
    const DataFileTable sample = ReadDataFile(in, 0);
    const Alignment& primates = Primates();
    const std::vector<std::string> names = {"Human", "Chimpanzee", "Gorilla", "Orangutan",
                                            "Gibbon"};
    EXPECT_EQ(primates.names, names);
    const PairTable table = CountPair(primates.sequences[0], primates.sequences[1]);
    EXPECT_EQ(table.sites, sample.siteCount);
    EXPECT_EQ(table.counts, sample.counts);
    EXPECT_EQ(table.gapOrMissing + table.ambiguous, 0);
}

TEST(Primates, EveryFormatReadsAsPrimatesFasta) {
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
        EXPECT_EQ(alignment->names, Primates().names);
        EXPECT_EQ(alignment->sequences, Primates().sequences);
    }
}

// Gaps, missing data, ambiguity codes, U, lower case, FASTA's '.' gap against
// NEXUS's own symbols, a quoted name, TAXA order and the matching character.
TEST(SmallAlignment, FastaAndNexusAgree) {
    const std::vector<std::string> names = {"Smith's", "two", "three"};
    const std::vector<std::string> sequences = {"ACGTRYNA-?GT", "ACGAAY-TC?GT", "ACGTACGTACGT"};
    for (const char* file : {"small.fasta", "small.nex"}) {
        SCOPED_TRACE(file);
        const Alignment alignment = ReadAlignmentFile(kData + "/" + file);
        EXPECT_EQ(alignment.names, names);
        EXPECT_EQ(alignment.sequences, sequences);
    }
}

// Smith's against two, site by site: A-A C-C G-G T-A R-A Y-Y N-gap A-T gap-C
// ?-? G-G T-T.
TEST(SmallAlignment, PairTableUnderEachMode) {
    const Alignment alignment = ReadAlignmentFile(kData + "/small.nex");
    struct Case {
        Ambiguity mode;
        DivergenceCounts counts;
        int sites;
        int ambiguous;
    };
    const Case cases[] = {
        {Ambiguity::Skip, {{{1, 0, 0, 1}, {0, 1, 0, 0}, {0, 0, 2, 0}, {1, 0, 0, 1}}}, 7, 2},
        {Ambiguity::Average,
         {{{1.5, 0, 0, 1}, {0, 1.25, 0, 0.25}, {0.5, 0, 2, 0}, {1, 0.25, 0, 1.25}}},
         9,
         0},
        {Ambiguity::Resolve,
         {{{2, 0, 0, 1}, {0, 1.25, 0, 0.25}, {0, 0, 2, 0}, {1, 0.25, 0, 1.25}}},
         9,
         0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.mode));
        const PairTable table = CountPair(alignment.sequences[0], alignment.sequences[1], c.mode);
        EXPECT_EQ(table.counts, c.counts);
        EXPECT_EQ(table.sites, c.sites);
        EXPECT_EQ(table.gapOrMissing, 3);
        EXPECT_EQ(table.ambiguous, c.ambiguous);
    }
}

}  // namespace
}  // namespace dyvern
