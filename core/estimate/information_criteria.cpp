#include "estimate/information_criteria.h"

#include <cmath>
#include <limits>

namespace dyvern {

int FreeParameterCount(ModelKind model) {
    switch (model) {
        case ModelKind::JC69:
            return 1;
        case ModelKind::F81:
            return 4;
        case ModelKind::K80:
            return 2;
        case ModelKind::HKY85:
            return 5;
    }
    return 0;
}

InformationCriteria CriteriaOf(double lnL, int k, double n) {
    const double aic = 2.0 * k - 2.0 * lnL;
    const double room = n - k - 1.0;
    const double aicc =
        room > 0.0 ? aic + 2.0 * k * (k + 1.0) / room : std::numeric_limits<double>::quiet_NaN();
    return {aic, aicc, k * std::log(n) - 2.0 * lnL};
}

}  // namespace dyvern
