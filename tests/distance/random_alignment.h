// Random alignments with gaps, missing data and ambiguity codes.
#pragma once

#include <cstdint>

#include "align/alignment.h"

namespace dyvern::testing {

struct AlignmentShape {
    int sequences;
    int sites;
    double gaps;       // share of '-'
    double missing;    // share of N and '?'
    double ambiguous;  // share of two- and three-base codes
};

// Sequences share a random ancestor and differ at about a fifth of the sites,
// written in mixed case with U for some T.
Alignment RandomAlignment(const AlignmentShape& shape, std::uint32_t seed);

}  // namespace dyvern::testing
