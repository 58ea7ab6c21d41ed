#include "distance/hky_least_squares.h"

#include <cmath>

#include "distance/face_margin.h"
#include "model/substitution_rates.h"

namespace dyvern {
namespace {

constexpr int kMaxIterations = 100;

// Expected transitions at s, and their slope, for e1 = e^-v.
struct Transitions {
    double B, kR, kY, r, y, v, e1, q;
    double At(double s, double& slope) const {
        const double xR = std::expm1(-r * (s - v));
        const double xY = std::expm1(-y * (s - v));
        slope = e1 * (kR * r * (1.0 + xR) + kY * y * (1.0 + xY));
        return B * q - e1 * (kR * xR + kY * xY);
    }
};

}  // namespace

bool MatchingRates(const std::array<double, 4>& pi, double P, double Q, TwoRates& rates) {
    const double r = pi[A] + pi[G], y = pi[C] + pi[T];
    if (!(r > kFaceMargin && y > kFaceMargin)) return false;
    const DistanceWeights<double> w = WeightsOf(pi);
    const double q = Q / w.transversions;  // the share of the transversions' limit
    if (!(q < 1.0 - kFaceMargin)) return false;
    Transitions t{w.transitions(),
                  w.purineTransitions / r,
                  w.pyrimidineTransitions / y,
                  r,
                  y,
                  -std::log1p(-q),
                  1.0 - q,
                  q};
    double slope = 0.0;
    const double atZero = t.At(0.0, slope);
    const double limit = t.B * q + (t.kR + t.kY) * t.e1;
    if (!(P > atZero + kFaceMargin && P < limit - kFaceMargin)) return false;
    // From the left of the root, Newton's steps on a concave increasing
    // function stay left of it and close in monotonically.
    double s = 0.0;
    for (int k = 0; k < kMaxIterations; ++k) {
        const double miss = t.At(s, slope) - P;
        if (!(slope > 0.0)) return false;
        const double next = s - miss / slope;
        if (!(next >= s) || next - s <= 4e-16 * next) {
            rates = {t.v, std::fmax(s, next)};
            return std::isfinite(rates.s);
        }
        s = next;
    }
    return false;
}

}  // namespace dyvern
