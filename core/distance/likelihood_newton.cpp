#include "distance/likelihood_newton.h"

#include <limits>

#include "minimize/box_newton.h"

namespace dyvern {
namespace {

constexpr double kInfinity = std::numeric_limits<double>::infinity();

// The expansion along (v, s = v): the chain rule folds s's row into v's.
Jet FoldedOntoV(const Jet& e) {
    Jet out = e;
    out.gradient[kV] += e.gradient[kS];
    out.gradient[kS] = 0.0;
    out.hessian[kV][kV] += 2.0 * e.hessian[kV][kS] + e.hessian[kS][kS];
    for (int j = 0; j < kJetSize; ++j) {
        if (j == kV || j == kS) continue;
        out.hessian[kV][j] += e.hessian[kS][j];
        out.hessian[j][kV] = out.hessian[kV][j];
        out.hessian[kS][j] = out.hessian[j][kS] = 0.0;
    }
    out.hessian[kV][kS] = out.hessian[kS][kV] = out.hessian[kS][kS] = 0.0;
    return out;
}

// lnL of the terms, in the fit coordinates of a model that may tie s to v.
class TermsLikelihood {
public:
    TermsLikelihood(const LikelihoodTerms& terms, bool sTiedToV) : terms(terms), tied(sTiedToV) {}

    double At(Point x) const { return LogLikelihoodAt(terms, Tie(x)); }
    Jet Expansion(const Point& x) const {
        const Jet e = ExpandLogLikelihood(terms, Tie(x));
        return tied ? FoldedOntoV(e) : e;
    }

private:
    Point Tie(Point x) const {
        if (tied) x[kS] = x[kV];
        return x;
    }
    const LikelihoodTerms& terms;
    bool tied;
};

// -lnL, which the box search minimises.
class NegativeLikelihood final : public SmoothFunction {
public:
    explicit NegativeLikelihood(const TermsLikelihood& lnL) : lnL(lnL) {}
    double Value(const Point& x) const override { return -lnL.At(x); }
    Jet Expansion(const Point& x, const FreeMask&) const override { return -lnL.Expansion(x); }

private:
    const TermsLikelihood& lnL;
};

SearchBox BoxOf(const FreeCoordinates& coordinates) {
    SearchBox box;
    box.upper = {kInfinity, kInfinity, 1.0, 1.0, 1.0};
    box.free = coordinates.free;
    if (coordinates.sTiedToV) box.free[kS] = false;
    return box;
}

}  // namespace

LikelihoodOptimum MaximiseLikelihood(const LikelihoodTerms& terms, const Point& start,
                                     const FreeCoordinates& coordinates) {
    const TermsLikelihood lnL(terms, coordinates.sTiedToV);
    const NegativeLikelihood negative(lnL);
    const BoxMinimum minimum = MinimiseInBox(negative, start, BoxOf(coordinates), BoxStop::Converged,
                                                kClosedInDecrement);
    LikelihoodOptimum optimum;
    optimum.x = minimum.x;
    if (coordinates.sTiedToV) optimum.x[kS] = optimum.x[kV];
    optimum.expansion = -minimum.expansion;
    optimum.converged = minimum.converged;
    return optimum;
}

}  // namespace dyvern
