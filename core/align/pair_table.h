// The table of base pairs two aligned sequences show, site by site.
#pragma once

#include <string_view>

#include "model/divergence.h"

namespace dyvern {

// What a site with an ambiguity code (R Y S W K M B D H V) counts as.
//   Skip:    it is left out.
//   Average: it is shared out in equal parts over the base pairs the two
//            codes allow, so cells may be fractional (R against A adds a
//            half to A-A and a half to G-A).
//   Resolve: when one side is a plain base the other code allows, it counts
//            as that identical pair (R against A adds one to A-A); otherwise
//            as under Average.
// N allows every base, so it tells nothing about the pair: under every mode
// it is left out like '?', never shared over all 16 cells.
enum class Ambiguity { Skip, Average, Resolve };

struct PairTable {
    DivergenceCounts counts{};  // row: sequence 1, column: sequence 2, A C G T
    int sites = 0;              // sites counted: the cells add up to this
    int gapOrMissing = 0;       // left out: '-', '?' or N in either sequence
    int ambiguous = 0;          // left out under Skip: an ambiguity code
};

// Counts the sites of two aligned sequences (pairwise deletion: a site with a
// gap or missing data on either side is left out before ambiguity is
// considered). Codes are read as NormalizedCode reads them. Throws
// std::invalid_argument for sequences of unequal length or a character that
// is not a nucleotide code, std::length_error beyond the int range.
PairTable CountPair(std::string_view sequence1, std::string_view sequence2,
                    Ambiguity ambiguity = Ambiguity::Skip);

}  // namespace dyvern
