// A rooted binary tree for simulation, and random joining to make one.
#pragma once

#include <cstdint>
#include <vector>

#include "random_source.h"

namespace dyvern {

struct TreeNode {
    int parent = -1;      // -1 at the root
    double branch = 0.0;  // expected substitutions per site on the branch to the parent
};

// Tips are nodes 0 .. tipCount-1; every internal node comes after both of its
// children, so the root is the last node and walking the nodes backwards
// visits each parent before its children.
struct Tree {
    int tipCount = 0;
    std::vector<TreeNode> nodes;
    int Root() const { return static_cast<int>(nodes.size()) - 1; }
};

// Joins two lineages chosen at random until one is left, waiting between
// joins as a coalescent does (exponential, rate k(k-1)/2 with k lineages),
// then scales the tree so that every tip lies `depth` substitutions per site
// below the root, the last eighth of it on the tip's own branch. Two tips end
// up between depth / 4 and 2 x depth apart. tipCount >= 2.
Tree RandomJoiningTree(int tipCount, double depth, RandomSource& random);

// Substitutions per site from a tip up to the root.
double TipHeight(const Tree& tree, int tip);

}  // namespace dyvern
