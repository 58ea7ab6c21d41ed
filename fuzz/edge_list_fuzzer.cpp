// Raw bytes as an edge list, in memory: each gives a graph whose edges join
// interned names with distances of 0 up to the limit, and clusters that
// number every node, or an InputError, never anything else.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <set>
#include <string_view>

#include "align/input_error.h"
#include "cluster/components.h"
#include "cluster/edge_list_reader.h"

namespace {

constexpr double kLimit = 0.5;

void CheckGraph(const dyvern::EdgeGraph& graph, const dyvern::EdgeListCounts& counts) {
    const std::size_t nodes = graph.names.size();
    std::set<std::string> names;
    for (std::uint32_t id = 0; id < nodes; ++id) names.emplace(graph.names.Name(id));
    if (names.size() != nodes || names.count("") != 0) std::abort();
    if (counts.kept != static_cast<long long>(graph.edges.size())) std::abort();
    graph.edges.ForEach([&](const dyvern::Edge& e) {
        if (e.a >= nodes || e.b >= nodes || !(e.d >= 0.0 && e.d <= kLimit)) std::abort();
    });
}

void CheckClusters(const dyvern::EdgeGraph& graph) {
    const dyvern::Clustering clustering = dyvern::ClustersAt(graph, kLimit / 2, true);
    std::size_t members = 0;
    for (std::size_t k = 0; k < clustering.sizes.size(); ++k) {
        members += clustering.sizes[k];
        if (k > 0 && clustering.sizes[k] > clustering.sizes[k - 1]) std::abort();
    }
    if (members != graph.names.size()) std::abort();
    for (const std::uint32_t id : clustering.clusterOf)
        if (id == 0 || id > clustering.sizes.size()) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    try {
        dyvern::EdgeListCounts counts;
        const dyvern::EdgeGraph graph = dyvern::ReadEdgeList(text, "fuzz", kLimit, &counts);
        CheckGraph(graph, counts);
        CheckClusters(graph);
    } catch (const dyvern::InputError&) {
    }
    return 0;
}
