// Closed-form distances of pairs of a packed alignment: counted from the bit
// planes by class of difference rather than cell by cell where no
// ambiguity code has to be shared out, d alone where no standard error is
// read, and counts stopped once d must exceed the list's bound.
#pragma once

#include "distance/distance_options.h"
#include "distance/packed_alignment.h"
#include "distance/pair_distance.h"

namespace dyvern {

// FitPair's d, seD and status by the model's closed form (the model must
// have one) on the table of sequences first < second. Without
// options.standardErrors, or for a pair above options.maxD, seD is NaN; a
// pair found above maxD before its count ends has d a lower bound of its
// own, itself above maxD, `sites` those counted so far and status ok (such
// a pair cannot end saturated).
PairDistance FormulaDistanceBetween(const PackedAlignment& packed, const DistanceOptions& options,
                                    int first, int second);

}  // namespace dyvern
