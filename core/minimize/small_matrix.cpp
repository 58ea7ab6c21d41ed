#include "minimize/small_matrix.h"

#include <cmath>
#include <limits>

namespace dyvern {
namespace {

// The lower triangle L with L L^T = M, kept in M's own lower triangle, and
// the inverses of its diagonal: one division a row. False when M is not
// positive definite.
bool Factor(SmallMatrix& M, SmallVector& inverse) {
    const int n = M.size;
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

}  // namespace

bool SolvePositiveDefinite(const SmallMatrix& M, const SmallVector& b, SmallVector& x) {
    SmallMatrix L = M;
    SmallVector inverse{};
    if (!Factor(L, inverse)) return false;
    const int n = M.size;
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

double InverseQuadraticForm(const SmallMatrix& M, const SmallVector& g) {
    SmallVector y;
    if (!SolvePositiveDefinite(M, g, y)) return std::numeric_limits<double>::quiet_NaN();
    double form = 0.0;
    for (int k = 0; k < M.size; ++k) form += g[k] * y[k];
    return form;
}

SmallMatrix HessianPart(const Jet& f, const IndexList& indices) {
    SmallMatrix H;
    H.size = indices.size();
    for (int a = 0; a < indices.size(); ++a)
        for (int b = 0; b < indices.size(); ++b)
            H.at[a][b] = f.SecondDerivative(indices[a], indices[b]);
    return H;
}

SmallVector GradientPart(const std::array<double, kJetSize>& gradient, const IndexList& indices) {
    SmallVector g{};
    for (int a = 0; a < indices.size(); ++a) g[a] = gradient[indices[a]];
    return g;
}

}  // namespace dyvern
