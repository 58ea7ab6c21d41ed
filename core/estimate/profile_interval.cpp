#include "estimate/profile_interval.h"

#include <cmath>
#include <functional>
#include <limits>


namespace dyvern {
namespace {

constexpr double kInfinity = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
// Halvings or doublings of d before giving up on a bracket: the double
// range spans about 2^2100.
constexpr int kMaxScalings = 2100;
constexpr int kMaxRootSteps = 200;
constexpr double kRootTolerance = 1e-13;  // relative, on d
// First trials at these many standard errors from the estimate: the upper
// end of a distance's interval lies farther out than the lower one.
constexpr double kFirstLowTrial = 2.0;
constexpr double kFirstHighTrial = 2.5;

// 2 (lnL max - profile lnL) - level at d, and its slope in d.
struct DropPoint {
    double d;
    double f;
    double slope;
};
using Drop = std::function<DropPoint(double)>;

// The next trial between `in` (f < 0) and `out` (f > 0): Newton's step from
// the last point when it lands strictly inside, else the secant of the
// bracket, else its middle.
double NextTrial(const DropPoint& last, const DropPoint& in, const DropPoint& out) {
    const double lo = std::fmin(in.d, out.d), hi = std::fmax(in.d, out.d);
    const auto inside = [&](double d) { return d > lo && d < hi; };
    const double newton = last.d - last.f / last.slope;
    if (std::isfinite(newton) && inside(newton)) return newton;
    const double secant = out.d - out.f * (out.d - in.d) / (out.f - in.f);
    if (std::isfinite(secant) && inside(secant)) return secant;
    return 0.5 * (lo + hi);
}

// The root of the drop between in and out by safeguarded Newton steps.
double Crossing(const Drop& drop, DropPoint in, DropPoint out) {
    DropPoint last = std::fabs(in.f) < std::fabs(out.f) ? in : out;
    for (int step = 0; step < kMaxRootSteps; ++step) {
        const double d = NextTrial(last, in, out);
        const DropPoint p = drop(d);
        if (p.f == 0.0 || std::fabs(d - last.d) <= kRootTolerance * std::fabs(d) ||
            std::fabs(out.d - in.d) <= kRootTolerance * std::fabs(d))
            return d;
        (p.f < 0.0 ? in : out) = p;
        last = p;
    }
    return last.d;
}

// Scales d by `factor` from `first` until the drop turns positive, then
// finds the crossing between that point and the last inside one.
double ScanAndCross(const Drop& drop, DropPoint inside, double first, double factor) {
    double d = first;
    for (int k = 0; k < kMaxScalings && d > 0.0 && std::isfinite(d); ++k, d *= factor) {
        const DropPoint p = drop(d);
        if (p.f > 0.0) return Crossing(drop, inside, p);
        inside = p;
    }
    return kNaN;
}

// A d inside the interval when the maximum is a limit at infinity.
double InsidePoint(const Drop& drop, double start) {
    for (double d = start; std::isfinite(d); d *= 2.0)
        if (drop(d).f < 0.0) return d;
    return kNaN;
}

}  // namespace

double DistanceProfile::OneChange() const {
    double sum = 0.0;
    for (const auto& row : data.counts)
        for (const double cell : row) sum += cell;
    return 1.0 / sum;
}

DistanceInterval ProfileInterval(DistanceProfile& profile, double dHat, double seD,
                                 double lnLMax, double lnLInfinite, double level) {
    const Drop drop = [&](double d) {
        const double f = 2.0 * (lnLMax - profile.LogLikelihoodAt(d)) - level;
        return DropPoint{d, f, -2.0 * profile.Slope()};
    };
    const double scale = profile.OneChange();
    const double inside = std::isfinite(dHat) ? dHat : InsidePoint(drop, scale);
    DistanceInterval interval{kNaN, kNaN};
    if (std::isnan(inside)) return interval;
    const bool reachesZero = inside == 0.0 || drop(0.0).f <= 0.0;
    // At the estimate the profile is the maximum itself, with a flat slope.
    const DropPoint centre = inside == dHat ? DropPoint{dHat, -level, 0.0} : drop(inside);
    const bool guided = std::isfinite(seD) && seD > 0.0 && inside == dHat;
    const double lowTrial = inside - kFirstLowTrial * seD;
    const double firstLow = guided && lowTrial > 0.0 ? lowTrial : 0.5 * inside;
    const double firstHigh =
        guided ? inside + kFirstHighTrial * seD : (inside > 0.0 ? 2.0 * inside : scale);
    interval.low = reachesZero ? 0.0 : ScanAndCross(drop, centre, firstLow, 0.5);
    interval.high = 2.0 * (lnLMax - lnLInfinite) <= level
                        ? kInfinity
                        : ScanAndCross(drop, centre, firstHigh, 2.0);
    return interval;
}

}  // namespace dyvern
