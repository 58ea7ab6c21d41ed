// Akaike's and Schwarz's criteria of a likelihood fit.
#pragma once

namespace dyvern {

// AIC = 2k - 2 lnL; AICc = AIC + 2k(k + 1)/(n - k - 1), NaN unless n - k - 1 > 0;
// BIC = k ln n - 2 lnL.
struct InformationCriteria {
    double aic;
    double aicc;
    double bic;
};
InformationCriteria CriteriaOf(double lnL, int k, double n);

}  // namespace dyvern
