#include "controls/count_grid.h"

#include <cmath>
#include <string>

#include "base/format.h"
#include "system/control_ids.h"

namespace dyvern {
namespace {

constexpr const char* kBaseLetters[] = {"A", "C", "G", "T"};
constexpr int kCellDecimals = 1;

// A value that is not a finite number (read from a file as 1e999, say) shows
// as the invalid mark rather than as "inf" or "nan".
std::string FormatCell(double value) {
    return std::isfinite(value) ? FormatFixed(value, kCellDecimals) : "***";
}

Shape Text(const Rect& rect, std::string text) {
    Shape shape;
    shape.kind = Shape::Kind::Text;
    shape.rect = rect;
    shape.text = std::move(text);
    shape.font = FontRole::Small;
    return shape;
}

}  // namespace

CountGridLayout LayOutCountGrid(Size size) {
    CountGridLayout layout{};
    layout.colW = size.width / 5;
    layout.rowH = size.height / 5;
    layout.cw = (size.width - layout.colW) / 4;
    layout.ch = (size.height - layout.rowH) / 4;
    layout.frame = {layout.colW - layout.colW / 4, layout.rowH - layout.rowH / 4, size.width,
                    size.height};
    return layout;
}

Rect CountGridLayout::ColumnHeader(int j) const {
    const int left = colW + j * cw;
    return {left, 0, left + cw, frame.top};
}

Rect CountGridLayout::RowHeader(int i) const {
    const int top = rowH + i * ch;
    return {0, top, frame.left, top + ch};
}

Rect CountGridLayout::Cell(int i, int j) const {
    const int left = colW + j * cw;
    const int top = rowH + i * rowH;
    return {left, top, left + cw, top + ch};
}

Picture CountGridPicture(Size size, const DivergenceCounts& table, bool invalid) {
    const CountGridLayout layout = LayOutCountGrid(size);
    Picture picture;
    Shape frame;
    frame.kind = Shape::Kind::Frame;
    frame.rect = layout.frame;
    picture.push_back(frame);
    for (int k = 0; k < 4; ++k) picture.push_back(Text(layout.ColumnHeader(k), kBaseLetters[k]));
    for (int k = 0; k < 4; ++k) picture.push_back(Text(layout.RowHeader(k), kBaseLetters[k]));
    for (int i = 0; i < 4; ++i) {
        for (int j = 0; j < 4; ++j)
            picture.push_back(Text(layout.Cell(i, j), invalid ? "***" : FormatCell(table[i][j])));
    }
    return picture;
}

void DrawCountGrid(WindowSystem& window, const AnalysisState& state, int controlId, bool erase) {
    const bool observed = controlId == IDC_OBSERVED_GRID;
    const DivergenceCounts& table = observed ? state.observed : state.expected;
    const bool invalid = state.invalid && controlId == IDC_EXPECTED_GRID;
    window.Paint(controlId, CountGridPicture(window.ClientSize(controlId), table, invalid), erase);
}

}  // namespace dyvern
