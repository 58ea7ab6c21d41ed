// What a fit is told besides the table: rate variation among sites (one
// pair cannot tell a gamma shape or a share of invariable sites from the
// distance, so they are given), and base frequencies to hold instead of
// estimating them or, for a formula, to use instead of the pair's own.
#pragma once

#include <array>
#include <optional>

#include "model/rate_variation.h"

namespace dyvern {

struct FitOptions {
    RateVariation variation;
    // Held at these (A, C, G, T) rather than estimated: the pair's
    // composition, say, as programs that take the frequencies from the data
    // do. Ignored by models with frequencies of their own (1/4 each). A
    // formula takes them as given (the whole alignment's composition, say).
    std::optional<std::array<double, 4>> heldFrequencies;
    // With frequencies given, paralinear's two compositions: each sequence's
    // own, over its own known sites.
    std::optional<std::array<std::array<double, 4>, 2>> sequenceFrequencies;
};

}  // namespace dyvern
