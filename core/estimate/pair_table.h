// Checks on a pair table before it is fitted, and its base composition.
#pragma once

#include <array>

#include "model/divergence.h"

namespace dyvern {

// Why the table cannot be fitted (no sites, a negative or non-finite count,
// no counts at all), or nullptr when it can.
const char* TableProblem(const DivergenceCounts& counts, int siteCount);

// Each base's share of both sequences as the window's Empirical sets it: row
// plus column sums over 2n for A, C and G, and piT the rest. False when a
// share falls outside [0, 1] (cells adding up to more than n).
bool EmpiricalComposition(const DivergenceCounts& counts, int siteCount, std::array<double, 4>& pi);

}  // namespace dyvern
