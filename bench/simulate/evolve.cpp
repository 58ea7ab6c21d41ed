#include "evolve.h"

#include <cstdint>

namespace dyvern {
namespace {

using States = std::vector<std::uint8_t>;

States DrawRoot(const SubstitutionParameters& parameters, int sites, RandomSource& random) {
    const auto cumulative = CumulativeFrequencies(parameters);
    States states(static_cast<size_t>(sites));
    for (auto& state : states) state = static_cast<std::uint8_t>(random.Pick(cumulative));
    return states;
}

States DrawChild(const States& parent, const CumulativeRows& rows, RandomSource& random) {
    States states(parent.size());
    for (size_t site = 0; site < parent.size(); ++site)
        states[site] = static_cast<std::uint8_t>(random.Pick(rows[parent[site]]));
    return states;
}

std::string Letters(const States& states) {
    std::string letters(states.size(), ' ');
    for (size_t site = 0; site < states.size(); ++site) letters[site] = "ACGT"[states[site]];
    return letters;
}

}  // namespace

std::vector<std::string> EvolveSequences(const Tree& tree, const SubstitutionParameters& parameters,
                                         int sites, RandomSource& random) {
    std::vector<States> states(tree.nodes.size());
    // Children still to draw from each node: an internal node's bases are
    // dropped once both children have them, which keeps memory near the tips'.
    std::vector<int> pending(tree.nodes.size(), 0);
    for (const auto& node : tree.nodes)
        if (node.parent >= 0) ++pending[static_cast<size_t>(node.parent)];

    states[static_cast<size_t>(tree.Root())] = DrawRoot(parameters, sites, random);
    for (int index = tree.Root() - 1; index >= 0; --index) {
        const TreeNode& node = tree.nodes[static_cast<size_t>(index)];
        const auto parent = static_cast<size_t>(node.parent);
        states[static_cast<size_t>(index)] =
            DrawChild(states[parent], BranchTransition(parameters, node.branch), random);
        if (--pending[parent] == 0) States().swap(states[parent]);
    }
    std::vector<std::string> tips;
    tips.reserve(static_cast<size_t>(tree.tipCount));
    for (int tip = 0; tip < tree.tipCount; ++tip)
        tips.push_back(Letters(states[static_cast<size_t>(tip)]));
    return tips;
}

}  // namespace dyvern
