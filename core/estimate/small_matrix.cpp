#include "estimate/small_matrix.h"

#include <cmath>
#include <cstddef>

namespace dyvern {
namespace {

// Lower triangle L with L L^T = M, or false.
bool Factor(const SmallMatrix& M, SmallMatrix& L) {
    const std::size_t n = M.size();
    L.assign(n, SmallVector(n, 0.0));
    for (std::size_t j = 0; j < n; ++j) {
        double pivot = M[j][j];
        for (std::size_t k = 0; k < j; ++k) pivot -= L[j][k] * L[j][k];
        if (!(pivot > 0.0) || !std::isfinite(pivot)) return false;
        L[j][j] = std::sqrt(pivot);
        for (std::size_t i = j + 1; i < n; ++i) {
            double sum = M[i][j];
            for (std::size_t k = 0; k < j; ++k) sum -= L[i][k] * L[j][k];
            L[i][j] = sum / L[j][j];
        }
    }
    return true;
}

}  // namespace

bool SolvePositiveDefinite(const SmallMatrix& M, const SmallVector& b, SmallVector& x) {
    SmallMatrix L;
    x.clear();
    if (!Factor(M, L)) return false;
    const std::size_t n = b.size();
    SmallVector y(n);
    for (std::size_t i = 0; i < n; ++i) {
        double sum = b[i];
        for (std::size_t k = 0; k < i; ++k) sum -= L[i][k] * y[k];
        y[i] = sum / L[i][i];
    }
    x.assign(n, 0.0);
    for (std::size_t i = n; i-- > 0;) {
        double sum = y[i];
        for (std::size_t k = i + 1; k < n; ++k) sum -= L[k][i] * x[k];
        x[i] = sum / L[i][i];
    }
    return true;
}

SmallMatrix HessianPart(const Jet& f, const std::vector<int>& indices) {
    SmallMatrix H;
    for (const int i : indices) {
        SmallVector row;
        for (const int j : indices) row.push_back(f.SecondDerivative(i, j));
        H.push_back(row);
    }
    return H;
}

SmallVector GradientPart(const Jet& f, const std::vector<int>& indices) {
    SmallVector g;
    for (const int i : indices) g.push_back(f.gradient[i]);
    return g;
}

}  // namespace dyvern
