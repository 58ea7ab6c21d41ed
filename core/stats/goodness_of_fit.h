// The chi-square goodness-of-fit test of an observed pair table against the
// table a model expects.
#pragma once

#include "model/divergence.h"

namespace dyvern {

// X2 = sum over all 16 cells of (O - E)^2 / E and its upper-tail probability.
// Defined only when every expected count is positive and finite and X2 comes
// out finite; otherwise `reason` says why and the numbers are 0.
struct GoodnessOfFit {
    bool defined = false;
    const char* reason = "";
    double statistic = 0.0;
    double prob = 0.0;
};

// Stops the program (assertion "df > 0") when df is below 1.
GoodnessOfFit TestGoodnessOfFit(const DivergenceCounts& observed, const DivergenceCounts& expected,
                                int df);

}  // namespace dyvern
