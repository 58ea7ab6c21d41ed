// The gauge's fill and the grids' layout as pure functions of the control size.
#include <gtest/gtest.h>

#include <cmath>

#include "controls/count_grid.h"
#include "controls/thermometer.h"

namespace dyvern {
namespace {

TEST(GaugeGeometry, FilledHeightRoundsHalvesUpAndClamps) {
    const struct {
        double v;
        int filled;
    } cases[] = {
        {5.0, 50},   {0.04, 0},   {0.06, 1}, {-3.0, 0},
        {12.0, 100}, {10.0, 100}, {0.0, 0},  {std::nan(""), 0},
    };
    for (const auto& c : cases) EXPECT_EQ(GaugeFilledHeight(100, 0.0, 10.0, c.v), c.filled) << c.v;
}

TEST(GaugeGeometry, EqualEndsGiveAnEmptyOrAFullColumn) {
    EXPECT_EQ(GaugeFilledHeight(100, 2.0, 2.0, 2.0), 0);
    EXPECT_EQ(GaugeFilledHeight(100, 2.0, 2.0, 2.5), 100);
    EXPECT_EQ(GaugeFilledHeight(100, 2.0, 2.0, 1.5), 0);
}

TEST(GaugeGeometry, PictureIsABlueColumnUnderAButtonFaceTop) {
    const Picture picture = GaugePicture(12, 100, 30);
    ASSERT_EQ(picture.size(), 2u);
    EXPECT_EQ(picture[0].rect, (Rect{0, 70, 12, 100}));
    EXPECT_EQ(picture[0].fill, FillColour::Blue);
    EXPECT_EQ(picture[1].rect, (Rect{0, 0, 12, 70}));
    EXPECT_EQ(picture[1].fill, FillColour::ButtonFace);
    EXPECT_EQ(GaugePicture(12, 100, 130)[0].rect.top, 0);
}

TEST(GridGeometry, TheWorkedGridOf146By84) {
    const CountGridLayout layout = LayOutCountGrid({146, 84});
    EXPECT_EQ(layout.colW, 29);
    EXPECT_EQ(layout.rowH, 16);
    EXPECT_EQ(layout.cw, 29);
    EXPECT_EQ(layout.ch, 17);
    EXPECT_EQ(layout.frame, (Rect{22, 12, 146, 84}));
    EXPECT_EQ(layout.ColumnHeader(0), (Rect{29, 0, 58, 12}));
    EXPECT_EQ(layout.ColumnHeader(3), (Rect{116, 0, 145, 12}));
    const int rowHeaderTops[] = {16, 33, 50, 67};
    const int cellTops[] = {16, 32, 48, 64};
    for (int k = 0; k < 4; ++k) {
        EXPECT_EQ(layout.RowHeader(k), (Rect{0, rowHeaderTops[k], 22, rowHeaderTops[k] + 17}));
        EXPECT_EQ(layout.Cell(k, 1), (Rect{58, cellTops[k], 87, cellTops[k] + 17}));
    }
    // Each row of cells overlaps the next by one pixel.
    EXPECT_EQ(layout.Cell(0, 0).bottom - layout.Cell(1, 0).top, 1);
}

TEST(GridGeometry, PictureHoldsFrameLettersAndOneDecimalCells) {
    DivergenceCounts table{};
    table[A][A] = 12;
    table[C][G] = 3.14;
    table[T][T] = 0.05;
    const Picture picture = CountGridPicture({146, 84}, table, false);
    ASSERT_EQ(picture.size(), 1u + 4 + 4 + 16);
    EXPECT_EQ(picture[0].kind, Shape::Kind::Frame);
    EXPECT_EQ(picture[1].text, "A");
    EXPECT_EQ(picture[8].text, "T");
    EXPECT_EQ(picture[9].text, "12.0");
    EXPECT_EQ(picture[9 + 4 * C + G].text, "3.1");
    EXPECT_EQ(picture[9 + 4 * T + T].text, "0.1");
    for (std::size_t k = 1; k < picture.size(); ++k) EXPECT_EQ(picture[k].font, FontRole::Small);
    const Picture marked = CountGridPicture({146, 84}, table, true);
    EXPECT_EQ(marked[9].text, "***");
    EXPECT_EQ(marked[1].text, "A");
}

}  // namespace
}  // namespace dyvern
