// How close to a face of the parameter box the fast paths come before they
// leave a pair to the full fit, which puts it on the face as it sees fit.
#pragma once

namespace dyvern {

// In the rates, the shares and the shares of changes of each kind.
inline constexpr double kFaceMargin = 1e-8;

}  // namespace dyvern
