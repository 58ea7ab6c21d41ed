// The gauge and the count grids as rectangles, worked by hand from their
// contracts: half a pixel of fill rounds up, every division of the grid cuts
// toward zero, and the grid's cell rows advance by the header row's height.
#include <gtest/gtest.h>

#include <limits>
#include <ostream>

#include "controls/count_grid.h"
#include "controls/thermometer.h"

namespace dyvern {

void PrintTo(const Rect& r, std::ostream* out) {
    *out << "{" << r.left << ", " << r.top << ", " << r.right << ", " << r.bottom << "}";
}

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

TEST(GaugeGeometry, FillFromTheScaleAndTheColumnFromTheFill) {
    const struct {
        int height;
        double low, high, v;
        int filled;
    } cases[] = {
        {8, 0, 1, 0.5, 4},
        {8, 0, 1, 0.0625, 1},                 // half a pixel
        {8, 0, 1, 0.06, 0},                   // 0.48 of a pixel
        {8, 0, 1, 0.9375, 8},                 // 7.5 pixels
        {7, 0, 1, 0.5, 4},                    // 3.5 pixels
        {150, -1600, -1458.5, -1529.25, 75},  // halfway up a likelihood scale
        {100, 0, 1, 0, 0},
        {100, 0, 1, 1, 100},
        {100, 0, 1, -0.2, 0},  // below the scale
        {100, 0, 1, 3, 100},   // above it
        {100, 0, 1, kNaN, 0},
        {100, 0, 1, -kInf, 0},
        {100, 0, 1, kInf, 100},
        {0, 0, 1, 0.5, 0},  // no room
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message() << "height " << c.height << " v " << c.v);
        const int filled = GaugeFilledHeight(c.height, c.low, c.high, c.v);
        EXPECT_EQ(filled, c.filled);
        const Picture picture = GaugePicture(12, c.height, filled);
        ASSERT_EQ(picture.size(), 2u);
        EXPECT_EQ(picture[0].kind, Shape::Kind::FilledBox);
        EXPECT_EQ(picture[0].fill, FillColour::Blue);
        EXPECT_EQ(picture[0].rect, (Rect{0, c.height - c.filled, 12, c.height}));
        EXPECT_EQ(picture[1].kind, Shape::Kind::FilledBox);
        EXPECT_EQ(picture[1].fill, FillColour::ButtonFace);
        EXPECT_EQ(picture[1].rect, (Rect{0, 0, 12, c.height - c.filled}));
    }
    // A fill taller than the column fills it, no higher.
    const Picture over = GaugePicture(12, 100, 130);
    EXPECT_EQ(over[0].rect, (Rect{0, 0, 12, 100}));
    EXPECT_EQ(over[1].rect, (Rect{0, 0, 12, 0}));
}

TEST(CountGridGeometry, HeadersAndCellsFromTheControlSize) {
    const struct {
        Size size;
        int colW, rowH, cw, ch;
        Rect frame, columnHeader3, rowHeader3, cell12, cell33;
    } cases[] = {
        // A case reads best as its size, its divisions and frame, then its rectangles.
        // clang-format off
        {{200, 100}, 40, 20, 40, 20, {30, 15, 200, 100},
         {160, 0, 200, 15}, {0, 80, 30, 100}, {120, 40, 160, 60}, {160, 80, 200, 100}},
        // 40.6, 19.4, 40.75 and 19.5 cut to 40, 19, 40 and 19; a quarter of 19 to 4.
        {{203, 97}, 40, 19, 40, 19, {30, 15, 203, 97},
         {160, 0, 200, 15}, {0, 76, 30, 95}, {120, 38, 160, 57}, {160, 76, 200, 95}},
        // Cells 20 high on rows 19 apart, each overlapping the next; the row
        // headers stand 20 apart.
        {{99, 99}, 19, 19, 20, 20, {15, 15, 99, 99},
         {79, 0, 99, 15}, {0, 79, 15, 99}, {59, 38, 79, 58}, {79, 76, 99, 96}},
        // No room for headers: cells a pixel square, every row at the top.
        {{4, 4}, 0, 0, 1, 1, {0, 0, 4, 4},
         {3, 0, 4, 0}, {0, 3, 0, 4}, {2, 0, 3, 1}, {3, 0, 4, 1}},
        // clang-format on
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.size.width << " x " << c.size.height);
        const CountGridLayout layout = LayOutCountGrid(c.size);
        EXPECT_EQ(layout.colW, c.colW);
        EXPECT_EQ(layout.rowH, c.rowH);
        EXPECT_EQ(layout.cw, c.cw);
        EXPECT_EQ(layout.ch, c.ch);
        EXPECT_EQ(layout.frame, c.frame);
        EXPECT_EQ(layout.ColumnHeader(3), c.columnHeader3);
        EXPECT_EQ(layout.RowHeader(3), c.rowHeader3);
        EXPECT_EQ(layout.Cell(1, 2), c.cell12);
        EXPECT_EQ(layout.Cell(3, 3), c.cell33);
    }
}

// The frame, the column letters, the row letters, then the cells row by row
// with one decimal; a value that is not a finite number, and every cell of an
// invalid grid, as the mark.
TEST(CountGridGeometry, PictureHoldsTheFrameLettersAndCellsInOrder) {
    DivergenceCounts table{};
    table[0][0] = 262;
    table[1][2] = 6.583343;
    table[2][1] = kNaN;
    table[3][3] = kInf;
    const struct {
        int shape;
        Rect rect;
        const char *text, *invalidText;
    } cases[] = {
        {4, {160, 0, 200, 15}, "T", "T"},         // the last column's letter
        {8, {0, 80, 30, 100}, "T", "T"},          // the last row's
        {9, {40, 20, 80, 40}, "262.0", "***"},    // A with A
        {15, {120, 40, 160, 60}, "6.6", "***"},   // C with G
        {18, {80, 60, 120, 80}, "***", "***"},    // G with C, not a number
        {24, {160, 80, 200, 100}, "***", "***"},  // T with T, infinite
    };
    for (const bool invalid : {false, true}) {
        const Picture picture = CountGridPicture({200, 100}, table, invalid);
        ASSERT_EQ(picture.size(), 25u);
        EXPECT_EQ(picture[0].kind, Shape::Kind::Frame);
        EXPECT_EQ(picture[0].rect, (Rect{30, 15, 200, 100}));
        for (const auto& c : cases) {
            SCOPED_TRACE(::testing::Message() << "shape " << c.shape << " invalid " << invalid);
            EXPECT_EQ(picture[c.shape].rect, c.rect);
            EXPECT_EQ(picture[c.shape].text, invalid ? c.invalidText : c.text);
        }
    }
}

}  // namespace
}  // namespace dyvern
