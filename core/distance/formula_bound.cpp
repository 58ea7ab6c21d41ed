#include "distance/formula_bound.h"

#include <cmath>
#include <limits>

#include "formula/class_evaluation.h"
#include "model/model_family.h"

namespace dyvern {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
// d is only called above maxD by this much more, against rounding.
constexpr double kRelativeSlack = 1e-9;
constexpr double kAbsoluteSlack = 1e-12;
// Below these shares of differences no form is far above p, and d is not
// worth working out yet.
constexpr double kLowShareOfMaxD = 0.5;
constexpr double kSteepShare = 0.25;

bool ByKind(ModelKind model) {
    return model == ModelKind::Raw || model == ModelKind::JC69 || model == ModelKind::K80;
}

bool Clearly(double d, double maxD) {
    return d > maxD + kRelativeSlack * std::fabs(maxD) + kAbsoluteSlack;
}

std::array<std::int64_t, 4> Plus(std::array<std::int64_t, 4> classes, std::int64_t more) {
    for (std::int64_t& x : classes) x += more;
    return classes;
}

FormulaDistance FormAt(const FormulaPlan& plan, const DifferenceShares& shares,
                       const std::array<double, 4>& pi) {
    return FormulaDistanceOfShares(plan.model, shares, pi, plan.settings.gammaShape, false);
}

// With the frequencies fixed, every class form's log terms have positive
// coefficients and arguments that fall as any class share grows (and raw's
// d is the sum of the shares), so d grows with each share: the sites left
// all identical give the least d, and all of every class at once the least
// arguments.
std::optional<PairDistance> FixedFrequenciesAbove(const FormulaPlan& plan, const ClassCounts& c,
                                                  std::int64_t left, double maxD) {
    const double most = static_cast<double>(c.plain + left);
    const double p = static_cast<double>(c.Differences()) / most;
    if (!(p > kLowShareOfMaxD * maxD || p > kSteepShare)) return std::nullopt;
    const std::array<double, 4> pi = FormulaFrequencies(plan, c, most);
    const FormulaDistance least = FormAt(plan, FormulaShares(plan.model, c.classes, most), pi);
    if (least.status == FitStatus::Saturated)
        return PairDistance{static_cast<int>(c.plain), least.d, kNaN, FitStatus::Saturated};
    if (least.status == FitStatus::Unfittable || !Clearly(least.d, maxD)) return std::nullopt;
    const FormulaDistance furthest =
        FormAt(plan, FormulaShares(plan.model, Plus(c.classes, left), most), pi);
    if (furthest.status == FitStatus::Saturated || furthest.status == FitStatus::Unfittable)
        return std::nullopt;
    return PairDistance{static_cast<int>(c.plain), least.d, kNaN, FitStatus::Ok};
}

// TN93 at the pair's composition is at least p, as every class form is (a
// log term -ln w is at least 1 - w, and the coefficients add up so). In
// counts its arguments are 1 - x1 (1/mA + 1/mG) - xQ / (mA + mG), the same
// for the pyrimidines, and 1 - xQ (1/mR + 1/mY), m the bases of both
// sequences together: they fall as differences are added and rise as bases
// are. So the form at the bases counted so far, with every class given all
// the sites left, bounds them from below: no log term can fail if none
// does there.
std::optional<PairDistance> PairCompositionAbove(const FormulaPlan& plan, const ClassCounts& c,
                                                 std::int64_t left, double maxD) {
    const double p = static_cast<double>(c.Differences()) / static_cast<double>(c.plain + left);
    if (!Clearly(p, maxD)) return std::nullopt;
    for (const std::int64_t m : c.bases)
        if (m == 0) return std::nullopt;
    const double n = static_cast<double>(c.plain);
    const FormulaDistance furthest = FormAt(
        plan, FormulaShares(plan.model, Plus(c.classes, left), n), FormulaFrequencies(plan, c, n));
    if (furthest.status == FitStatus::Saturated || furthest.status == FitStatus::Unfittable ||
        furthest.kimuraFallback)
        return std::nullopt;
    return PairDistance{static_cast<int>(c.plain), p, kNaN, FitStatus::Ok};
}

}  // namespace

bool BoundedForm(const FormulaPlan& plan) {
    if (!plan.pairFrequencies)
        return Estimable(plan.model, Estimation::Formula) && plan.model != ModelKind::LogDet &&
               plan.model != ModelKind::Paralinear;
    return plan.model == ModelKind::TN93 && !plan.settings.gammaShape;
}

std::optional<PairDistance> FormulaAbove(const FormulaPlan& plan, const ClassCounts& counts,
                                         std::int64_t left, double maxD) {
    if (!std::isfinite(maxD) || counts.plain + left == 0) return std::nullopt;
    return plan.pairFrequencies ? PairCompositionAbove(plan, counts, left, maxD)
                                : FixedFrequenciesAbove(plan, counts, left, maxD);
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
