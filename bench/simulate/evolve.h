// Sequences evolved down a tree.
#pragma once

#include <string>
#include <vector>

#include "branch_transition.h"
#include "random_source.h"
#include "random_tree.h"

namespace dyvern {

// Draws the root's `sites` bases from the frequencies, then each node's from
// its parent's through the branch's transition probabilities. Returns the
// tips' sequences, tip 0 first, as the letters A, C, G, T.
std::vector<std::string> EvolveSequences(const Tree& tree, const SubstitutionParameters& parameters,
                                         int sites, RandomSource& random);

}  // namespace dyvern
