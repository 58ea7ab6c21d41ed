// Closed-form distances of pairs of a packed alignment: counted from the bit
// planes by class of difference rather than cell by cell where no
// ambiguity code has to be shared out, d alone where no standard error is
// read, and counts stopped once d must exceed the list's bound.
#pragma once

#include <cstdint>

#include "distance/distance_options.h"
#include "distance/formula_bound.h"
#include "distance/packed_alignment.h"
#include "distance/pair_distance.h"

namespace dyvern {

// FitPair's d, seD and status by the model's closed form (the model must
// have one) on the table of sequences first < second. Without
// options.standardErrors, or for a pair above options.maxD, seD is NaN. A
// class form's pair found above maxD before its count ends (p over every
// site still to come is above it) has status above-max-d, d NaN and `sites`
// those counted so far, at least the least overlap.
class FormulaPairs {
public:
    FormulaPairs(const PackedAlignment& packed, const DistanceOptions& options);
    PairDistance Between(int first, int second) const;

private:
    FormulaPlan PlanFor(int first, int second) const;
    std::int64_t MostDifferences(std::int64_t sites) const;
    bool FoundAbove(int first, int second, bool plain, int& sites) const;
    // The pair counted in full.
    __attribute__((noinline)) PairDistance Counted(int first, int second, bool plain) const;
    PairDistance OfCounts(const FormulaPlan& plan, int first, int second) const;

    const PackedAlignment& packed_;
    DistanceOptions options_;
    FormulaPlan plan_;  // every pair's, unless each sequence has its own composition
    bool bounded_ = false;
    double above_ = 0.0;  // the bound, clear of rounding
};

}  // namespace dyvern
