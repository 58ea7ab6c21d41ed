#include "estimate/window_start.h"

#include <cmath>

#include "solve/powell_fit.h"
#include "model/hkymodel.h"

namespace dyvern {

Rates<double> WindowStart(const PairData& data, ModelKind model, Criterion criterion,
                          const std::array<double, 4>& pi) {
    ParameterValues start = kStartValues;  // the window's bt and kappa
    start.piA = pi[A];
    start.piC = pi[C];
    start.piG = pi[G];
    const Rates<double> unmoved = RatesOf(start.betat, start.kappa, pi);
    const double piT = 1.0 - pi[A] - pi[C] - pi[G];
    if (!(piT > 0.0 && piT < 1.0)) return unmoved;
    FitTarget target;
    target.modelKind = model;
    target.criterion = criterion;
    target.siteCount = static_cast<int>(data.siteCount);
    target.observed = data.counts;
    HKYModel atStart(target, start.betat, start.kappa, start.piA, start.piC, start.piG);
    if (!std::isfinite(atStart.CriterionValue())) return unmoved;
    const ParameterValues p = FitModel(target, start).estimates;
    return RatesOf(p.betat, p.kappa, {p.piA, p.piC, p.piG, 1.0 - p.piA - p.piC - p.piG});
}

}  // namespace dyvern
