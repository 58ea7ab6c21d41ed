// The best fit of one model and criterion to a pair table: Newton's method in
// the fit coordinates from each of some starts, and the best of the saturated limits,
// where d is infinite: every change saturated (v = s = inf: the two sequences
// independent draws from the frequencies) and, when kappa is free, the
// transitions alone saturated (s = inf, v searched).
#pragma once

#include <vector>

#include "model/criteria.h"

namespace dyvern {

struct SearchResult {
    Rates<double> rates;
    double value = 0.0;  // the criterion at the rates: -lnL or SS
    bool converged = false;
};

struct PairOptimum {
    SearchResult finite;  // the best from the starts, d finite
    SearchResult limit;   // the best with d infinite
    // No finite d does better than its limit: the data are saturated for
    // the model and the estimate of d is infinite.
    // A finite optimum must beat the limit by more than rounding: on the
    // edge itself (JC69 with p = 3/4) the two agree to the last bits.
    bool saturated() const;
    const SearchResult& best() const { return saturated() ? limit : finite; }
};

// Needs at least one start.
PairOptimum FindOptimum(const PairData& data, ModelKind model, Criterion criterion,
                        const std::vector<Rates<double>>& starts);

}  // namespace dyvern
