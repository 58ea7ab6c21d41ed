// Symmetric positive-definite systems of at most kJetSize unknowns, solved by
// Cholesky factorisation: Newton steps and the inverse observed information.
#pragma once

#include <vector>

#include "estimate/jet.h"

namespace dyvern {

using SmallVector = std::vector<double>;
using SmallMatrix = std::vector<SmallVector>;

// Solves M x = b. Returns false, leaving x empty, when M is not positive
// definite (a pivot is not positive or not finite).
bool SolvePositiveDefinite(const SmallMatrix& M, const SmallVector& b, SmallVector& x);

// The rows and columns `indices` of a jet's Hessian, and its gradient there.
SmallMatrix HessianPart(const Jet& f, const std::vector<int>& indices);
SmallVector GradientPart(const Jet& f, const std::vector<int>& indices);

}  // namespace dyvern
