// The base compositions the formulas take their frequencies from.
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "model/divergence.h"

namespace dyvern {

// The pair's own: each base's row plus column sum over 2n, n the cell sum.
std::array<double, 4> PairComposition(const DivergenceCounts& counts, double n);

// Of sequences as the readers store them (upper case, U read as T): each
// base's share of the A, C, G and T they hold, gaps, missing data and
// ambiguity codes not counted. Over a whole alignment this is ape's
// base.freq; over one sequence, its composition over its own known sites.
// All 0 when they hold no base.
std::array<double, 4> SequenceComposition(std::string_view sequence);
std::array<double, 4> SequenceComposition(const std::vector<std::string>& sequences);

}  // namespace dyvern
