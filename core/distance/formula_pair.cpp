#include "distance/formula_pair.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>
#include <optional>

#include "distance/formula_bound.h"
#include "distance/packed_pair.h"
#include "estimate/formula_fit.h"
#include "formula/class_evaluation.h"
#include "model/table_checks.h"

namespace dyvern {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
// Words counted between looks at whether d must exceed the bound: a look
// costs a division, and where it succeeds the form's arguments at a few
// corners, worth some dozen words of counting.
constexpr std::size_t kWordsBetweenLooks = 16;
constexpr std::size_t kFewestWordsLeft = 16;

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

// Counts the classes a block of words at a time; the pair's result as soon
// as d must exceed maxD, else nothing, with the whole pair counted. A look
// is a product of counts. Where the pair might yet saturate, the sites left
// are too many, and the next look at that waits till a quarter of them are
// counted. A pair stops only with the least overlap counted, so that its
// status stays what the whole count would give.
std::optional<PairDistance> CountUntilAbove(const PackedAlignment& packed, int first, int second,
                                            const FormulaPlan& plan, const DistanceOptions& options,
                                            ClassCounts& counts) {
    const std::size_t words = packed.wordCount();
    const std::uint64_t *planes1 = packed.planes(first), *planes2 = packed.planes(second);
    const double above = ClearlyAbove(*options.maxD);
    std::int64_t tooMany = std::numeric_limits<std::int64_t>::max();
    std::size_t w = 0;
    for (; w + kWordsBetweenLooks + kFewestWordsLeft <= words; w += kWordsBetweenLooks) {
        AddClasses(planes1, planes2, w, w + kWordsBetweenLooks, plan.pairFrequencies, counts);
        const std::size_t counted = w + kWordsBetweenLooks;
        const std::int64_t left =
            std::min(packed.plainSitesFrom(first, counted), packed.plainSitesFrom(second, counted));
        // p over every site that may still come, against the bound.
        const bool clear = static_cast<double>(counts.Differences()) >
                           above * static_cast<double>(counts.plain + left);
        if (!clear || left > tooMany || counts.plain < options.minOverlap) continue;
        if (NeverSaturates(plan, counts, left))
            return PairDistance{static_cast<int>(counts.plain), LeastDistance(counts, left), kNaN,
                                FitStatus::Ok};
        tooMany = left - left / 4;
    }
    AddClasses(planes1, planes2, w, words, plan.pairFrequencies, counts);
    return std::nullopt;
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
    if (!plain) return OfTable(CountPackedPair(packed, first, second), options, plan.settings);
    if (cells) return OfTable(CountPlainPair(packed, first, second), options, plan.settings);
    ClassCounts counts;
    const bool looks = packed.wordCount() >= kWordsBetweenLooks + kFewestWordsLeft;
    if (options.maxD && looks && BoundedForm(plan)) {
        if (const auto above = CountUntilAbove(packed, first, second, plan, options, counts))
            return *above;
    } else {
        AddClasses(packed.planes(first), packed.planes(second), 0, packed.wordCount(),
                   plan.pairFrequencies, counts);
    }
    const double n = static_cast<double>(counts.plain);
    const int sites = static_cast<int>(counts.plain);
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
