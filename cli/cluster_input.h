// What cluster reads: an edge list written by dist (CSV or TSV, told by its
// first line) streamed into a compact graph, or an alignment whose pairs are
// computed first, every sequence a node. A file or "-", plain or gzipped.
#pragma once

#include <ostream>
#include <string>

#include "arguments.h"
#include "cluster/edge_store.h"
#include "distance_choice.h"

namespace dyvern::cli {

struct ClusterInput {
    EdgeGraph graph;  // edges: the pairs with d at most keepAtMost
    bool alignment = false;
};

// Throws UsageError for distance options given with an edge list, and
// InputError for input that is neither an edge list nor an alignment.
// Standard error says what was read, and how many pairs have no distance.
ClusterInput ReadClusterInput(const Arguments& arguments, const std::string& path,
                              double keepAtMost, DistanceChoice& choice, std::ostream& err);

}  // namespace dyvern::cli
