#include "cluster/components.h"

#include <algorithm>
#include <limits>

#include "cluster/disjoint_sets.h"

namespace dyvern {
namespace {

constexpr std::uint32_t kNone = std::numeric_limits<std::uint32_t>::max();

struct Component {
    std::uint32_t root;
    std::uint32_t size;
};

// The components in the order of their first member.
std::vector<Component> ComponentsInOrder(DisjointSets& sets, std::size_t nodes) {
    std::vector<Component> components;
    std::vector<std::uint32_t> seen(nodes, kNone);
    for (std::uint32_t node = 0; node < nodes; ++node) {
        const std::uint32_t root = sets.Find(node);
        if (seen[root] != kNone) continue;
        seen[root] = static_cast<std::uint32_t>(components.size());
        components.push_back({root, sets.SizeOf(root)});
    }
    return components;
}

Clustering Numbered(DisjointSets& sets, std::size_t nodes, bool singletons) {
    std::vector<Component> components = ComponentsInOrder(sets, nodes);
    if (!singletons)
        components.erase(std::remove_if(components.begin(), components.end(),
                                        [](const Component& c) { return c.size < 2; }),
                         components.end());
    // Stable: clusters of one size stay in the order of their first member.
    std::stable_sort(components.begin(), components.end(),
                     [](const Component& x, const Component& y) { return x.size > y.size; });
    std::vector<std::uint32_t> idOfRoot(nodes, 0);
    Clustering clustering;
    for (const Component& c : components) {
        clustering.sizes.push_back(c.size);
        idOfRoot[c.root] = static_cast<std::uint32_t>(clustering.sizes.size());
    }
    clustering.clusterOf.resize(nodes);
    for (std::uint32_t node = 0; node < nodes; ++node)
        clustering.clusterOf[node] = idOfRoot[sets.Find(node)];
    return clustering;
}

ThresholdRow RowOf(DisjointSets& sets, std::size_t nodes, double threshold, std::size_t edges) {
    ThresholdRow row;
    row.threshold = threshold;
    row.edges = edges;
    for (std::uint32_t node = 0; node < nodes; ++node) {
        if (sets.Find(node) != node || sets.SizeOf(node) < 2) continue;
        ++row.clusters;
        row.clustered += sets.SizeOf(node);
        row.largest = std::max<std::size_t>(row.largest, sets.SizeOf(node));
    }
    return row;
}

}  // namespace

Clustering ClustersAt(const EdgeGraph& graph, double threshold, bool singletons) {
    DisjointSets sets(graph.names.size());
    std::size_t edges = 0;
    graph.edges.ForEach([&](const Edge& e) {
        if (!(e.d <= threshold)) return;
        ++edges;
        sets.Unite(e.a, e.b);
    });
    Clustering clustering = Numbered(sets, graph.names.size(), singletons);
    clustering.edges = edges;
    return clustering;
}

std::vector<ThresholdRow> ThresholdTable(const EdgeGraph& graph, std::vector<double> thresholds) {
    std::sort(thresholds.begin(), thresholds.end());
    thresholds.erase(std::unique(thresholds.begin(), thresholds.end()), thresholds.end());
    const std::size_t nodes = graph.names.size();
    DisjointSets sets(nodes);
    std::vector<ThresholdRow> rows;
    double below = -std::numeric_limits<double>::infinity();
    std::size_t edges = 0;
    for (const double threshold : thresholds) {
        // The edges this threshold adds to the last one's.
        graph.edges.ForEach([&](const Edge& e) {
            if (!(e.d > below && e.d <= threshold)) return;
            ++edges;
            sets.Unite(e.a, e.b);
        });
        rows.push_back(RowOf(sets, nodes, threshold, edges));
        below = threshold;
    }
    return rows;
}

}  // namespace dyvern
