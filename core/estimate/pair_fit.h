// Estimates of one model on one pair table by one criterion, with their
// uncertainty and the fit test: the core's statistics for d.
//
// The search of the window's models starts as the window's Solve does
// (Powell's method from bt 0.1, kappa 1 and frequencies 0.25, or under least
// squares the frequencies held at the empirical composition); the others
// start from HKY85's optimum and from rates spread evenly. Newton's method
// with exact derivatives refines them until no step improves the criterion
// in floating point.
// Likelihood uses the counts alone; the declared site count n scales the
// expected table and enters least squares, AICc and BIC.
#pragma once

#include <array>
#include <limits>

#include "estimate/fit_options.h"
#include "model/fit_status.h"
#include "model/divergence.h"
#include "stats/goodness_of_fit.h"

namespace dyvern {

inline constexpr double kNotApplicable = std::numeric_limits<double>::quiet_NaN();

// NaN for what does not apply or is not determined, +inf for what is
// unbounded (see FitStatus).
struct PairFit {
    ModelKind model = ModelKind::JC69;
    Criterion criterion = Criterion::MaxLikelihood;
    FitStatus status = FitStatus::Unfittable;
    const char* problem = "";  // why the table is unfittable, else ""

    double bt = kNotApplicable;     // the window's betat: the transversions' rate times time
    double kappa = kNotApplicable;  // 1 when the model fixes it; F84's own (see the help)
    double kappaR = kNotApplicable;  // TN93: A <-> G transitions against transversions
    double kappaY = kNotApplicable;  // TN93: C <-> T
    double gc = kNotApplicable;      // T92: the share of G + C
    // K81 and GTR: each pair's rate (AC AG AT CG CT GT) against G <-> T's.
    std::array<double, 6> rates{kNotApplicable, kNotApplicable, kNotApplicable,
                                kNotApplicable, kNotApplicable, kNotApplicable};
    std::array<double, 4> pi{kNotApplicable, kNotApplicable, kNotApplicable,
                             kNotApplicable};  // A, C, G, T
    // Rate variation among sites, as given; NaN where there is none.
    double alpha = kNotApplicable;
    double pinv = kNotApplicable;
    // Substitutions per site, 2 sum over pairs of bases of piI piJ times the
    // pair's rate (for HKY85, bt (2 piR piY + 2 kappa (piA piG + piC piT))).
    double d = kNotApplicable;
    double lnL = kNotApplicable;  // at the estimates, whichever criterion was fitted
    double ss = kNotApplicable;
    GoodnessOfFit gof;  // observed against JointProbability x n, as the report tests it
    int df = 0;         // of the fit test
    int k = 0;          // free parameters under likelihood

    // Under likelihood only.
    double seD = kNotApplicable;  // observed information and the delta method
    double seKappa = kNotApplicable;
    double dLow = kNotApplicable;  // 95% profile-likelihood interval of d
    double dHigh = kNotApplicable;
    double aic = kNotApplicable;
    double aicc = kNotApplicable;
    double bic = kNotApplicable;

    bool converged = false;  // the search ended with a zero gradient
};

// How much of the uncertainty of a likelihood fit to compute. The profile
// interval costs more than the fit itself, and the standard errors a little:
// a caller that prints neither leaves them out (as NaN); the estimates, lnL
// and the information criteria are the same bits either way.
enum class Uncertainty { Full, StandardErrors, None };

PairFit FitPair(const DivergenceCounts& counts, int siteCount, ModelKind model, Criterion criterion,
                Uncertainty uncertainty = Uncertainty::Full, const FitOptions& options = {});

}  // namespace dyvern
