// LogDet and paralinear on a table: the forms of determinant_forms.h on
// Dual numbers over the 16 cell shares, and the delta method over the cells.
#pragma once

#include "formula/formula_distance.h"

namespace dyvern {

// For a table whose counts are valid and add up to n > 0, with settings
// already checked.
FormulaDistance DeterminantDistance(ModelKind model, const DivergenceCounts& counts, double n,
                                    const FormulaSettings& settings);

}  // namespace dyvern
