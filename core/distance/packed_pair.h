// The pair table of two sequences of a packed alignment, equal to CountPair's
// on their text: plain sites by bit planes, ambiguous ones by the same
// per-site rule.
#pragma once

#include <cstddef>

#include "align/pair_table.h"
#include "distance/packed_alignment.h"

namespace dyvern {

PairTable CountPackedPair(const PackedAlignment& packed, std::size_t sequence1,
                          std::size_t sequence2, Ambiguity ambiguity);

}  // namespace dyvern
