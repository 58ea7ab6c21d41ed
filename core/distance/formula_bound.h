// How low a closed form's d can end, from part of a pair's count: what lets
// a list that keeps the pairs with d <= maxD stop counting the others early.
// The words left may hold up to `left` more sites with a base on both sides,
// each identical or a difference of any class.
#pragma once

#include <cstdint>
#include <optional>

#include "distance/pair_distance.h"
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

// Whether FormulaAbove can ever decide for the plan: the forms that read no
// frequencies or given ones, and TN93 with the pair's own and no gamma.
bool BoundedForm(const FormulaPlan& plan);

// The pair's result when d must exceed maxD (finite) whatever the sites left
// hold: saturated where it must be, else d a lower bound of the final d, ok,
// with the sites counted so far. Nothing when that is not certain.
std::optional<PairDistance> FormulaAbove(const FormulaPlan& plan, const ClassCounts& counts,
                                         std::int64_t left, double maxD);

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
