// The word-wide part of a pair count: AND and popcount over the bit planes of
// two packed sequences.
#pragma once

#include <array>
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
// The cells alone (known left 0).
PlaneCounts CountCells(const std::uint64_t* planes1, const std::uint64_t* planes2,
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

// The differences over the sites where both sequences hold a plain base,
// counted a word or two at a time until, past `leastPlain` plain sites,
// there are more than `mostDifferences`.
struct DifferenceScan {
    std::int64_t plain = 0;
    std::int64_t differences = 0;
    bool above = false;
};

// Over `words` groups of kBitPlanesPerWord words of each sequence.
DifferenceScan ScanDifferences(const std::uint64_t* bits1, const std::uint64_t* bits2,
                               std::size_t words, std::int64_t mostDifferences,
                               std::int64_t leastPlain);

// Over the sites where both sequences hold a plain base: the four classes of
// difference the closed forms see, in formula/difference_shares.h's order
// (A <-> G, C <-> T, A <-> T or C <-> G, A <-> C or G <-> T), and each
// base's count in both sequences together (the table's row plus column
// sums): five popcounts a word, and four more for the bases.
struct ClassCounts {
    std::int64_t plain = 0;
    std::array<std::int64_t, 4> classes{};
    std::array<std::int64_t, 4> bases{};  // A C G T; 0 unless counted
    std::int64_t Differences() const { return classes[0] + classes[1] + classes[2] + classes[3]; }
};

// Adds words [begin, end) to `counts`; the bases only when `bases`.
void AddClasses(const std::uint64_t* planes1, const std::uint64_t* planes2, std::size_t begin,
                std::size_t end, bool bases, ClassCounts& counts);

}  // namespace dyvern
