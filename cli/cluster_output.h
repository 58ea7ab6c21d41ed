// What cluster writes: each clustered sequence with its cluster (CSV), the
// network of the clusters (JSON), or the picture each threshold gives (TSV).
#pragma once

#include <ostream>
#include <vector>

#include "cluster/components.h"

namespace dyvern::cli {

inline constexpr const char* kClusterCsvHeader = "SequenceID,ClusterID,ClusterSize\n";

// A line per sequence in a numbered cluster, by cluster, then in node order.
void WriteClusterCsv(std::ostream& out, const EdgeGraph& graph, const Clustering& clustering);

// {"threshold", "clusters": [{"id", "size"}], "nodes": [{"id", "cluster"}],
//  "edges": [{"source", "target", "distance"}]}: the nodes of the numbered
// clusters, in cluster order, and every edge at most the threshold between
// them, in input order.
void WriteClusterJson(std::ostream& out, const EdgeGraph& graph, const Clustering& clustering,
                      double threshold);

// threshold, edges, clusters, largest, clustered: a tab-separated line each.
void WriteThresholdTable(std::ostream& out, const std::vector<ThresholdRow>& rows);

}  // namespace dyvern::cli
