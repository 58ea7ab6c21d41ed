// What a pair table must be before a model can be fitted to it, and its base
// composition.
#pragma once

#include <array>

#include "model/divergence.h"

namespace dyvern {

// Why the table cannot be fitted (no sites, a negative or non-finite count,
// no counts at all), or nullptr when it can.
const char* TableProblem(const DivergenceCounts& counts, int siteCount);

// Each base's row plus column sum over 2n: its share of both sequences
// together, as the window's Empirical sets the four fields.
std::array<double, 4> BaseShares(const DivergenceCounts& counts, int siteCount);

// The composition a model's frequencies are held at: BaseShares for A, C and
// G, and piT the rest. False when a share falls outside [0, 1] (cells adding
// up to more than n).
bool EmpiricalComposition(const DivergenceCounts& counts, int siteCount, std::array<double, 4>& pi);

}  // namespace dyvern
