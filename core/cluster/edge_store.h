// The edges of a graph, 16 bytes each (two name numbers and the distance),
// in blocks: growing never copies what is stored nor holds it twice.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "cluster/name_table.h"

namespace dyvern {

struct Edge {
    std::uint32_t a;
    std::uint32_t b;
    double d;
};

class EdgeStore {
public:
    void Add(const Edge& edge);
    std::size_t size() const { return size_; }

    // visit(edge) for each edge in the order added.
    template <class Visit>
    void ForEach(Visit visit) const {
        for (const std::vector<Edge>& block : blocks_)
            for (const Edge& edge : block) visit(edge);
    }

private:
    static constexpr std::size_t kBlockEdges = std::size_t{1} << 16;
    std::vector<std::vector<Edge>> blocks_;
    std::size_t size_ = 0;
};

// The graph of transmission clusters: its nodes are names, its edges pairs
// of them with their distance.
struct EdgeGraph {
    NameTable names;
    EdgeStore edges;
};

}  // namespace dyvern
