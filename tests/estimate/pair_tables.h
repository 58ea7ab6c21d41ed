// Tables made from totals of identical pairs, transitions and transversions.
#pragma once

#include <functional>

#include "model/divergence.h"

namespace dyvern::testing {

// The totals spread unevenly over the cells of each kind, so that the base
// composition is not equal and nothing rests on symmetry.
DivergenceCounts Spread(double identical, double transitions, double transversions);

// Where a unimodal f is largest in [lo, hi], by golden section.
double ArgMax(const std::function<double(double)>& f, double lo, double hi);

}  // namespace dyvern::testing
