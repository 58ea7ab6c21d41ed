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

// The same table pooled by kind of pair, for the models that see no more
// (JC69, K80): identical pairs in A-A, transitions in A-G, transversions in
// A-C. Only for pairs with nothing to share out: under Skip, or with no
// ambiguous site in either sequence; std::invalid_argument otherwise.
PairTable CountPackedKinds(const PackedAlignment& packed, std::size_t sequence1,
                           std::size_t sequence2, Ambiguity ambiguity);

// Whether CountPackedKinds can count the pair.
bool KindsSuffice(const PackedAlignment& packed, std::size_t sequence1, std::size_t sequence2,
                  Ambiguity ambiguity);

}  // namespace dyvern
