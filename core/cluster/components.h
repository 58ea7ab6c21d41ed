// Transmission clusters: the connected components of the graph whose edges
// are the pairs with d at most a threshold (a pair at exactly the threshold
// is an edge). A cluster has two members or more; a node alone is a
// singleton. Clusters are numbered from 1 by size, the largest first, and
// clusters of one size by the first appearance of a member (the smallest
// node number: the input's order).
#pragma once

#include <cstdint>
#include <vector>

#include "cluster/edge_store.h"

namespace dyvern {

struct Clustering {
    // Each node's cluster number; 0 for a singleton when singletons are not
    // numbered. With them, singletons are numbered after every cluster.
    std::vector<std::uint32_t> clusterOf;
    std::vector<std::uint32_t> sizes;  // cluster k's at sizes[k - 1]
    std::size_t edges = 0;             // edges with d at most the threshold
};

Clustering ClustersAt(const EdgeGraph& graph, double threshold, bool singletons);

struct ThresholdRow {
    double threshold = 0.0;
    std::size_t edges = 0;      // with d at most the threshold
    std::size_t clusters = 0;   // of two members or more
    std::size_t largest = 0;    // members of the largest cluster (0 when none)
    std::size_t clustered = 0;  // nodes in a cluster
};

// One row per threshold, in increasing order, repeats dropped: the picture
// each threshold gives, from one pass over the edges per threshold.
std::vector<ThresholdRow> ThresholdTable(const EdgeGraph& graph, std::vector<double> thresholds);

}  // namespace dyvern
