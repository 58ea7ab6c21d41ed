// A formula's distance (formula/formula_distance.h) as a pair fit: the same
// columns as a likelihood fit's, with what a closed form gives (d, its
// variance's square root, its own parameters, the frequencies it used) and
// the rest not applicable.
#pragma once

#include "estimate/fit_options.h"
#include "estimate/pair_fit.h"
#include "formula/formula_distance.h"

namespace dyvern {

// What the closed form is told under the fit's options: the gamma shape,
// and the frequencies given, if any (each sequence's own for paralinear).
FormulaSettings FormulaSettingsOf(ModelKind model, const FitOptions& options);

PairFit FormulaFit(const DivergenceCounts& counts, ModelKind model, const FitOptions& options);

}  // namespace dyvern
