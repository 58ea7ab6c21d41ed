#include "distance/likelihood_newton.h"

#include <cmath>
#include <limits>

namespace dyvern {
namespace {

constexpr int kMaxIterations = 40;
constexpr int kMaxHalvings = 30;
// The predicted gain g' H^-1 g of a step against |lnL|. Newton's method
// squares it from step to step (1e-6, 1e-16, 1e-30 on typical tables), so
// one more step after a gain this small ends at the optimum to rounding,
// also where the likelihood is flat and the gains shrink more slowly.
constexpr double kCloseIn = 1e-16;
constexpr double kTieRounding = 4.0 * std::numeric_limits<double>::epsilon();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// The moving variables: indices into the coordinates, s folded into v when tied.
struct Reduced {
    int size = 0;
    std::array<int, kCoordinates> index{};
    std::array<double, kCoordinates> gradient{};
    std::array<std::array<double, kCoordinates>, kCoordinates> negHessian{};
};

std::array<int, kCoordinates> Slots(const FreeCoordinates& c, int& size) {
    std::array<int, kCoordinates> slot;
    slot.fill(-1);
    size = 0;
    for (int i = 0; i < kCoordinates; ++i) {
        if (c.sTiedToV && i == kS) continue;
        if (c.free[i]) slot[i] = size++;
    }
    if (c.sTiedToV) slot[kS] = slot[kV];
    return slot;
}

Reduced Reduce(const LikelihoodExpansion& e, const FreeCoordinates& c,
               const std::array<bool, kCoordinates>& keep) {
    Reduced out;
    int size = 0;
    std::array<int, kCoordinates> slot = Slots(c, size);
    // Renumber what is kept.
    std::array<int, kCoordinates> renumber;
    renumber.fill(-1);
    for (int i = 0; i < kCoordinates; ++i) {
        if (slot[i] < 0 || !keep[i]) continue;
        if (renumber[slot[i]] < 0) {
            renumber[slot[i]] = out.size;
            out.index[out.size++] = i;
        }
    }
    for (int i = 0; i < kCoordinates; ++i) {
        const int a = slot[i] < 0 ? -1 : renumber[slot[i]];
        if (a < 0 || !keep[i]) continue;
        out.gradient[a] += e.gradient[i];
        for (int j = 0; j < kCoordinates; ++j) {
            const int b = slot[j] < 0 ? -1 : renumber[slot[j]];
            if (b >= 0 && keep[j]) out.negHessian[a][b] -= e.hessian[i][j];
        }
    }
    return out;
}

// Solves M x = b by Cholesky; false when M is not positive definite. One
// division a row: the inverse pivots are kept.
bool Solve(std::array<std::array<double, kCoordinates>, kCoordinates> M, int n,
           std::array<double, kCoordinates> b, std::array<double, kCoordinates>& x) {
    std::array<double, kCoordinates> inverse{};
    for (int j = 0; j < n; ++j) {
        double pivot = M[j][j];
        for (int k = 0; k < j; ++k) pivot -= M[j][k] * M[j][k];
        if (!(pivot > 0.0) || !std::isfinite(pivot)) return false;
        inverse[j] = 1.0 / std::sqrt(pivot);
        for (int i = j + 1; i < n; ++i) {
            double sum = M[i][j];
            for (int k = 0; k < j; ++k) sum -= M[i][k] * M[j][k];
            M[i][j] = sum * inverse[j];
        }
    }
    for (int i = 0; i < n; ++i) {
        for (int k = 0; k < i; ++k) b[i] -= M[i][k] * b[k];
        b[i] *= inverse[i];
    }
    for (int i = n - 1; i >= 0; --i) {
        for (int k = i + 1; k < n; ++k) b[i] -= M[k][i] * b[k];
        b[i] *= inverse[i];
    }
    x = b;
    return true;
}

bool InsideBox(const Coordinates& x) {
    return x[kV] >= 0.0 && x[kS] >= 0.0 && x[kR] > 0.0 && x[kR] < 1.0 && x[kShareA] >= 0.0 &&
           x[kShareA] <= 1.0 && x[kShareC] >= 0.0 && x[kShareC] <= 1.0;
}

Coordinates Moved(const Coordinates& x, const Reduced& reduced,
                  const std::array<double, kCoordinates>& step, double alpha,
                  const FreeCoordinates& c) {
    Coordinates out = x;
    for (int k = 0; k < reduced.size; ++k) out[reduced.index[k]] += alpha * step[k];
    if (c.sTiedToV) out[kS] = out[kV];
    return out;
}

// The first of x + step, x + step/2, ... inside the box whose lnL is not
// measurably worse; false when there is none.
bool LineSearch(const LikelihoodTerms& terms, const FreeCoordinates& c, const Reduced& reduced,
                const std::array<double, kCoordinates>& step, LikelihoodOptimum& at) {
    double alpha = 1.0;
    for (int k = 0; k < kMaxHalvings; ++k, alpha *= 0.5) {
        const Coordinates trial = Moved(at.x, reduced, step, alpha, c);
        // A bound within one step is where the full search is needed.
        if (!InsideBox(trial)) return false;
        const LikelihoodExpansion e = ExpandLogLikelihood(terms, trial);
        const double floor = at.expansion.value - kTieRounding * std::fabs(at.expansion.value);
        if (std::isfinite(e.value) && e.value >= floor) {
            at.x = trial;
            at.expansion = e;
            return true;
        }
    }
    return false;
}

}  // namespace

LikelihoodOptimum MaximiseLikelihood(const LikelihoodTerms& terms, const Coordinates& start,
                                     const FreeCoordinates& coordinates) {
    LikelihoodOptimum at;
    at.x = start;
    if (coordinates.sTiedToV) at.x[kS] = at.x[kV];
    if (!InsideBox(at.x)) return at;
    at.expansion = ExpandLogLikelihood(terms, at.x);
    if (!std::isfinite(at.expansion.value)) return at;
    std::array<bool, kCoordinates> all;
    all.fill(true);
    bool lastStep = false;
    for (int iteration = 0; iteration < kMaxIterations; ++iteration) {
        const Reduced reduced = Reduce(at.expansion, coordinates, all);
        std::array<double, kCoordinates> step{};
        if (!Solve(reduced.negHessian, reduced.size, reduced.gradient, step)) return at;
        double decrement = 0.0;
        for (int k = 0; k < reduced.size; ++k) decrement += reduced.gradient[k] * step[k];
        // Past the last step no move improves lnL beyond rounding.
        const bool moved = LineSearch(terms, coordinates, reduced, step, at);
        if (lastStep) {
            at.converged = true;
            return at;
        }
        if (!moved) return at;
        lastStep = decrement <= kCloseIn * (1.0 + std::fabs(at.expansion.value));
    }
    return at;
}

double StandardErrorOfDistance(const LikelihoodOptimum& optimum,
                               const FreeCoordinates& coordinates) {
    const Coordinates& x = optimum.x;
    const LikelihoodExpansion& e = optimum.expansion;
    // Off their bounds and curved, as the full fit's errors take them.
    std::array<bool, kCoordinates> interior{};
    for (int i = 0; i < kCoordinates; ++i) {
        const double upper = i <= kS ? std::numeric_limits<double>::infinity() : 1.0;
        interior[i] = x[i] > 0.0 && x[i] < upper && e.hessian[i][i] != 0.0;
    }
    if (coordinates.sTiedToV) interior[kS] = interior[kV];
    const bool rateMoves = (coordinates.free[kV] && interior[kV]) ||
                           (coordinates.free[kS] && interior[kS] && !coordinates.sTiedToV);
    if (!rateMoves) return kNaN;
    LikelihoodExpansion distance;
    distance.gradient = DistanceGradient(x);
    const Reduced information = Reduce(e, coordinates, interior);
    const Reduced g = Reduce(distance, coordinates, interior);
    std::array<double, kCoordinates> y{};
    if (!Solve(information.negHessian, information.size, g.gradient, y)) return kNaN;
    double variance = 0.0;
    for (int k = 0; k < g.size; ++k) variance += g.gradient[k] * y[k];
    return variance >= 0.0 ? std::sqrt(variance) : kNaN;
}

}  // namespace dyvern
