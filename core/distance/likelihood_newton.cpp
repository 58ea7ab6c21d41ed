#include "distance/likelihood_newton.h"

#include <limits>
#include <type_traits>

#include "estimate/standard_errors.h"

namespace dyvern {
namespace {

constexpr double kInfinity = std::numeric_limits<double>::infinity();

// The expansion along (v, s = v): the chain rule folds s's row into v's.
TermJet FoldedOntoV(const TermJet& e) {
    TermJet out = e;
    out.gradient[kV] += e.gradient[kS];
    out.gradient[kS] = 0.0;
    out.hessian[kV][kV] += 2.0 * e.hessian[kV][kS] + e.hessian[kS][kS];
    for (int j = 0; j < kTermCoordinates; ++j) {
        if (j == kV || j == kS) continue;
        out.hessian[kV][j] += e.hessian[kS][j];
        out.hessian[j][kV] = out.hessian[kV][j];
        out.hessian[kS][j] = out.hessian[j][kS] = 0.0;
    }
    out.hessian[kV][kS] = out.hessian[kS][kV] = out.hessian[kS][kS] = 0.0;
    return out;
}

// lnL of the terms, in coordinates that may tie s to v.
template <class L>
class TermsLikelihood {
public:
    static constexpr int N = L::kSize;
    TermsLikelihood(const LikelihoodTerms& terms, bool sTiedToV) : terms(terms), tied(sTiedToV) {}

    double At(Point<N> x) const { return LogLikelihoodAt<L>(terms, Tie(x)); }
    Jet<N> Expansion(const Point<N>& x) const {
        const Jet<N> e = ExpandLogLikelihood<L>(terms, Tie(x));
        if constexpr (std::is_same_v<L, HkyLayout>) {
            if (tied) return FoldedOntoV(e);
        }
        return e;
    }

private:
    Point<N> Tie(Point<N> x) const {
        if (tied) x[L::kSR] = x[L::kSY] = x[L::kV];
        return x;
    }
    const LikelihoodTerms& terms;
    bool tied;
};

// -lnL, which the box search minimises.
template <class L>
class NegativeLikelihood final : public SmoothFunction<L::kSize> {
public:
    static constexpr int N = L::kSize;
    explicit NegativeLikelihood(const TermsLikelihood<L>& lnL) : lnL(lnL) {}
    double Value(const Point<N>& x) const override { return -lnL.At(x); }
    Jet<N> Expansion(const Point<N>& x, const FreeMask<N>&) const override {
        return -lnL.Expansion(x);
    }

private:
    const TermsLikelihood<L>& lnL;
};

// Rates from 0 up, shares in [0, 1].
template <class L>
SearchBox<L::kSize> BoxOf(const FreeCoordinatesOf<L::kSize>& coordinates) {
    SearchBox<L::kSize> box;
    for (int i = 0; i < L::kSize; ++i) box.upper[i] = i < L::kR ? kInfinity : 1.0;
    box.free = coordinates.free;
    if (coordinates.sTiedToV) box.free[L::kSR] = box.free[L::kSY] = false;
    return box;
}

// Which of the terms' coordinates are model M's, in order.
template <ModelKind M>
constexpr std::array<int, kSizeOf<M>> TermIndices() {
    if constexpr (M == ModelKind::JC69) return {kV};
    if constexpr (M == ModelKind::F81) return {kV, kR, kShareA, kShareC};
    if constexpr (M == ModelKind::K80) return {kV, kS};
    if constexpr (M == ModelKind::HKY85) return {kV, kS, kR, kShareA, kShareC};
    if constexpr (M == ModelKind::TN93) return {0, 1, 2, 3, 4, 5};
}

template <ModelKind M, int N>
double DistanceErrorOf(const LikelihoodOptimumOf<N>& optimum) {
    constexpr std::array<int, kSizeOf<M>> index = TermIndices<M>();
    ModelPoint<M> x;
    Jet<kSizeOf<M>> negativeLnL(-optimum.expansion.value);
    for (int a = 0; a < kSizeOf<M>; ++a) {
        x[a] = optimum.x[index[a]];
        negativeLnL.gradient[a] = -optimum.expansion.gradient[index[a]];
        for (int b = a; b < kSizeOf<M>; ++b)
            negativeLnL.hessian[a][b] = -optimum.expansion.SecondDerivative(index[a], index[b]);
    }
    return ErrorsAtOptimum<M>(negativeLnL, x, FitBox<M>(Criterion::MaxLikelihood)).d;
}

}  // namespace

template <class L>
LikelihoodOptimumOf<L::kSize> MaximiseLikelihood(const LikelihoodTerms& terms,
                                                 const Point<L::kSize>& start,
                                                 const FreeCoordinatesOf<L::kSize>& coordinates) {
    const TermsLikelihood<L> lnL(terms, coordinates.sTiedToV);
    const NegativeLikelihood<L> negative(lnL);
    const BoxMinimum<L::kSize> minimum = MinimiseInBox<L::kSize>(
        negative, start, BoxOf<L>(coordinates), BoxStop::Converged, kClosedInDecrement);
    LikelihoodOptimumOf<L::kSize> optimum;
    optimum.x = minimum.x;
    if (coordinates.sTiedToV) optimum.x[L::kSR] = optimum.x[L::kSY] = optimum.x[L::kV];
    optimum.expansion = -minimum.expansion;
    optimum.converged = minimum.converged;
    return optimum;
}

template LikelihoodOptimumOf<HkyLayout::kSize> MaximiseLikelihood<HkyLayout>(
    const LikelihoodTerms&, const Point<HkyLayout::kSize>&,
    const FreeCoordinatesOf<HkyLayout::kSize>&);
template LikelihoodOptimumOf<TamuraNeiLayout::kSize> MaximiseLikelihood<TamuraNeiLayout>(
    const LikelihoodTerms&, const Point<TamuraNeiLayout::kSize>&,
    const FreeCoordinatesOf<TamuraNeiLayout::kSize>&);

double DistanceError(const LikelihoodOptimum& optimum, ModelKind model) {
    switch (model) {
        case ModelKind::JC69:
            return DistanceErrorOf<ModelKind::JC69>(optimum);
        case ModelKind::F81:
            return DistanceErrorOf<ModelKind::F81>(optimum);
        case ModelKind::K80:
            return DistanceErrorOf<ModelKind::K80>(optimum);
        case ModelKind::HKY85:
            return DistanceErrorOf<ModelKind::HKY85>(optimum);
        default:
            break;
    }
    return std::numeric_limits<double>::quiet_NaN();
}

double DistanceError(const LikelihoodOptimumOf<TamuraNeiLayout::kSize>& optimum) {
    return DistanceErrorOf<ModelKind::TN93>(optimum);
}

}  // namespace dyvern
