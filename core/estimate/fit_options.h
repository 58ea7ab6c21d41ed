// What a likelihood fit is told besides the table: rate variation among
// sites (one pair cannot tell a gamma shape or a share of invariable sites
// from the distance, so they are given), and base frequencies to hold
// instead of estimating them.
#pragma once

#include <array>
#include <optional>

#include "model/rate_variation.h"

namespace dyvern {

struct FitOptions {
    RateVariation variation;
    // Held at these (A, C, G, T) rather than estimated: the pair's
    // composition, say, as programs that take the frequencies from the data
    // do. Ignored by models with frequencies of their own (1/4 each).
    std::optional<std::array<double, 4>> heldFrequencies;
};

}  // namespace dyvern
