#include "stats/chi_square.h"

#include <cmath>

#include "base/stop.h"

namespace dyvern {
namespace {

constexpr int kMaxTerms = 100;
constexpr double kAccuracy = 3e-7;  // relative

}  // namespace

double ChiSquareProb(double x, double df) { return GAMMQ(0.5 * df, 0.5 * x); }

double GAMMQ(double a, double x) {
    // The negated comparisons also catch NaN arguments.
    if (!(x >= 0.0) || !(a > 0.0))
        FatalStop("Error in routine GAMMQ:  Invalid arguments", kAbortedLine);
    // The series converges fast below a + 1, the continued fraction above.
    if (x < a + 1.0) {
        double pser, lng;
        GSER(pser, a, x, lng);
        return 1.0 - pser;
    }
    double qcf, lng;
    GCF(qcf, a, x, lng);
    return qcf;
}

void GSER(double& pser, double a, double x, double& lng) {
    lng = LnGamma(a);
    if (x <= 0.0) {
        if (x < 0.0) FatalStop("Error in routine GSER: x less than 0", kAbortedLine);
        pser = 0.0;
        return;
    }
    double ak = a;
    double term = 1.0 / a;
    double sum = term;
    for (int n = 1; n <= kMaxTerms; ++n) {
        ak += 1.0;
        term *= x / ak;
        sum += term;
        if (std::fabs(term) < std::fabs(sum) * kAccuracy) {
            pser = sum * std::exp(a * std::log(x) - x - lng);
            return;
        }
    }
    FatalStop("Error in routine GSER:  a too large, ITMAX too small", kAbortedLine);
}

void GCF(double& qcf, double a, double x, double& lng) {
    lng = LnGamma(a);
    double gprev = 0.0;         // previous convergent
    double a0 = 1.0, a1 = x;    // numerators of the last two convergents
    double b0 = 0.0, b1 = 1.0;  // denominators of the last two convergents
    double scale = 1.0;         // renormalises the recurrence so its numbers stay bounded
    for (int n = 1; n <= kMaxTerms; ++n) {
        const double m = n;
        const double na = m - a;
        a0 = (a1 + a0 * na) * scale;
        b0 = (b1 + b0 * na) * scale;
        const double nf = m * scale;
        a1 = x * a0 + nf * a1;
        b1 = x * b0 + nf * b1;
        if (a1 != 0.0) {
            scale = 1.0 / a1;
            const double g = b1 * scale;
            if (std::fabs((g - gprev) / g) < kAccuracy) {
                qcf = std::exp(a * std::log(x) - x - lng) * g;
                return;
            }
            gprev = g;
        }
    }
    FatalStop("Error in routine GCF: a too large, ITMAX too small", kAbortedLine);
}

double LnGamma(double x) {
    static constexpr double kCoefficients[6] = {76.18009173,  -86.50532033,  24.01409822,
                                                -1.231739516, 0.00120858003, -0.00000536382};
    double y = x - 1.0;
    double tmp = y + 5.5;
    tmp -= (y + 0.5) * std::log(tmp);
    double series = 1.0;
    for (const double coefficient : kCoefficients) {
        y += 1.0;
        series += coefficient / y;
    }
    return std::log(2.50662827465 * series) - tmp;
}

}  // namespace dyvern
