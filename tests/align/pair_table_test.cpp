// The pair table on hand-worked sites: pairwise deletion and the three ways
// of counting an ambiguity code.
#include "align/pair_table.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

namespace dyvern {
namespace {

struct Cell {
    int row;
    int column;
    double value;
};

struct Site {
    const char* base1;
    const char* base2;
    Ambiguity mode;
    std::vector<Cell> cells;  // every other cell is 0
};

constexpr double kThird = 1.0 / 3.0;

const Site kSites[] = {
    {"A", "G", Ambiguity::Skip, {{A, G, 1}}},
    {"u", "a", Ambiguity::Skip, {{T, A, 1}}},
    {"R", "A", Ambiguity::Average, {{A, A, 0.5}, {G, A, 0.5}}},
    {"R", "A", Ambiguity::Resolve, {{A, A, 1}}},
    {"A", "R", Ambiguity::Resolve, {{A, A, 1}}},
    {"R", "C", Ambiguity::Resolve, {{A, C, 0.5}, {G, C, 0.5}}},
    {"R", "Y", Ambiguity::Average, {{A, C, 0.25}, {A, T, 0.25}, {G, C, 0.25}, {G, T, 0.25}}},
    {"R", "R", Ambiguity::Resolve, {{A, A, 0.25}, {A, G, 0.25}, {G, A, 0.25}, {G, G, 0.25}}},
    {"B", "A", Ambiguity::Average, {{C, A, kThird}, {G, A, kThird}, {T, A, kThird}}},
    {"T", "H", Ambiguity::Resolve, {{T, T, 1}}},
    {"A", "B", Ambiguity::Resolve, {{A, C, kThird}, {A, G, kThird}, {A, T, kThird}}},
};

void PrintTo(const Site& c, std::ostream* out) { *out << c.base1 << " " << c.base2; }

class OneSite : public testing::TestWithParam<Site> {};

TEST_P(OneSite, SharesOneSiteOverTheCellsItAllows) {
    const Site& site = GetParam();
    const PairTable table = CountPair(site.base1, site.base2, site.mode);
    DivergenceCounts expected{};
    for (const Cell& cell : site.cells) expected[cell.row][cell.column] = cell.value;
    for (int i = 0; i < 4; ++i)
        for (int j = 0; j < 4; ++j) EXPECT_DOUBLE_EQ(table.counts[i][j], expected[i][j]) << i << j;
    EXPECT_EQ(table.sites, 1);
}

INSTANTIATE_TEST_SUITE_P(Table, OneSite, testing::ValuesIn(kSites));

TEST(LeftOut, GapsAndMissingDataBeforeAmbiguity) {
    struct Case {
        const char* base1;
        const char* base2;
        Ambiguity mode;
        int gapOrMissing;
        int ambiguous;
    };
    const Case cases[] = {
        {"-", "A", Ambiguity::Average, 1, 0}, {"A", "?", Ambiguity::Resolve, 1, 0},
        {"?", "R", Ambiguity::Skip, 1, 0},    {"N", "A", Ambiguity::Average, 1, 0},
        {"A", "n", Ambiguity::Resolve, 1, 0}, {"N", "N", Ambiguity::Skip, 1, 0},
        {"R", "A", Ambiguity::Skip, 0, 1},    {"A", "V", Ambiguity::Skip, 0, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.base1) + c.base2);
        const PairTable table = CountPair(c.base1, c.base2, c.mode);
        EXPECT_EQ(table.sites, 0);
        EXPECT_EQ(table.gapOrMissing, c.gapOrMissing);
        EXPECT_EQ(table.ambiguous, c.ambiguous);
        EXPECT_EQ(table.counts, DivergenceCounts{});
    }
}

// Every pairing of every code: each counted site adds exactly one to the table.
TEST(Sums, CellsAddUpToTheSitesCounted) {
    const std::string codes = "ACGTRYSWKMBDHVN?-";
    std::string sequence1, sequence2;
    for (const char c1 : codes)
        for (const char c2 : codes) {
            sequence1 += c1;
            sequence2 += c2;
        }
    // Left out: a gap, '?' or N on either side, 17 * 17 - 14 * 14 pairs.
    const int missing = 17 * 17 - 14 * 14;
    for (const Ambiguity mode : {Ambiguity::Skip, Ambiguity::Average, Ambiguity::Resolve}) {
        const PairTable table = CountPair(sequence1, sequence2, mode);
        double sum = 0;
        for (const auto& row : table.counts)
            for (const double cell : row) sum += cell;
        EXPECT_NEAR(sum, table.sites, 1e-12);
        EXPECT_EQ(table.gapOrMissing, missing);
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
