#include "distance/general_likelihood.h"

#include <cmath>
#include <limits>

#include "estimate/pair_search.h"
#include "estimate/standard_errors.h"
#include "model/substitution_rates.h"
#include "model/symmetric_function.h"

namespace dyvern {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
// The identical pairs A C G T, then the unordered pairs of kPairBases.
constexpr int kClasses = 4 + kBasePairs;

class Logarithm final : public ScalarFunction {
public:
    ScalarDerivatives At(double x) const override {
        const double inverse = 1.0 / x;
        const double square = inverse * inverse;
        return {{std::log(x), inverse, -square, 2.0 * square * inverse, -6.0 * square * square}};
    }
};

using Shares = std::array<double, kClasses>;

Shares SharesOf(const DivergenceCounts& n, double cells) {
    Shares s;
    for (int i = 0; i < 4; ++i) s[i] = n[i][i] / cells;
    for (int p = 0; p < kBasePairs; ++p) {
        const int i = kPairBases[p][0], j = kPairBases[p][1];
        s[4 + p] = (n[i][j] + n[j][i]) / cells;
    }
    return s;
}

// The symmetrised table F, its margins pi, M = Pi^-1/2 F Pi^-1/2 and
// log M = U log(Lambda) U' from M's eigenvectors; NaN where an eigenvalue
// is not positive.
struct SymmetricLog {
    Matrix4<double> M{}, logM{};
    std::array<double, 4> pi{}, root{};
    SymmetricEigen eigen;
};

SymmetricLog LogOf(const Shares& s) {
    Matrix4<double> F{};
    for (int i = 0; i < 4; ++i) F[i][i] = s[i];
    for (int p = 0; p < kBasePairs; ++p) {
        const int i = kPairBases[p][0], j = kPairBases[p][1];
        F[i][j] = F[j][i] = 0.5 * s[4 + p];
    }
    SymmetricLog x;
    for (int i = 0; i < 4; ++i) {
        x.pi[i] = F[i][A] + F[i][C] + F[i][G] + F[i][T];
        x.root[i] = std::sqrt(x.pi[i]);
    }
    for (int i = 0; i < 4; ++i)
        for (int j = 0; j < 4; ++j) x.M[i][j] = F[i][j] / (x.root[i] * x.root[j]);
    x.eigen = EigenOf(x.M);
    std::array<double, 4> logs;
    for (int k = 0; k < 4; ++k)
        logs[k] = x.eigen.values[k] > 0.0 ? std::log(x.eigen.values[k]) : kNaN;
    const Matrix4<double>& U = x.eigen.vectors;
    for (int i = 0; i < 4; ++i)
        for (int j = 0; j < 4; ++j)
            for (int k = 0; k < 4; ++k) x.logM[i][j] += U[i][k] * logs[k] * U[j][k];
    return x;
}

double DistanceOf(const SymmetricLog& x) {
    double d = 0.0;
    for (int i = 0; i < 4; ++i) d -= x.pi[i] * x.logM[i][i];
    return d;
}

std::array<double, kBasePairs> ExchangeabilitiesOf(const SymmetricLog& x) {
    std::array<double, kBasePairs> theta;
    for (int p = 0; p < kBasePairs; ++p) {
        const int i = kPairBases[p][0], j = kPairBases[p][1];
        theta[p] = x.logM[i][j] / (x.root[i] * x.root[j]);
    }
    return theta;
}

// The gradient of d by the shares, worked backwards. With G the divided
// differences of log at the eigenvalues, d log M = U (G o U'dM U) U', so
// sum_i pi_i d(log M)_ii = sum_ij Z_ij dM_ij for Z = U ((U' Pi U) o G) U'.
// Through M = F / (r_i r_j), r = sqrt(pi), and pi = F's margins, d moves
// with dF_ij by c_i - K_ij: K_ij = Z_ij / (r_i r_j) and
// c_i = (Z M)_ii / pi_i - (log M)_ii. An identical pair is one cell, an
// unordered pair two halves.
Shares GradientOf(const SymmetricLog& x) {
    const Matrix4<double>& U = x.eigen.vectors;
    const Logarithm log;
    Matrix4<double> W{}, Z{};
    for (int k = 0; k < 4; ++k) {
        for (int l = k; l < 4; ++l) {
            double a = 0.0;
            for (int i = 0; i < 4; ++i) a += U[i][k] * x.pi[i] * U[i][l];
            W[k][l] = W[l][k] = a * DividedDifference(log, x.eigen.values[k], x.eigen.values[l]);
        }
    }
    for (int i = 0; i < 4; ++i)
        for (int j = 0; j < 4; ++j)
            for (int k = 0; k < 4; ++k)
                for (int l = 0; l < 4; ++l) Z[i][j] += U[i][k] * W[k][l] * U[j][l];
    std::array<double, 4> c;
    for (int i = 0; i < 4; ++i) {
        double zm = 0.0;
        for (int j = 0; j < 4; ++j) zm += Z[i][j] * x.M[i][j];
        c[i] = zm / x.pi[i] - x.logM[i][i];
    }
    const auto K = [&](int i, int j) { return Z[i][j] / (x.root[i] * x.root[j]); };
    Shares g;
    for (int i = 0; i < 4; ++i) g[i] = c[i] - K(i, i);
    for (int p = 0; p < kBasePairs; ++p) {
        const int i = kPairBases[p][0], j = kPairBases[p][1];
        g[4 + p] = 0.5 * (c[i] + c[j]) - K(i, j);
    }
    return g;
}

// The multinomial's variance of d over the ten classes.
double VarianceOf(const Shares& s, const Shares& g, double cells) {
    double squares = 0.0, mean = 0.0;
    for (int c = 0; c < kClasses; ++c) {
        squares += g[c] * g[c] * s[c];
        mean += g[c] * s[c];
    }
    return (squares - mean * mean) / cells;
}

// lnL at the symmetrised table itself, which the optimum reaches.
double SymmetricLogLikelihood(const DivergenceCounts& n, const Shares& s) {
    double lnL = 0.0;
    for (int i = 0; i < 4; ++i)
        if (n[i][i] > 0.0) lnL += n[i][i] * std::log(s[i]);
    for (int p = 0; p < kBasePairs; ++p) {
        const int i = kPairBases[p][0], j = kPairBases[p][1];
        const double pooled = n[i][j] + n[j][i];
        if (pooled > 0.0) lnL += pooled * std::log(0.5 * s[4 + p]);
    }
    return lnL;
}

bool ClearOfFaces(const std::array<double, kBasePairs>& theta) {
    for (const double rate : theta)
        if (!(rate >= kFaceMargin && rate <= kLargestRate)) return false;
    return true;
}

// Whether each rate ended on 0, with -lnL clearly rising into the box, or
// clear of it, and the shares clear of their faces.
bool Settled(const BoxMinimum<kSizeOf<ModelKind::GTR>>& optimum) {
    const double pressed = kFaceMargin * (1.0 + std::fabs(optimum.value));
    for (int i = 0; i < kSizeOf<ModelKind::GTR>; ++i) {
        const double x = optimum.x[i];
        const bool clear = i < kBasePairs ? (x == 0.0 ? optimum.expansion.gradient[i] > pressed
                                                      : x >= kFaceMargin && x <= kLargestRate)
                                          : x >= kFaceMargin && x <= 1.0 - kFaceMargin;
        if (!clear) return false;
    }
    return true;
}

// As FitPair states it: no transversions first (their rates then on 0,
// where it puts them), then a transition rate on 0.
std::optional<FitStatus> StatusOf(const ModelPoint<ModelKind::GTR>& x, bool transversions) {
    constexpr unsigned kTransversionRates = ModelCoordinates<ModelKind::GTR>::kTransversions;
    if (!transversions) {
        for (int p = 0; p < kBasePairs; ++p)
            if ((kTransversionRates >> p & 1u) && x[p] != 0.0) return std::nullopt;
        return FitStatus::NoTransversions;
    }
    return x[kAG] == 0.0 || x[kCT] == 0.0 ? FitStatus::KappaZero : FitStatus::Ok;
}

// Where the logarithm puts an exchangeability below 0, the optimum lies on
// that face: the full fit's own Newton's method, closed in as the other
// fast paths close in, from the closed form with those rates on 0 and the
// frequencies at the composition.
std::optional<PairDistance> OnTheFaces(const DivergenceCounts& counts, int sites,
                                       const Totals& totals,
                                       const std::array<double, kBasePairs>& theta,
                                       bool withError) {
    constexpr ModelKind kGtr = ModelKind::GTR;
    ModelPoint<kGtr> start{};
    for (int p = 0; p < kBasePairs; ++p) {
        if (!(theta[p] <= kLargestRate)) return std::nullopt;
        start[p] = std::fmax(theta[p], 0.0);
    }
    const std::array<double, 4> pi = CompositionOf(totals);
    const double r = pi[A] + pi[G];
    start[kBasePairs] = r;
    start[kBasePairs + 1] = pi[A] / r;
    start[kBasePairs + 2] = pi[C] / (1.0 - r);
    const PairData data = MakePairData(counts, sites);
    const SearchBox<kSizeOf<kGtr>> box = FitBox<kGtr>(Criterion::MaxLikelihood);
    const auto misfit = MakeSmooth<kSizeOf<kGtr>>(
        [&](const auto& x) { return MisfitAt<kGtr>(data, x, Criterion::MaxLikelihood, kOneRate); });
    const BoxMinimum<kSizeOf<kGtr>> optimum =
        MinimiseInBox(misfit, start, box, BoxStop::Converged, kClosedInDecrement);
    if (!optimum.converged || !Settled(optimum) || !BeatsIndependence(-optimum.value, totals, true))
        return std::nullopt;
    const ModelPoint<kGtr>& x = optimum.x;
    const std::optional<FitStatus> status = StatusOf(x, totals.transversions > 0.0);
    if (!status) return std::nullopt;
    const double seD = withError ? ErrorsAtOptimum<kGtr>(optimum.expansion, x, box).d : kNaN;
    return PairDistance{sites, Distance(ModelCoordinates<kGtr>::RatesAt(x)), seD, *status};
}

}  // namespace

std::optional<PairDistance> GeneralLikelihood(const DivergenceCounts& counts, int sites,
                                              const Totals& totals, bool withError) {
    for (const double base : totals.bases)
        if (!(base > 0.0)) return std::nullopt;
    const Shares s = SharesOf(counts, totals.cells);
    const SymmetricLog x = LogOf(s);
    const std::array<double, kBasePairs> theta = ExchangeabilitiesOf(x);
    if (!ClearOfFaces(theta)) return OnTheFaces(counts, sites, totals, theta, withError);
    const double d = DistanceOf(x);
    if (!std::isfinite(d) || !BeatsIndependence(SymmetricLogLikelihood(counts, s), totals, true))
        return std::nullopt;
    const double variance = withError ? VarianceOf(s, GradientOf(x), totals.cells) : kNaN;
    return PairDistance{sites, d, variance >= 0.0 ? std::sqrt(variance) : kNaN, FitStatus::Ok};
}

}  // namespace dyvern
