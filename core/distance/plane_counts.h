// The word-wide part of a pair count: AND and popcount over the bit planes of
// two packed sequences.
#pragma once

#include <cstddef>
#include <cstdint>

namespace dyvern {

struct PlaneCounts {
    std::int64_t cells[4][4] = {};  // sites with plain bases i and j
    std::int64_t known = 0;         // sites where neither side is '-', '?' or N
};

// Over `words` groups of kPlanesPerWord words of each sequence. Uses the
// processor's popcount instruction where it has one.
PlaneCounts CountPlanes(const std::uint64_t* planes1, const std::uint64_t* planes2,
                        std::size_t words);

// Sites with plain bases on both sides, and of them the transitions and
// transversions: three popcounts a word where the cells take sixteen.
struct DifferenceCounts {
    std::int64_t plain = 0;
    std::int64_t transitions = 0;
    std::int64_t transversions = 0;
    std::int64_t known = 0;
};

DifferenceCounts CountDifferences(const std::uint64_t* planes1, const std::uint64_t* planes2,
                                  std::size_t words);

}  // namespace dyvern
