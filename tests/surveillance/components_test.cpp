// Clusters: hand-worked graphs for the threshold, the numbering and the
// singletons; random graphs against components found by a breadth-first
// search; the threshold table against clusters found afresh at each one.
#include "cluster/components.h"

#include <gtest/gtest.h>

#include <queue>
#include <random>
#include <tuple>

namespace dyvern {
namespace {

struct Link {
    std::uint32_t a, b;
    double d;
};

EdgeGraph Graph(const std::vector<std::string>& names, const std::vector<Link>& links) {
    EdgeGraph graph;
    for (const std::string& name : names) graph.names.Intern(name);
    for (const Link& l : links) graph.edges.Add({l.a, l.b, l.d});
    return graph;
}

TEST(Clusters, HandWorkedGraphs) {
    const std::vector<std::string> five = {"a", "b", "c", "d", "e"};
    const struct {
        const char* what;
        std::vector<std::string> names;
        std::vector<Link> links;
        double threshold;
        bool singletons;
        std::vector<std::uint32_t> clusterOf, sizes;
    } cases[] = {
        {"a chain", five, {{0, 1, 0.01}, {1, 2, 0.01}, {2, 3, 0.01}}, 0.015, false,
         {1, 1, 1, 1, 0}, {4}},
        {"a chain, singletons after", five, {{0, 1, 0.01}, {1, 2, 0.01}, {2, 3, 0.01}}, 0.015,
         true, {1, 1, 1, 1, 2}, {4, 1}},
        {"an edge at the threshold", five, {{0, 1, 0.015}}, 0.015, false, {1, 1, 0, 0, 0}, {2}},
        {"just above it", five, {{0, 1, 0.015}}, 0.0149999, false, {0, 0, 0, 0, 0}, {}},
        {"equal sizes by first appearance", five, {{2, 3, 0.01}, {0, 1, 0.01}}, 0.015, false,
         {1, 1, 2, 2, 0}, {2, 2}},
        {"the larger first", five, {{0, 1, 0.01}, {2, 3, 0.01}, {3, 4, 0.01}}, 0.015, false,
         {2, 2, 1, 1, 1}, {3, 2}},
        {"loops and repeated edges", {"a", "b", "c"}, {{0, 0, 0.0}, {0, 1, 0.01}, {1, 0, 0.01}},
         0.015, true, {1, 1, 2}, {2, 1}},
        {"singletons in order", {"x", "y", "z", "w"}, {{1, 3, 0.001}}, 0.015, true, {2, 1, 3, 1},
         {2, 1, 1}},
        {"no nodes", {}, {}, 0.015, true, {}, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const Clustering clustering =
            ClustersAt(Graph(c.names, c.links), c.threshold, c.singletons);
        EXPECT_EQ(clustering.clusterOf, c.clusterOf);
        EXPECT_EQ(clustering.sizes, c.sizes);
    }
}

// Components by a breadth-first search over lists of neighbours: each node's
// component number, numbered in the order of their first node.
std::vector<int> SearchedComponents(std::size_t nodes, const std::vector<Link>& links,
                                    double threshold) {
    std::vector<std::vector<std::uint32_t>> next(nodes);
    for (const Link& l : links)
        if (l.d <= threshold) {
            next[l.a].push_back(l.b);
            next[l.b].push_back(l.a);
        }
    std::vector<int> component(nodes, -1);
    int count = 0;
    for (std::uint32_t start = 0; start < nodes; ++start) {
        if (component[start] >= 0) continue;
        std::queue<std::uint32_t> queue;
        queue.push(start);
        component[start] = count;
        for (; !queue.empty(); queue.pop())
            for (const std::uint32_t n : next[queue.front()])
                if (component[n] < 0) {
                    component[n] = count;
                    queue.push(n);
                }
        ++count;
    }
    return component;
}

std::vector<Link> RandomLinks(std::mt19937& random, std::size_t nodes, std::size_t count) {
    std::uniform_int_distribution<std::uint32_t> node(0, static_cast<std::uint32_t>(nodes - 1));
    std::uniform_real_distribution<double> distance(0.0, 0.03);
    std::vector<Link> links;
    for (std::size_t k = 0; k < count; ++k)
        links.push_back({node(random), node(random), distance(random)});
    return links;
}

TEST(Clusters, RandomGraphsAsABreadthFirstSearchFindsThem) {
    std::mt19937 random(2024);
    std::vector<std::string> names;
    for (int k = 0; k < 400; ++k) names.push_back("n" + std::to_string(k));
    for (const std::size_t count : {50u, 200u, 400u, 1200u}) {
        const std::vector<Link> links = RandomLinks(random, names.size(), count);
        const EdgeGraph graph = Graph(names, links);
        for (const double threshold : {0.0, 0.005, 0.015, 0.03}) {
            SCOPED_TRACE(std::to_string(count) + " edges at " + std::to_string(threshold));
            const std::vector<int> component = SearchedComponents(names.size(), links, threshold);
            std::vector<std::uint32_t> sizeOf(names.size(), 0);
            for (const int c : component) ++sizeOf[static_cast<std::size_t>(c)];
            const Clustering clustering = ClustersAt(graph, threshold, false);
            // The same partition: one cluster number for each component of two or more.
            std::vector<std::uint32_t> idOf(names.size(), 0);
            for (std::size_t node = 0; node < names.size(); ++node) {
                const auto c = static_cast<std::size_t>(component[node]);
                const std::uint32_t id = clustering.clusterOf[node];
                EXPECT_EQ(id == 0, sizeOf[c] < 2) << node;
                if (id == 0) continue;
                if (idOf[c] == 0) idOf[c] = id;
                EXPECT_EQ(id, idOf[c]) << node;
                EXPECT_EQ(clustering.sizes[id - 1], sizeOf[c]);
            }
            // Numbered by size, then by first member: ids first seen in increasing
            // order among clusters of one size.
            std::vector<std::uint32_t> lastIdOfSize(names.size() + 1, 0);
            std::vector<bool> seen(clustering.sizes.size() + 1, false);
            for (std::size_t node = 0; node < names.size(); ++node) {
                const std::uint32_t id = clustering.clusterOf[node];
                if (id == 0 || seen[id]) continue;
                seen[id] = true;
                std::uint32_t& last = lastIdOfSize[clustering.sizes[id - 1]];
                EXPECT_GT(id, last);
                last = id;
            }
            for (std::size_t k = 1; k < clustering.sizes.size(); ++k)
                EXPECT_GE(clustering.sizes[k - 1], clustering.sizes[k]);
        }
    }
}

TEST(ThresholdTable, HandWorkedRows) {
    // a-b 0.001, b-c 0.004, d-e 0.004, c-d 0.009, f-g 0.02
    const EdgeGraph graph =
        Graph({"a", "b", "c", "d", "e", "f", "g"},
              {{0, 1, 0.001}, {1, 2, 0.004}, {3, 4, 0.004}, {2, 3, 0.009}, {5, 6, 0.02}});
    const std::vector<ThresholdRow> rows =
        ThresholdTable(graph, {0.01, 0.001, 0.005, 0.05, 0.005, 0.0});
    const struct {
        double threshold;
        std::size_t edges, clusters, largest, clustered;
    } expected[] = {
        {0.0, 0, 0, 0, 0},  {0.001, 1, 1, 2, 2}, {0.005, 3, 2, 3, 5},
        {0.01, 4, 1, 5, 5}, {0.05, 5, 2, 5, 7},
    };
    ASSERT_EQ(rows.size(), std::size(expected));
    for (std::size_t k = 0; k < rows.size(); ++k) {
        const ThresholdRow& r = rows[k];
        const auto& e = expected[k];
        EXPECT_EQ(std::tie(r.threshold, r.edges, r.clusters, r.largest, r.clustered),
                  std::tie(e.threshold, e.edges, e.clusters, e.largest, e.clustered));
    }
}

TEST(ThresholdTable, EachRowAsTheClustersFoundAfreshAtItsThreshold) {
    std::mt19937 random(7);
    std::vector<std::string> names;
    for (int k = 0; k < 300; ++k) names.push_back("n" + std::to_string(k));
    const EdgeGraph graph = Graph(names, RandomLinks(random, names.size(), 350));
    const std::vector<double> thresholds = {0.002, 0.006, 0.01, 0.014, 0.02, 0.03};
    for (const ThresholdRow& row : ThresholdTable(graph, thresholds)) {
        const Clustering fresh = ClustersAt(graph, row.threshold, false);
        std::size_t clustered = 0;
        for (const std::uint32_t size : fresh.sizes) clustered += size;
        EXPECT_EQ(row.edges, fresh.edges);
        EXPECT_EQ(row.clusters, fresh.sizes.size());
        EXPECT_EQ(row.largest, fresh.sizes.empty() ? 0u : fresh.sizes.front());
        EXPECT_EQ(row.clustered, clustered);
    }
}

}  // namespace
}  // namespace dyvern
