#include "distance/formula_bound.h"

#include <cmath>
#include <limits>

#include "formula/class_evaluation.h"
#include "model/model_family.h"

namespace dyvern {
namespace {

// d is only called above maxD by this much more, against rounding.
constexpr double kRelativeSlack = 1e-9;
constexpr double kAbsoluteSlack = 1e-12;

bool ByKind(ModelKind model) {
    return model == ModelKind::Raw || model == ModelKind::JC69 || model == ModelKind::K80;
}

}  // namespace

// The forms with settings they cannot take leave every pair unfittable:
// nothing to bound.
bool BoundedForm(const FormulaPlan& plan) {
    const ModelKind m = plan.model;
    return Estimable(m, Estimation::Formula) && m != ModelKind::LogDet &&
           m != ModelKind::Paralinear && !SettingsProblem(m, plan.settings);
}

double ClearlyAbove(double maxD) {
    return std::isfinite(maxD) ? maxD + kRelativeSlack * std::fabs(maxD) + kAbsoluteSlack
                               : std::numeric_limits<double>::quiet_NaN();
}

DifferenceShares FormulaShares(ModelKind model, const std::array<std::int64_t, 4>& classes,
                               double n) {
    if (ByKind(model))
        return SharesByKind(n, static_cast<double>(classes[0] + classes[1]) / n,
                            static_cast<double>(classes[2] + classes[3]) / n);
    DifferenceShares shares;
    shares.sites = n;
    shares.purineTransitions = static_cast<double>(classes[0]) / n;
    shares.pyrimidineTransitions = static_cast<double>(classes[1]) / n;
    shares.weakStrongTransversions = static_cast<double>(classes[2]) / n;
    shares.aminoKetoTransversions = static_cast<double>(classes[3]) / n;
    return shares;
}

std::array<double, 4> FormulaFrequencies(const FormulaPlan& plan, const ClassCounts& counts,
                                         double n) {
    if (!plan.pairFrequencies)
        return plan.settings.origin == FrequencyOrigin::Given
                   ? plan.settings.frequencies
                   : std::array<double, 4>{0.25, 0.25, 0.25, 0.25};
    std::array<double, 4> pi;
    for (int b = 0; b < 4; ++b) pi[b] = static_cast<double>(counts.bases[b]) / (2.0 * n);
    return pi;
}

}  // namespace dyvern
