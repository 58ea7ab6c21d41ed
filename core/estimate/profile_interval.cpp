#include "estimate/profile_interval.h"

#include <cmath>
#include <functional>
#include <limits>

#include "estimate/search_coordinates.h"

namespace dyvern {
namespace {

constexpr double kInfinity = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
// Halvings or doublings of d before giving up on a bracket: the double
// range spans about 2^2100.
constexpr int kMaxScalings = 2100;
constexpr int kMaxRootSteps = 200;
constexpr double kRootTolerance = 1e-13;  // relative, on d

using Drop = std::function<double(double)>;

// The root of drop in [a, b], drop(a) and drop(b) of opposite signs, by
// regula falsi with the Illinois halving of a stale end.
double Crossing(const Drop& drop, double a, double fa, double b, double fb) {
    int staleSide = 0;
    double c = a;
    for (int step = 0; step < kMaxRootSteps; ++step) {
        c = (std::isfinite(fa) && std::isfinite(fb)) ? b - fb * (b - a) / (fb - fa) : 0.5 * (a + b);
        if (!(c > std::fmin(a, b) && c < std::fmax(a, b))) c = 0.5 * (a + b);
        const double fc = drop(c);
        if (fc == 0.0 || std::fabs(b - a) <= kRootTolerance * std::fabs(c)) return c;
        if ((fc > 0.0) == (fb > 0.0)) {
            b = c, fb = fc;
            if (staleSide == -1) fa *= 0.5;
            staleSide = -1;
        } else {
            a = c, fa = fc;
            if (staleSide == 1) fb *= 0.5;
            staleSide = 1;
        }
    }
    return c;
}

// Scales d by `factor` from `inside` (drop < 0) until the drop turns
// positive, then finds the crossing between the last two points.
double ScanAndCross(const Drop& drop, double inside, double first, double factor) {
    double previous = inside;
    double fPrevious = drop(inside);
    double d = first;
    for (int k = 0; k < kMaxScalings && d > 0.0 && std::isfinite(d); ++k, d *= factor) {
        const double f = drop(d);
        if (f > 0.0) return Crossing(drop, previous, fPrevious, d, f);
        previous = d;
        fPrevious = f;
    }
    return kNaN;
}

// A d inside the interval when the maximum is a limit at infinity.
double InsidePoint(const Drop& drop, double start) {
    for (double d = start; std::isfinite(d); d *= 2.0)
        if (drop(d) < 0.0) return d;
    return kNaN;
}

}  // namespace

DistanceProfile::DistanceProfile(const PairData& data, ModelKind model, const Rates<double>& near)
    : data(data), model(model), last(ProfilePoint(near)) {}

double DistanceProfile::LogLikelihoodAt(double d) {
    const auto negativeLnL =
        MakeSmooth([&](const auto& x) { return -LogLikelihood(data, ProfileRates(x, model)); });
    Point start = last;
    start[0] = d;
    const BoxMinimum minimum =
        MinimiseInBox(negativeLnL, start, ProfileBox(model, Criterion::MaxLikelihood));
    if (std::isfinite(minimum.value)) last = minimum.x;
    return -minimum.value;
}

double DistanceProfile::OneChange() const {
    double sum = 0.0;
    for (const auto& row : data.counts)
        for (const double cell : row) sum += cell;
    return 1.0 / sum;
}

DistanceInterval ProfileInterval(DistanceProfile& profile, double dHat, double lnLMax,
                                 double lnLInfinite, double level) {
    const Drop drop = [&](double d) { return 2.0 * (lnLMax - profile.LogLikelihoodAt(d)) - level; };
    const double scale = profile.OneChange();
    const double inside = std::isfinite(dHat) ? dHat : InsidePoint(drop, scale);
    DistanceInterval interval{kNaN, kNaN};
    if (std::isnan(inside)) return interval;
    const bool reachesZero = inside == 0.0 || drop(0.0) <= 0.0;
    interval.low = reachesZero ? 0.0 : ScanAndCross(drop, inside, 0.5 * inside, 0.5);
    interval.high = 2.0 * (lnLMax - lnLInfinite) <= level
                        ? kInfinity
                        : ScanAndCross(drop, inside, inside > 0.0 ? 2.0 * inside : scale, 2.0);
    return interval;
}

}  // namespace dyvern
