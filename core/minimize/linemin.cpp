#include "minimize/linemin.h"

#include <cmath>
#include <utility>

#include "base/stop.h"
#include "minimize/iteration_limit.h"

namespace dyvern {
namespace {

constexpr double kGolden = 1.618034;        // golden ratio, six decimals on purpose
constexpr double kParabolicReach = 100.0;   // farthest parabolic step, in bracket widths
constexpr double kTinyDenominator = 1e-20;  // floor of the parabola's denominator
constexpr int kBrentIterations = 200;
constexpr double kRelativeTolerance = 2.0e-4;  // on the position t
constexpr double kAbsoluteTolerance = 1e-10;
constexpr double kGoldenSection = 0.381966;  // 1 - 1/golden ratio

// |magnitude| with the sign of `sign`, positive when sign >= 0.
double WithSignOf(double magnitude, double sign) {
    return sign >= 0.0 ? std::fabs(magnitude) : -std::fabs(magnitude);
}

}  // namespace

void StopForIterationLimit() {
    FatalStop("Too many iterations in Powell::Run function.", kAbortingLine);
}

LineMin::LineMin(double* point, double* direction, int n, double* minValue, Minimize* objective)
    : objective(objective),
      minValue(minValue),
      n(n),
      point(point),
      direction(direction),
      trial(n > 0 ? n : 0) {}

void LineMin::Run() {
    double ta = 0.0, tb = 1.0, tc, fa, fb, fc, tmin;
    Bracket(ta, tb, tc, fa, fb, fc);
    *minValue = Brent(ta, tb, tc, tmin);
    for (int j = 0; j < n; ++j) {
        direction[j] = direction[j] * tmin;
        point[j] = point[j] + direction[j];
    }
}

double LineMin::ValueAt(double t) {
    for (int j = 0; j < n; ++j) trial[j] = t * direction[j] + point[j];
    return objective->Objective(trial.data(), n);
}

// clang-format off: each shift of the three points reads best on one line.
void LineMin::Bracket(double& ta, double& tb, double& tc, double& fa, double& fb, double& fc) {
    fa = ValueAt(ta);
    fb = ValueAt(tb);
    if (fb > fa) {  // search downhill from ta through tb
        std::swap(ta, tb);
        std::swap(fa, fb);
    }
    tc = tb + kGolden * (tb - ta);
    fc = ValueAt(tc);
    while (fb > fc) {
        // Vertex u of the parabola through (ta, fa), (tb, fb), (tc, fc).
        const double r = (tb - ta) * (fb - fc);
        const double q = (tb - tc) * (fb - fa);
        const double s = WithSignOf(std::fmax(std::fabs(q - r), kTinyDenominator), q - r);
        double u = ((tb + tc) * q - (ta + tb) * r) / (2.0 * s);
        const double ulim = tb + kParabolicReach * (tc - tb);
        double fu;
        if ((tb - u) * (u - tc) > 0.0) {  // u between tb and tc
            fu = ValueAt(u);
            if (fu < fc) {  // minimum between tb and tc
                ta = tb;
                tb = u;
                fa = fb;
                fb = fu;
                return;
            }
            if (fu > fb) {  // minimum between ta and u
                tc = u;
                fc = fu;
                return;
            }
            u = tc + kGolden * (tc - tb);  // the parabola was of no use
            fu = ValueAt(u);
        } else if ((tc - u) * (u - ulim) > 0.0) {  // u between tc and its limit
            fu = ValueAt(u);
            if (fu < fc) {
                tb = tc;
                tc = u;
                u = tc + kGolden * (tc - tb);
                fb = fc;
                fc = fu;
                fu = ValueAt(u);
            }
        } else if ((u - ulim) * (ulim - tc) >= 0.0) {  // u at or beyond its limit
            u = ulim;
            fu = ValueAt(u);
        } else {  // u on the wrong side of tc
            u = tc + kGolden * (tc - tb);
            fu = ValueAt(u);
        }
        ta = tb;
        tb = tc;
        tc = u;
        fa = fb;
        fb = fc;
        fc = fu;
    }
}

double LineMin::Brent(double ta, double tb, double tc, double& tmin) {
    double lo = ta < tc ? ta : tc;  // the minimum lies in [lo, hi]; both only move inwards
    double hi = ta > tc ? ta : tc;
    double x = tb, w = tb, v = tb;  // best point, second best, previous second best
    double fx = ValueAt(tb);
    double fw = fx, fv = fx;
    double e = 0.0;  // the step before the last one
    double d = 0.0;  // the last step
    for (int iteration = 1; iteration <= kBrentIterations; ++iteration) {
        const double xm = 0.5 * (lo + hi);
        const double tol1 = kRelativeTolerance * std::fabs(x) + kAbsoluteTolerance;
        const double tol2 = 2.0 * tol1;
        if (std::fabs(x - xm) <= tol2 - 0.5 * (hi - lo)) {
            tmin = x;
            return fx;
        }
        bool golden = true;
        if (std::fabs(e) > tol1) {  // try a parabola through x, w and v
            const double r = (x - w) * (fx - fv);
            double q = (x - v) * (fx - fw);
            double p = (x - v) * q - (x - w) * r;
            q = 2.0 * (q - r);
            if (q > 0.0) p = -p;
            q = std::fabs(q);
            const double eprev = e;
            e = d;
            // Accept only a step that falls inside the interval and is less
            // than half the step before last, so that the search keeps shrinking.
            if (!(std::fabs(p) >= std::fabs(0.5 * q * eprev) || p <= q * (lo - x) ||
                  p >= q * (hi - x))) {
                golden = false;
                d = p / q;
                const double u = x + d;
                if (u - lo < tol2 || hi - u < tol2) d = WithSignOf(tol1, xm - x);
            }
        }
        if (golden) {  // golden-section step into the larger segment
            e = x >= xm ? lo - x : hi - x;
            d = kGoldenSection * e;
        }
        const double u = std::fabs(d) >= tol1 ? x + d : x + WithSignOf(tol1, d);
        const double fu = ValueAt(u);  // the only evaluation in the iteration
        if (fu <= fx) {                // a tie counts as an improvement
            if (u >= x)
                lo = x;
            else
                hi = x;
            v = w;
            w = x;
            x = u;
            fv = fw;
            fw = fx;
            fx = fu;
        } else {
            if (u < x)
                lo = u;
            else
                hi = u;
            if (fu <= fw || w == x) {
                v = w;
                w = u;
                fv = fw;
                fw = fu;
            } else if (fu <= fv || v == x || v == w) {
                v = u;
                fv = fu;
            }
        }
    }
    StopForIterationLimit();
}
// clang-format on

}  // namespace dyvern
