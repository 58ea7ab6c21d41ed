// Symmetric positive-definite systems of at most N unknowns, solved by
// Cholesky factorisation: Newton steps and the inverse observed information.
// Fixed-size storage: a search solves one at every step.
#pragma once

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>

#include "base/jet.h"

namespace dyvern {

// An argument whose template parameters are not deduced from it: an N is
// not deduced from a std::array, whose size is not an int.
template <class T>
struct Identity {
    using type = T;
};

// Some of a jet's N variables, by index, in increasing order.
template <int N>
class IndexList {
public:
    void Add(int i) { index[count++] = i; }
    int size() const { return count; }
    bool empty() const { return count == 0; }
    int operator[](int k) const { return index[k]; }
    const int* begin() const { return index.data(); }
    const int* end() const { return index.data() + count; }

private:
    std::array<int, N> index{};
    int count = 0;
};

template <int N>
using SmallVector = std::array<double, N>;

// The top-left size x size block is the matrix.
template <int N>
struct SmallMatrix {
    int size = 0;
    std::array<std::array<double, N>, N> at{};
};

namespace small_matrix_detail {

// The lower triangle L with L L^T = M, kept in M's own lower triangle, and
// the inverses of its diagonal: one division a row. False when M is not
// positive definite.
template <int N>
bool Factor(SmallMatrix<N>& M, typename Identity<SmallVector<N>>::type& inverse) {
    const int n = std::min(M.size, N);
    for (int j = 0; j < n; ++j) {
        double pivot = M.at[j][j];
        for (int k = 0; k < j; ++k) pivot -= M.at[j][k] * M.at[j][k];
        if (!(pivot > 0.0) || !std::isfinite(pivot)) return false;
        inverse[j] = 1.0 / std::sqrt(pivot);
        for (int i = j + 1; i < n; ++i) {
            double sum = M.at[i][j];
            for (int k = 0; k < j; ++k) sum -= M.at[i][k] * M.at[j][k];
            M.at[i][j] = sum * inverse[j];
        }
    }
    return true;
}

}  // namespace small_matrix_detail

// Solves M x = b on the first M.size entries. Returns false, leaving x
// unspecified, when M is not positive definite (a pivot is not positive or
// not finite).
template <int N>
bool SolvePositiveDefinite(const SmallMatrix<N>& M, const typename Identity<SmallVector<N>>::type& b,
                           typename Identity<SmallVector<N>>::type& x) {
    SmallMatrix<N> L = M;
    SmallVector<N> inverse{};
    if (!small_matrix_detail::Factor(L, inverse)) return false;
    const int n = std::min(M.size, N);
    x = b;
    for (int i = 0; i < n; ++i) {
        for (int k = 0; k < i; ++k) x[i] -= L.at[i][k] * x[k];
        x[i] *= inverse[i];
    }
    for (int i = n - 1; i >= 0; --i) {
        for (int k = i + 1; k < n; ++k) x[i] -= L.at[k][i] * x[k];
        x[i] *= inverse[i];
    }
    return true;
}

// g' M^-1 g: the variance the delta method gives a quantity with gradient g
// when M is the information; NaN when M is not positive definite.
template <int N>
double InverseQuadraticForm(const SmallMatrix<N>& M,
                            const typename Identity<SmallVector<N>>::type& g) {
    SmallVector<N> y;
    if (!SolvePositiveDefinite(M, g, y)) return std::numeric_limits<double>::quiet_NaN();
    double form = 0.0;
    for (int k = 0; k < std::min(M.size, N); ++k) form += g[k] * y[k];
    return form;
}

// The rows and columns `indices` of a jet's Hessian.
template <int N>
SmallMatrix<N> HessianPart(const Jet<N>& f, const IndexList<N>& indices) {
    SmallMatrix<N> H;
    H.size = indices.size();
    for (int a = 0; a < indices.size(); ++a)
        for (int b = 0; b < indices.size(); ++b)
            H.at[a][b] = f.SecondDerivative(indices[a], indices[b]);
    return H;
}

// The entries `indices` of a gradient.
template <int N>
SmallVector<N> GradientPart(const typename Identity<std::array<double, N>>::type& gradient,
                            const IndexList<N>& indices) {
    SmallVector<N> g{};
    for (int a = 0; a < indices.size(); ++a) g[a] = gradient[indices[a]];
    return g;
}

}  // namespace dyvern
