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

std::array<std::int64_t, 4> Plus(std::array<std::int64_t, 4> classes, int c, std::int64_t more) {
    classes[c] += more;
    return classes;
}

bool Saturates(const FormulaPlan& plan, const DifferenceShares& shares,
               const std::array<double, 4>& pi) {
    return FormulaSaturates(plan.model, shares, pi, plan.settings.gammaShape);
}

}  // namespace

// Each log term's argument is affine in the class shares, and moves one
// way as sites are added to the count, so it is least at a corner: the
// counts as they stand, or all the sites left added to one class (one of
// each kind where the form pools them).
bool NeverSaturates(const FormulaPlan& plan, const ClassCounts& c, std::int64_t left) {
    const std::array<double, 4> even{0.25, 0.25, 0.25, 0.25};
    const double n = static_cast<double>(c.plain), most = static_cast<double>(c.plain + left);
    if (c.plain > 0 && Saturates(plan, FormulaShares(plan.model, c.classes, n), even)) return false;
    const int step = ByKind(plan.model) ? 2 : 1;
    for (int k = 0; k < 4; k += step)
        if (Saturates(plan, FormulaShares(plan.model, Plus(c.classes, k, left), most), even))
            return false;
    return true;
}

// The forms that read frequencies are left out: a single class of change
// (purine transitions, against a small piA piG) could saturate them until
// most of a pair is counted, and the looks at that would cost more than
// the counting they spare.
bool BoundedForm(const FormulaPlan& plan) {
    const ModelKind m = plan.model;
    if (!Estimable(m, Estimation::Formula) || UsesFrequencies(m) || m == ModelKind::LogDet ||
        m == ModelKind::Paralinear)
        return false;
    // Settings the form cannot take leave every pair unfittable: nothing to bound.
    const FormulaDistance form = FormulaDistanceOfShares(
        m, SharesByKind(1.0, 0.0, 0.0), {0.25, 0.25, 0.25, 0.25}, plan.settings.gammaShape, false);
    return form.status != FitStatus::Unfittable;
}

double LeastDistance(const ClassCounts& counts, std::int64_t left) {
    const std::int64_t most = counts.plain + left;
    return most > 0 ? static_cast<double>(counts.Differences()) / static_cast<double>(most)
                    : std::numeric_limits<double>::quiet_NaN();
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
