#include "distance/likelihood_newton.h"

#include <limits>

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
class TermsLikelihood {
public:
    TermsLikelihood(const LikelihoodTerms& terms, bool sTiedToV) : terms(terms), tied(sTiedToV) {}

    double At(TermPoint x) const { return LogLikelihoodAt(terms, Tie(x)); }
    TermJet Expansion(const TermPoint& x) const {
        const TermJet e = ExpandLogLikelihood(terms, Tie(x));
        return tied ? FoldedOntoV(e) : e;
    }

private:
    TermPoint Tie(TermPoint x) const {
        if (tied) x[kS] = x[kV];
        return x;
    }
    const LikelihoodTerms& terms;
    bool tied;
};

// -lnL, which the box search minimises.
class NegativeLikelihood final : public SmoothFunction<kTermCoordinates> {
public:
    explicit NegativeLikelihood(const TermsLikelihood& lnL) : lnL(lnL) {}
    double Value(const TermPoint& x) const override { return -lnL.At(x); }
    TermJet Expansion(const TermPoint& x, const FreeMask<kTermCoordinates>&) const override {
        return -lnL.Expansion(x);
    }

private:
    const TermsLikelihood& lnL;
};

SearchBox<kTermCoordinates> BoxOf(const FreeCoordinates& coordinates) {
    SearchBox<kTermCoordinates> box;
    box.upper = {kInfinity, kInfinity, 1.0, 1.0, 1.0};
    box.free = coordinates.free;
    if (coordinates.sTiedToV) box.free[kS] = false;
    return box;
}

// Which of the terms' coordinates are model M's, in order.
template <ModelKind M>
constexpr std::array<int, kSizeOf<M>> TermIndices() {
    if constexpr (M == ModelKind::JC69) return {kV};
    if constexpr (M == ModelKind::F81) return {kV, kR, kShareA, kShareC};
    if constexpr (M == ModelKind::K80) return {kV, kS};
    if constexpr (M == ModelKind::HKY85) return {kV, kS, kR, kShareA, kShareC};
}

template <ModelKind M>
double DistanceErrorOf(const LikelihoodOptimum& optimum) {
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

LikelihoodOptimum MaximiseLikelihood(const LikelihoodTerms& terms, const TermPoint& start,
                                     const FreeCoordinates& coordinates) {
    const TermsLikelihood lnL(terms, coordinates.sTiedToV);
    const NegativeLikelihood negative(lnL);
    const BoxMinimum<kTermCoordinates> minimum = MinimiseInBox<kTermCoordinates>(
        negative, start, BoxOf(coordinates), BoxStop::Converged, kClosedInDecrement);
    LikelihoodOptimum optimum;
    optimum.x = minimum.x;
    if (coordinates.sTiedToV) optimum.x[kS] = optimum.x[kV];
    optimum.expansion = -minimum.expansion;
    optimum.converged = minimum.converged;
    return optimum;
}

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

}  // namespace dyvern
