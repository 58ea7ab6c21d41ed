// The least-squares rates of HKY85 with the frequencies held: v makes the
// expected transversions those observed, and s, found by Newton's method on
// a function that is increasing and concave in it, makes the transitions so.
// Also the start of the likelihood fit.
#pragma once

#include <array>

namespace dyvern {

struct TwoRates {
    double v = 0.0;
    double s = 0.0;
};

// P and Q are the shares of transitions and transversions. False where no
// rates match them inside the box away from its faces (too many changes of
// either kind, fewer transitions than s = 0 gives, a class of bases absent).
bool MatchingRates(const std::array<double, 4>& pi, double P, double Q, TwoRates& rates);

}  // namespace dyvern
