// How a pair fit ended, in one short word for tables and scripts.
#pragma once

namespace dyvern {

enum class FitStatus {
    // "ok": finite estimates inside the parameter space (a base absent from
    // both sequences may still have its frequency estimated at 0).
    Ok,
    // "identical": no differences at all. d = 0 is the estimate, kappa is not
    // determined (NaN), the standard errors are undefined (NaN) and the
    // likelihood interval of d is [0, upper] with a finite upper end.
    Identical,
    // "no-transversions": transitions but no transversions, with kappa free
    // (K80, HKY85): kappa grows without bound (+inf), bt = 0, d stays finite.
    NoTransversions,
    // "kappa-zero": fewer transitions than even kappa = 0 predicts (K80,
    // HKY85): kappa sits on its lower bound 0; d is finite.
    KappaZero,
    // "saturated": too many differences for the model; the criterion keeps
    // improving as d grows, so there is no finite estimate: d = +inf, and bt,
    // kappa say which rates ran away (+inf) or are not determined (NaN).
    Saturated,
    // "unfittable": the table cannot be fitted (no sites, a negative or
    // non-finite count, no counts); PairFit::problem says which.
    Unfittable,
    // "too-few-sites": fewer sites counted than the least overlap asked for
    // (dist --min-overlap): the pair is given no distance, d = NaN.
    TooFewSites,
    // "above-max-d": a closed form's pair in a list kept by dist --max-d whose
    // share of differing sites alone puts it above the bound (every closed
    // form's d is at least that share), so its count stopped there: d = NaN,
    // and whether it would have saturated is not known.
    AboveBound,
};

// How many statuses there are: AboveBound is the last.
inline constexpr int kFitStatusCount = static_cast<int>(FitStatus::AboveBound) + 1;

// The word of each status, as above.
const char* StatusWord(FitStatus status);

}  // namespace dyvern
