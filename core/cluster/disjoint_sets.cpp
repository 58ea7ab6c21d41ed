#include "cluster/disjoint_sets.h"

#include <numeric>
#include <utility>

namespace dyvern {

DisjointSets::DisjointSets(std::size_t count) : parent_(count), size_(count, 1) {
    std::iota(parent_.begin(), parent_.end(), 0u);
}

std::uint32_t DisjointSets::Find(std::uint32_t x) {
    while (parent_[x] != x) {
        parent_[x] = parent_[parent_[x]];
        x = parent_[x];
    }
    return x;
}

bool DisjointSets::Unite(std::uint32_t a, std::uint32_t b) {
    a = Find(a);
    b = Find(b);
    if (a == b) return false;
    if (size_[a] < size_[b]) std::swap(a, b);
    parent_[b] = a;
    size_[a] += size_[b];
    return true;
}

}  // namespace dyvern
