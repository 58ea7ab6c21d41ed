// A class model's closed form as a pair is to be computed by it, and what
// lets a list that keeps the pairs with d <= maxD stop counting the others
// early: every class form's d is at least p, the share of sites that differ.
#pragma once

#include <cstdint>

#include "distance/plane_counts.h"
#include "formula/formula_distance.h"

namespace dyvern {

// A class model's closed form, as a pair is to be computed by it.
struct FormulaPlan {
    ModelKind model = ModelKind::JC69;
    FormulaSettings settings;
    // The form reads the pair's own composition (counts.bases), not given
    // frequencies.
    bool pairFrequencies = false;
};

// Whether the plan's form is bounded so: every class form, with settings it
// takes (the determinant forms are not class forms).
bool BoundedForm(const FormulaPlan& plan);

// The least d that is above maxD beyond rounding; NaN, above nothing, for a
// maxD that is not finite.
double ClearlyAbove(double maxD);

// The shares the plan's form sees in class counts over n sites: raw, JC69
// and K80 as the fits' fast path makes them (transitions and transversions
// pooled first), the others class by class as a table's shares are made.
DifferenceShares FormulaShares(ModelKind model, const std::array<std::int64_t, 4>& classes,
                               double n);

// The frequencies the plan's form reads, the pair's from counts.bases over
// n sites as a table's composition is made.
std::array<double, 4> FormulaFrequencies(const FormulaPlan& plan, const ClassCounts& counts,
                                         double n);

}  // namespace dyvern
