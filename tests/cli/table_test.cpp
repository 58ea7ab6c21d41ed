// The table written is a data file the window reads, with its shared-out
// cells exactly as counted, each in the fewest digits that read back.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <sstream>

#include "cli_runner.h"
#include "model/divergence.h"

namespace dyvern::testing {
namespace {

// x against y: patterns of sites, each repeated, giving whole counts of 10
// and more and codes shared out in halves, thirds and quarters.
struct Sites {
    char x, y;
    int times;
};
constexpr Sites kSites[] = {{'A', 'A', 20}, {'C', 'C', 40}, {'G', 'T', 10}, {'T', 'T', 100},
                            {'R', 'A', 1},  {'B', 'A', 1},  {'Y', 'C', 2},  {'K', 'K', 1}};

std::string SitesFasta() {
    std::string x, y;
    for (const Sites& sites : kSites) {
        x.append(sites.times, sites.x);
        y.append(sites.times, sites.y);
    }
    return ">x\n" + x + "\n>y\n" + y + "\n";
}

// A cell worked by hand from kSites: row x's base, column y's, as a fraction.
struct Cell {
    int row, column;
    long numerator, denominator;
};

// The written cell is the plain decimal with the fewest digits after the
// point that reads back as the cell's value.
void ExpectShortestPlain(const std::string& text, double value) {
    EXPECT_EQ(text.find_first_not_of("0123456789."), std::string::npos) << text;
    char* end = nullptr;
    EXPECT_EQ(std::strtod(text.c_str(), &end), value) << text;
    EXPECT_EQ(end, text.c_str() + text.size()) << text;
    const std::size_t point = text.find('.');
    if (point == std::string::npos) return;
    // The nearest number with a decimal fewer; if it does not read back, none does.
    const int decimals = static_cast<int>(text.size() - point - 1);
    char shorter[64];
    std::snprintf(shorter, sizeof shorter, "%.*f", decimals - 1, value);
    EXPECT_NE(std::strtod(shorter, nullptr), value) << text << " could be " << shorter;
}

TEST(Table, EveryCellIsTheShortestPlainDecimalOfItsValue) {
    const ScratchFile fasta("sites.fasta", SitesFasta());
    const struct {
        const char* ambiguity;
        int sites;
        std::vector<Cell> cells;  // the rest are 0
    } modes[] = {
        {"skip", 170, {{A, A, 20, 1}, {C, C, 40, 1}, {G, T, 10, 1}, {T, T, 100, 1}}},
        // R-A: halves to A-A and G-A; B-A: thirds to C-A, G-A, T-A; Y-C twice:
        // one to C-C and one to T-C; K-K: quarters to G-G, G-T, T-G, T-T.
        {"average",
         175,
         {{A, A, 41, 2},
          {C, A, 1, 3},
          {G, A, 5, 6},
          {T, A, 1, 3},
          {C, C, 41, 1},
          {T, C, 1, 1},
          {G, G, 1, 4},
          {G, T, 41, 4},
          {T, G, 1, 4},
          {T, T, 401, 4}}},
        // R-A and Y-C resolve to A-A and C-C; B-A and K-K are shared out.
        {"resolve",
         175,
         {{A, A, 21, 1},
          {C, A, 1, 3},
          {G, A, 1, 3},
          {T, A, 1, 3},
          {C, C, 42, 1},
          {G, G, 1, 4},
          {G, T, 41, 4},
          {T, G, 1, 4},
          {T, T, 401, 4}}},
    };
    for (const auto& mode : modes) {
        SCOPED_TRACE(mode.ambiguity);
        const CliResult result =
            RunCli({"table", fasta.Path(), "x", "y", "--ambiguity", mode.ambiguity});
        ASSERT_EQ(result.status, 0) << result.err;
        double expected[4][4] = {};
        for (const Cell& cell : mode.cells)
            expected[cell.row][cell.column] =
                static_cast<double>(cell.numerator) / static_cast<double>(cell.denominator);
        std::istringstream written(result.out);
        std::string siteCount;
        written >> siteCount;
        EXPECT_EQ(siteCount, std::to_string(mode.sites));
        for (int i = 0; i < 4; ++i) {
            for (int j = 0; j < 4; ++j) {
                std::string text;
                written >> text;
                SCOPED_TRACE("cell " + std::to_string(i) + std::to_string(j));
                ExpectShortestPlain(text, expected[i][j]);
            }
        }
        std::string comment;
        written >> comment;
        EXPECT_EQ(comment, "#");
    }
}

}  // namespace
}  // namespace dyvern::testing
