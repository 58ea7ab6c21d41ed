// Union-find over the numbers 0 .. n - 1: union by size, paths halved as they
// are walked, so that any sequence of unions and finds runs in near-linear time.
#pragma once

#include <cstdint>
#include <vector>

namespace dyvern {

class DisjointSets {
public:
    explicit DisjointSets(std::size_t count);

    std::uint32_t Find(std::uint32_t x);
    // Joins the sets of a and b; false when they were one already.
    bool Unite(std::uint32_t a, std::uint32_t b);
    std::uint32_t SizeOf(std::uint32_t x) { return size_[Find(x)]; }

private:
    std::vector<std::uint32_t> parent_;
    std::vector<std::uint32_t> size_;
};

}  // namespace dyvern
