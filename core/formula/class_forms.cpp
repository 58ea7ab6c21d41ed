#include "formula/class_forms.h"

#include <limits>

namespace dyvern::form_detail {

double RateRatio(double ratio, double transitions, double transversions, bool saturated) {
    if (transversions == 0.0)
        return transitions > 0.0 ? std::numeric_limits<double>::infinity()
                                 : std::numeric_limits<double>::quiet_NaN();
    return saturated ? std::numeric_limits<double>::quiet_NaN() : ratio;
}

}  // namespace dyvern::form_detail
