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

}  // namespace
}  // namespace dyvern
