// The Laplace transform of a gamma-distributed rate of mean 1 and its
// inverse: with rates r ~ Gamma(shape alpha, rate alpha) across sites, a
// quantity that decays as e^(-s r) at one rate decays on average as
// (1 + s / alpha)^-alpha, which is how gamma distances undo saturation.
// Invalid arguments give NaN.
#pragma once

namespace dyvern {

// E[e^(-s r)] = (1 + s / alpha)^-alpha for alpha > 0 finite and s >= 0.
double GammaRateLaplaceTransform(double alpha, double s);

// The s >= 0 at which the transform equals y, for 0 <= y <= 1:
// alpha (y^(-1/alpha) - 1), +inf at y = 0.
double InverseGammaRateLaplaceTransform(double alpha, double y);

}  // namespace dyvern
