// How low a closed form's d can end, from part of a pair's count: what lets
// a list that keeps the pairs with d <= maxD stop counting the others early.
// The words left may hold up to `left` more sites with a base on both sides,
// each identical or a difference of any class.
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

// Whether the plan's form is bounded so: raw, JC69, K80 and K81, the forms
// that read no frequencies.
bool BoundedForm(const FormulaPlan& plan);

// The least d the pair can end with: p, the share of sites that differ,
// over every site that may still come (all of them identical), which every
// class form is at least; NaN without sites.
double LeastDistance(const ClassCounts& counts, std::int64_t left);

// The least d that is above maxD beyond rounding; NaN, above nothing, for a
// maxD that is not finite.
double ClearlyAbove(double maxD);

// Whether no sites left can make the plan's form (a bounded one) saturate,
// so that a pair above maxD can be left out before its count ends with
// nothing it would show missed.
bool NeverSaturates(const FormulaPlan& plan, const ClassCounts& counts, std::int64_t left);

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
