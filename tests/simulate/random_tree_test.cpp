#include "random_tree.h"

#include <gtest/gtest.h>

namespace dyvern {
namespace {

TEST(RandomTreeTest, BinaryUltrametricAndParentsAfterChildren) {
    const struct {
        int tips;
        double depth;
    } cases[] = {{2, 0.1}, {3, 0.2}, {50, 0.3}, {1000, 0.05}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.tips);
        RandomSource random(c.tips);
        const Tree tree = RandomJoiningTree(c.tips, c.depth, random);
        ASSERT_EQ(tree.nodes.size(), size_t(2 * c.tips - 1));
        std::vector<int> children(tree.nodes.size(), 0);
        for (int node = 0; node < tree.Root(); ++node) {
            const int parent = tree.nodes[node].parent;
            ASSERT_GT(parent, node);
            ASSERT_GE(parent, c.tips);
            ++children[parent];
            EXPECT_GE(tree.nodes[node].branch, 0.0);
        }
        EXPECT_EQ(tree.nodes[tree.Root()].parent, -1);
        for (int node = c.tips; node <= tree.Root(); ++node) EXPECT_EQ(children[node], 2);
        for (int tip = 0; tip < c.tips; ++tip) {
            EXPECT_NEAR(TipHeight(tree, tip), c.depth, 1e-12 * c.depth);
            // No two tips closer than a quarter of the depth.
            EXPECT_GE(tree.nodes[tip].branch, c.depth / 8 * (1 - 1e-12));
        }
    }
}

TEST(RandomTreeTest, SeedFixesTheTree) {
    RandomSource first(5), again(5), other(6);
    const Tree a = RandomJoiningTree(20, 0.2, first);
    const Tree b = RandomJoiningTree(20, 0.2, again);
    const Tree c = RandomJoiningTree(20, 0.2, other);
    bool sameAsOther = true;
    for (size_t k = 0; k < a.nodes.size(); ++k) {
        EXPECT_EQ(a.nodes[k].parent, b.nodes[k].parent);
        EXPECT_EQ(a.nodes[k].branch, b.nodes[k].branch);
        sameAsOther = sameAsOther && a.nodes[k].parent == c.nodes[k].parent &&
                      a.nodes[k].branch == c.nodes[k].branch;
    }
    EXPECT_FALSE(sameAsOther);
}

}  // namespace
}  // namespace dyvern
