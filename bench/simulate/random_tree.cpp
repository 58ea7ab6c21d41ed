#include "random_tree.h"

#include <utility>

namespace dyvern {
namespace {

// A coalescent's last joins come very close to the tips, which would leave
// many pairs of nearly identical sequences; a stem of this share of the depth
// under every tip keeps any two tips at least depth / 4 apart.
constexpr double kStemShare = 0.125;

}  // namespace

Tree RandomJoiningTree(int tipCount, double depth, RandomSource& random) {
    Tree tree;
    tree.tipCount = tipCount;
    tree.nodes.resize(static_cast<size_t>(2 * tipCount - 1));
    std::vector<double> height(tree.nodes.size(), 0.0);
    std::vector<int> lineages(static_cast<size_t>(tipCount));
    for (int tip = 0; tip < tipCount; ++tip) lineages[static_cast<size_t>(tip)] = tip;

    double now = 0.0;
    for (int joined = tipCount; lineages.size() > 1; ++joined) {
        const auto k = static_cast<std::uint64_t>(lineages.size());
        now += random.Exponential() / (0.5 * static_cast<double>(k * (k - 1)));
        const auto first = random.Below(k);
        auto second = random.Below(k - 1);
        if (second >= first) ++second;
        for (const auto pick : {first, second}) {
            TreeNode& child = tree.nodes[static_cast<size_t>(lineages[pick])];
            child.parent = joined;
            child.branch = now - height[static_cast<size_t>(lineages[pick])];
        }
        height[static_cast<size_t>(joined)] = now;
        // The joined pair leaves; the new lineage takes the first one's place.
        lineages[first] = joined;
        std::swap(lineages[second], lineages.back());
        lineages.pop_back();
    }
    const double stem = depth * kStemShare;
    for (auto& node : tree.nodes) node.branch *= (depth - stem) / now;
    for (int tip = 0; tip < tipCount; ++tip) tree.nodes[static_cast<size_t>(tip)].branch += stem;
    return tree;
}

double TipHeight(const Tree& tree, int tip) {
    double height = 0.0;
    for (int node = tip; tree.nodes[static_cast<size_t>(node)].parent >= 0;
         node = tree.nodes[static_cast<size_t>(node)].parent)
        height += tree.nodes[static_cast<size_t>(node)].branch;
    return height;
}

}  // namespace dyvern
