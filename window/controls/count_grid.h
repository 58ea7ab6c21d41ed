// The observed and expected tables drawn as labelled 4 x 4 grids.
#pragma once

#include "state/analysis_state.h"
#include "system/window_system.h"

namespace dyvern {

// Geometry of a grid in a W x H control; every division cuts toward zero.
struct CountGridLayout {
    int colW;    // width of the row-header column
    int rowH;    // height of the column-header row
    int cw;      // cell width
    int ch;      // cell height
    Rect frame;  // the cell area moved out by a quarter of a header

    Rect ColumnHeader(int j) const;
    Rect RowHeader(int i) const;
    // Rows advance by rowH, not by ch, so neighbouring rows may overlap.
    Rect Cell(int i, int j) const;
};

CountGridLayout LayOutCountGrid(Size size);

// "%.1f" of a cell, or "***" when `invalid`.
Picture CountGridPicture(Size size, const DivergenceCounts& table, bool invalid);

// Draws the observed table into control 102, the expected table into any other.
void DrawCountGrid(WindowSystem& window, const AnalysisState& state, int controlId, bool erase);

}  // namespace dyvern
