// The pairs of an alignment file as the formula tests see them: each pair's
// table (pairwise deletion, ambiguity codes left out, as ape counts), the
// whole alignment's composition, and each sequence's own.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "formula/formula_distance.h"
#include "model/divergence.h"

namespace dyvern::testing {

struct AlignmentPairs {
    std::vector<std::string> names;
    std::vector<std::string> sequences;
    std::array<double, 4> composition{};  // of the whole alignment
};

AlignmentPairs ReadPairs(const std::string& path);

DivergenceCounts PairCounts(const AlignmentPairs& pairs, int i, int j);

// The settings that take the frequencies from outside, as ape does: the
// alignment's composition, and for paralinear each sequence's own.
FormulaSettings OutsideFrequencies(const AlignmentPairs& pairs, int i, int j);

// The files of tests/formula/data, and the project's sample data.
std::string FormulaDataPath(const std::string& name);
std::string PrimatesPath();

}  // namespace dyvern::testing
