// The pair table of two sequences of a packed alignment, equal to CountPair's
// on their text under the alignment's reading: plain sites by bit planes,
// coded ones by the same per-site rule.
#pragma once

#include <cstddef>

#include "align/pair_table.h"
#include "distance/packed_alignment.h"

namespace dyvern {

PairTable CountPackedPair(const PackedAlignment& packed, std::size_t sequence1,
                          std::size_t sequence2);

// The same counts and sites where KindsSuffice, from the plain cells alone
// (sixteen popcounts a word); gapOrMissing and ambiguous are left 0.
PairTable CountPlainPair(const PackedAlignment& packed, std::size_t sequence1,
                         std::size_t sequence2);

// Whether the pair has nothing to share out, so that its counts by kind of
// pair (plane_counts.h) are all that JC69 and K80 see: under Skip, or with
// no ambiguous site in either sequence.
inline bool KindsSuffice(const PackedAlignment& packed, std::size_t sequence1,
                         std::size_t sequence2) {
    return packed.reading().ambiguity == Ambiguity::Skip ||
           (!packed.hasAmbiguousSites(sequence1) && !packed.hasAmbiguousSites(sequence2));
}

}  // namespace dyvern
