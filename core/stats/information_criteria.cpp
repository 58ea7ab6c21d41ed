#include "stats/information_criteria.h"

#include <cmath>
#include <limits>

namespace dyvern {

InformationCriteria CriteriaOf(double lnL, int k, double n) {
    const double aic = 2.0 * k - 2.0 * lnL;
    const double room = n - k - 1.0;
    const double aicc =
        room > 0.0 ? aic + 2.0 * k * (k + 1.0) / room : std::numeric_limits<double>::quiet_NaN();
    return {aic, aicc, k * std::log(n) - 2.0 * lnL};
}

}  // namespace dyvern
