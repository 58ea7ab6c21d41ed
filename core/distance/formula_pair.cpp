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

FormulaSettings SettingsFor(const DistanceOptions& options, int first, int second) {
    if (options.sequenceCompositions.empty()) return FormulaSettingsOf(options.model, options.fit);
    FitOptions fit = options.fit;
    fit.sequenceFrequencies = {options.sequenceCompositions[first],
                               options.sequenceCompositions[second]};
    return FormulaSettingsOf(options.model, fit);
}

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

// Whether the pair's differences put it above the bound before its count
// ends: p, over every site that may still come, is below every class
// form's d. Sites with a code that the reading shares out may all come too.
bool FoundAbove(const PackedAlignment& packed, int first, int second,
                const DistanceOptions& options, bool plain, int& sites) {
    const std::int64_t coded = plain ? 0 : packed.codedSites(first) + packed.codedSites(second);
    const DifferenceScan scan =
        ScanDifferences(packed.planes(first), packed.planes(second), packed.wordCount(),
                        packed.plainSitesFrom(first), packed.plainSitesFrom(second),
                        ClearlyAbove(*options.maxD), coded, options.minOverlap);
    sites = static_cast<int>(scan.plain);
    return scan.above;
}

}  // namespace

PairDistance FormulaDistanceBetween(const PackedAlignment& packed, const DistanceOptions& options,
                                    int first, int second) {
    FormulaPlan plan{options.model, SettingsFor(options, first, second), false};
    plan.pairFrequencies =
        UsesFrequencies(plan.model) && plan.settings.origin == FrequencyOrigin::Pair;
    // The variance at the pair's composition needs the cells, and the
    // determinant forms need them all.
    const bool cells = DeterminantModel(plan.model) ||
                       (plan.pairFrequencies && options.standardErrors && !options.maxD);
    const bool plain = KindsSuffice(packed, first, second);
    int sites = 0;
    if (options.maxD && BoundedForm(plan) &&
        FoundAbove(packed, first, second, options, plain, sites))
        return {sites, kNaN, kNaN, FitStatus::AboveBound};
    if (!plain) return OfTable(CountPackedPair(packed, first, second), options, plan.settings);
    if (cells) return OfTable(CountPlainPair(packed, first, second), options, plan.settings);
    ClassCounts counts;
    AddClasses(packed.planes(first), packed.planes(second), 0, packed.wordCount(),
               plan.pairFrequencies, counts);
    const double n = static_cast<double>(counts.plain);
    sites = static_cast<int>(counts.plain);
    const bool variance = options.standardErrors && !options.maxD;
    FormulaDistance form = FormulaDistanceOfShares(
        plan.model, FormulaShares(plan.model, counts.classes, n),
        FormulaFrequencies(plan, counts, n), plan.settings.gammaShape, variance);
    const PairDistance result{sites, form.d, ErrorOf(form),
                              sites > 0 ? form.status : FitStatus::Unfittable};
    if (variance || !options.standardErrors || !Kept(options, form.d)) return result;
    // A pair kept by the bound: its standard error.
    if (plan.pairFrequencies)
        return OfTable(CountPlainPair(packed, first, second), plan.model, plan.settings, true);
    form = FormulaDistanceOfShares(plan.model, FormulaShares(plan.model, counts.classes, n),
                                   FormulaFrequencies(plan, counts, n), plan.settings.gammaShape);
    return {sites, form.d, ErrorOf(form), result.status};
}

}  // namespace dyvern
