#include "stats/incomplete_gamma_inverse.h"

#include <cmath>
#include <limits>

#include "stats/incomplete_gamma.h"
#include "stats/log_gamma.h"

namespace dyvern {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInfinity = std::numeric_limits<double>::infinity();
constexpr double kEpsilon = std::numeric_limits<double>::epsilon();
constexpr int kMaxSteps = 200;
// How far a step goes when the bracket has only one end.
constexpr double kOpenBracketFactor = 16.0;

// The tail to match, P (rising in x) or Q (falling), to a target <= 1/2,
// the smaller of the two, whose relative accuracy is the one worth matching.
struct Goal {
    double a;
    double target;
    bool upper;
};

// Where the root is known to lie: lo below it, hi above (0 and inf at first).
struct Bracket {
    double lo = 0.0;
    double hi = kInfinity;
};

// The standard normal quantile for p <= 1/2 to 5e-4 (Abramowitz and Stegun
// 26.2.23): enough for a start.
double RoughNormalQuantile(double p) {
    const double t = std::sqrt(-2.0 * std::log(p));
    const double numerator = 2.515517 + t * (0.802853 + t * 0.010328);
    const double denominator = 1.0 + t * (1.432788 + t * (0.189269 + t * 0.001308));
    return numerator / denominator - t;
}

// For a >= 1 Wilson and Hilferty's cube (a gamma variable's cube root is
// nearly normal); else P ~ x^a / Gamma(a + 1), solved for x, or far in the
// upper tail Q ~ x^(a - 1) e^-x / Gamma(a), solved once by substitution.
double StartingPoint(const Goal& goal) {
    const double a = goal.a;
    const double p = goal.upper ? 1.0 - goal.target : goal.target;
    const double lower = std::exp((std::log(p) + LogGamma(a + 1.0)) / a);
    if (a >= 1.0) {
        const double z = goal.upper ? -RoughNormalQuantile(goal.target) : RoughNormalQuantile(p);
        const double c = 1.0 / (9.0 * a);
        const double cube = 1.0 - c + z * std::sqrt(c);
        return cube > 0.0 ? std::fmax(a * cube * cube * cube, lower) : lower;
    }
    const double far = -std::log(goal.target) - LogGamma(a);
    if (!goal.upper || far < 1.0) return lower;
    return far + (a - 1.0) * std::log(far);
}

// A start the steps can leave: positive and finite (the lower bound
// underflows for small shapes and small p).
double ClampedStart(const Goal& goal) {
    return std::fmin(std::fmax(StartingPoint(goal), std::numeric_limits<double>::min()),
                     std::numeric_limits<double>::max());
}

// ln(b / c) for positive b and c, to its last digit when b and c are
// close: ln b - ln c would round each log at 1e-13 when they are near 1e-300.
double LogRatio(double b, double c) {
    const double ratio = b / c;
    if (ratio > 0.0 && !std::isinf(ratio)) return std::log(ratio);
    return std::log(b) - std::log(c);
}

// One step in u = ln x towards the root of ln(tail) = ln(target), with the
// bracket narrowed by what the tail at x says. ln P and ln Q are concave in
// u (the log of a gamma variable has a log-concave density), so Newton's
// steps approach the root from one side; Halley's correction speeds the
// last ones. NaN when the tail gives no usable step.
double StepInLog(const Goal& goal, double x, Bracket& bracket) {
    const GammaRatios ratios = IncompleteGammaRatios(goal.a, x);
    const double tail = goal.upper ? ratios.q : ratios.p;
    const bool belowRoot = goal.upper ? tail > goal.target : tail < goal.target;
    (belowRoot ? bracket.lo : bracket.hi) = x;
    if (!(tail > 0.0)) return kNaN;
    // d ln(tail) / du, and its own derivative over it: a - x - slope.
    const double slope = (goal.upper ? -1.0 : 1.0) * IncompleteGammaPrefactor(goal.a, x) / tail;
    const double newton = LogRatio(goal.target, tail) / slope;
    const double correction = 0.5 * newton * (goal.a - x - slope);
    return std::fabs(correction) < 0.5 ? newton / (1.0 + correction) : newton;
}

// The next x: the step's, if it stays in the bracket (a last step may
// round to an end); else the bracket's geometric middle, or a fixed factor
// towards its open end.
double NextPoint(double x, double step, const Bracket& bracket) {
    const double stepped = x * std::exp(step);
    const bool inBracket = stepped >= bracket.lo && stepped <= bracket.hi;
    if (stepped > 0.0 && std::isfinite(stepped) && inBracket) return stepped;
    if (bracket.lo == 0.0) return bracket.hi / kOpenBracketFactor;
    if (std::isinf(bracket.hi)) return bracket.lo * kOpenBracketFactor;
    return std::sqrt(bracket.lo) * std::sqrt(bracket.hi);
}

// Steps until they reach rounding (1e-15 of x) or stop shrinking, which
// they do only once the tail's own rounding is all that moves them; 0 when
// the root lies below the smallest double.
double Solve(const Goal& goal) {
    double x = ClampedStart(goal);
    Bracket bracket;
    double previous = kInfinity;
    for (int i = 0; i < kMaxSteps; ++i) {
        const double step = StepInLog(goal, x, bracket);
        x = NextPoint(x, step, bracket);
        if (x == 0.0) break;
        const double size = std::fabs(step);
        if (size <= 4.0 * kEpsilon || (size < 1e-9 && size > 0.5 * previous)) break;
        if (bracket.hi - bracket.lo <= 4.0 * kEpsilon * bracket.lo) break;
        if (std::isfinite(step)) previous = size;
    }
    return x;
}

bool ValidShape(double a) { return a > 0.0 && !std::isinf(a); }

}  // namespace

double InverseRegularizedGammaP(double a, double p) {
    if (!ValidShape(a) || !(p >= 0.0 && p <= 1.0)) return kNaN;
    if (p == 0.0) return 0.0;
    if (p == 1.0) return kInfinity;
    return p <= 0.5 ? Solve({a, p, false}) : Solve({a, 1.0 - p, true});
}

double InverseRegularizedGammaQ(double a, double q) {
    if (!ValidShape(a) || !(q >= 0.0 && q <= 1.0)) return kNaN;
    if (q == 0.0) return kInfinity;
    if (q == 1.0) return 0.0;
    return q <= 0.5 ? Solve({a, q, true}) : Solve({a, 1.0 - q, false});
}

}  // namespace dyvern
