// Symmetric positive-definite systems of at most kJetSize unknowns, solved by
// Cholesky factorisation: Newton steps and the inverse observed information.
// Fixed-size storage: a search solves one at every step.
#pragma once

#include <array>

#include "base/jet.h"

namespace dyvern {

// Some of a jet's variables, by index, in increasing order.
class IndexList {
public:
    void Add(int i) { index[count++] = i; }
    int size() const { return count; }
    bool empty() const { return count == 0; }
    int operator[](int k) const { return index[k]; }
    const int* begin() const { return index.data(); }
    const int* end() const { return index.data() + count; }

private:
    std::array<int, kJetSize> index{};
    int count = 0;
};

using SmallVector = std::array<double, kJetSize>;

// The top-left size x size block is the matrix.
struct SmallMatrix {
    int size = 0;
    std::array<std::array<double, kJetSize>, kJetSize> at{};
};

// Solves M x = b on the first M.size entries. Returns false, leaving x
// unspecified, when M is not positive definite (a pivot is not positive or
// not finite).
bool SolvePositiveDefinite(const SmallMatrix& M, const SmallVector& b, SmallVector& x);

// g' M^-1 g: the variance the delta method gives a quantity with gradient g
// when M is the information; NaN when M is not positive definite.
double InverseQuadraticForm(const SmallMatrix& M, const SmallVector& g);

// The rows and columns `indices` of a jet's Hessian, and the entries
// `indices` of a gradient.
SmallMatrix HessianPart(const Jet& f, const IndexList& indices);
SmallVector GradientPart(const std::array<double, kJetSize>& gradient, const IndexList& indices);

}  // namespace dyvern
