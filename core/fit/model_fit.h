// Estimating the free parameters of the current model kind and criterion by
// Powell's method, starting from given values.
#pragma once

#include <array>

#include "model/divergence.h"

namespace dyvern {

// The five adjustable parameters; piT is the remainder 1 - piA - piC - piG.
struct ParameterValues {
    double betat = 0.1;
    double kappa = 1.0;
    double piA = 0.25;
    double piC = 0.25;
    double piG = 0.25;
};

struct ModelFit {
    ParameterValues estimates;
    double minimum = 0.0;  // -lnL or SS at the estimates
    int sweeps = 0;        // Powell sweeps used, over every restart
    // The minimum in the search's transformed coordinates (the first `length`).
    std::array<double, 5> point{};
    int length = 0;
};

// Requires 0 < piT < 1 at the start. Parameters that the model kind and
// criterion hold fixed come back as they went in.
ModelFit FitModel(const FitTarget& target, const ParameterValues& start);

}  // namespace dyvern
