#include "distance/formula_pair.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>

#include "distance/formula_bound.h"
#include "distance/packed_pair.h"
#include "distance/plane_counts.h"
#include "estimate/formula_fit.h"
#include "formula/class_evaluation.h"
#include "model/table_checks.h"

namespace dyvern {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

bool DeterminantModel(ModelKind model) {
    return model == ModelKind::LogDet || model == ModelKind::Paralinear;
}

double ErrorOf(const FormulaDistance& form) {
    return form.variance >= 0.0 ? std::sqrt(form.variance) : kNaN;
}

bool Kept(const DistanceOptions& options, double d) { return !options.maxD || d <= *options.maxD; }

// As FitPair gives it: a table that cannot be fitted first, then the form.
PairDistance OfTable(const PairTable& table, ModelKind model, FormulaSettings settings,
                     bool variance) {
    if (TableProblem(table.counts, table.sites))
        return {table.sites, kNaN, kNaN, FitStatus::Unfittable};
    settings.variance = variance;
    const FormulaDistance form = FormulaDistanceOf(model, table.counts, settings);
    return {table.sites, form.d, ErrorOf(form), form.status};
}

// With a bound, the variance only once the pair is known to be kept.
PairDistance OfTable(const PairTable& table, const DistanceOptions& options,
                     const FormulaSettings& settings) {
    const bool variance = options.standardErrors && !options.maxD;
    const PairDistance first = OfTable(table, options.model, settings, variance);
    if (variance || !options.standardErrors || !Kept(options, first.d)) return first;
    return OfTable(table, options.model, settings, true);
}

FormulaPlan PlanOf(const DistanceOptions& options, const FormulaSettings& settings) {
    FormulaPlan plan{options.model, settings, false};
    plan.pairFrequencies =
        UsesFrequencies(plan.model) && plan.settings.origin == FrequencyOrigin::Pair;
    return plan;
}

}  // namespace

FormulaPairs::FormulaPairs(const PackedAlignment& packed, const DistanceOptions& options)
    : packed_(packed), options_(options) {
    plan_ = PlanOf(options_, FormulaSettingsOf(options_.model, options_.fit));
    bounded_ = options_.maxD && BoundedForm(plan_);
    if (bounded_) above_ = ClearlyAbove(*options_.maxD);
}

FormulaPlan FormulaPairs::PlanFor(int first, int second) const {
    if (options_.sequenceCompositions.empty()) return plan_;
    FitOptions fit = options_.fit;
    fit.sequenceFrequencies = {options_.sequenceCompositions[first],
                               options_.sequenceCompositions[second]};
    return PlanOf(options_, FormulaSettingsOf(options_.model, fit));
}

// The differences that `sites` sites may hold with p at most the bound:
// the whole part of above * sites (all of them at a bound of 1 or more,
// none below 0).
std::int64_t FormulaPairs::MostDifferences(std::int64_t sites) const {
    if (above_ < 0.0) return -1;
    if (!(above_ < 1.0)) return sites;
    return static_cast<std::int64_t>(above_ * static_cast<double>(sites));
}

// Whether the pair's differences put it above the bound before its count
// ends: p, over every site that may still come, is below every class
// form's d. Sites with a code that the reading shares out may all come too.
inline bool FormulaPairs::FoundAbove(int first, int second, bool plain, int& sites) const {
    const std::int64_t coded = plain ? 0 : packed_.codedSites(first) + packed_.codedSites(second);
    const std::int64_t most =
        std::min(packed_.plainSites(first), packed_.plainSites(second)) + coded;
    const DifferenceScan scan =
        ScanDifferences(packed_.bitPlanes(first), packed_.bitPlanes(second), packed_.wordCount(),
                        MostDifferences(most), options_.minOverlap);
    sites = static_cast<int>(scan.plain);
    return scan.above;
}

// Most pairs of a bounded list end at the bound: their path is kept short.
PairDistance FormulaPairs::Between(int first, int second) const {
    const bool plain = KindsSuffice(packed_, first, second);
    int sites = 0;
    if (bounded_ && FoundAbove(first, second, plain, sites))
        return {sites, kNaN, kNaN, FitStatus::AboveBound};
    return Counted(first, second, plain);
}

PairDistance FormulaPairs::Counted(int first, int second, bool plain) const {
    const FormulaPlan plan = PlanFor(first, second);
    // The variance at the pair's composition needs the cells, and the
    // determinant forms need them all.
    const bool cells = DeterminantModel(plan.model) ||
                       (plan.pairFrequencies && options_.standardErrors && !options_.maxD);
    if (!plain) return OfTable(CountPackedPair(packed_, first, second), options_, plan.settings);
    if (cells) return OfTable(CountPlainPair(packed_, first, second), options_, plan.settings);
    return OfCounts(plan, first, second);
}

// The pair from its class counts (and its composition, where the form
// reads it) alone.
PairDistance FormulaPairs::OfCounts(const FormulaPlan& plan, int first, int second) const {
    ClassCounts counts;
    AddClasses(packed_.planes(first), packed_.planes(second), 0, packed_.wordCount(),
               plan.pairFrequencies, counts);
    const double n = static_cast<double>(counts.plain);
    const int sites = static_cast<int>(counts.plain);
    const bool variance = options_.standardErrors && !options_.maxD;
    FormulaDistance form = FormulaDistanceOfShares(
        plan.model, FormulaShares(plan.model, counts.classes, n),
        FormulaFrequencies(plan, counts, n), plan.settings.gammaShape, variance);
    const PairDistance result{sites, form.d, ErrorOf(form),
                              sites > 0 ? form.status : FitStatus::Unfittable};
    if (variance || !options_.standardErrors || !Kept(options_, form.d)) return result;
    // A pair kept by the bound: its standard error.
    if (plan.pairFrequencies)
        return OfTable(CountPlainPair(packed_, first, second), plan.model, plan.settings, true);
    form = FormulaDistanceOfShares(plan.model, FormulaShares(plan.model, counts.classes, n),
                                   FormulaFrequencies(plan, counts, n), plan.settings.gammaShape);
    return {sites, form.d, ErrorOf(form), result.status};
}

}  // namespace dyvern
