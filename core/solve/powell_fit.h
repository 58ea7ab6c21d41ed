// Estimating the free parameters of the current model kind and criterion by
// Powell's method, starting from given values.
#pragma once

#include <array>

#include "model/model_family.h"

namespace dyvern {

struct ModelFit {
    ParameterValues estimates;
    double minimum = 0.0;  // -lnL or SS at the estimates
    int sweeps = 0;        // Powell sweeps used, over every restart
    // The minimum in the search's transformed coordinates (the first `length`).
    std::array<double, kMaxFreeParameters> point{};
    int length = 0;
};

// Requires 0 < piT < 1 at the start. Parameters that the model kind and
// criterion hold fixed come back as they went in.
ModelFit FitModel(const FitTarget& target, const ParameterValues& start);

}  // namespace dyvern
