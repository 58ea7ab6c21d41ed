// The pair table on hand-worked sites: pairwise deletion and the three ways
// of counting an ambiguity code.
#include "align/pair_table.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

namespace dyvern {
namespace {

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
        double sum = 0;
        for (const auto& row : table.counts)
            for (const double cell : row) sum += cell;
        EXPECT_NEAR(sum, table.sites, 1e-12);
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
