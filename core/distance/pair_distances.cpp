#include "distance/pair_distances.h"

#include <algorithm>
#include <limits>

#include "distance/packed_pair.h"
#include "distance/plane_counts.h"
#include "estimate/pair_fit.h"
#include "model/model_family.h"
#include "model/table_checks.h"

namespace dyvern {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// The window's models, fitted as the window fits them, and TN93 and GTR by
// likelihood, with nothing given: their fast paths (pair_distance.h).
bool FastPath(const DistanceOptions& options) {
    const bool model = options.model == ModelKind::TN93 || options.model == ModelKind::GTR
                           ? options.criterion == Criterion::MaxLikelihood
                           : Estimable(options.model, Estimation::LeastSquares) &&
                                 options.criterion != Criterion::Formula;
    return model && options.fit.variation.None() && !options.fit.heldFrequencies &&
           !options.pairFrequencies;
}

// The pair's table, from its plain cells alone where nothing is shared out.
PairTable TableOf(const PackedAlignment& packed, int first, int second) {
    return KindsSuffice(packed, first, second) ? CountPlainPair(packed, first, second)
                                               : CountPackedPair(packed, first, second);
}

// Any model and criterion by the fit of the pair's whole table.
PairDistance FittedDistance(const PairTable& table, const DistanceOptions& options, int first,
                            int second) {
    FitOptions fit = options.fit;
    std::array<double, 4> pi{};
    if (options.pairFrequencies && EmpiricalComposition(table.counts, table.sites, pi))
        fit.heldFrequencies = pi;
    if (!options.sequenceCompositions.empty())
        fit.sequenceFrequencies = {options.sequenceCompositions[first],
                                   options.sequenceCompositions[second]};
    const PairFit f =
        FitPair(table.counts, table.sites, options.model, options.criterion,
                options.standardErrors ? Uncertainty::StandardErrors : Uncertainty::None, fit);
    return {table.sites, f.d, f.seD, f.status};
}

}  // namespace

PairDistances::PairDistances(const PackedAlignment& packed, const DistanceOptions& options)
    : packed_(packed), options_(options) {
    fast_ = FastPath(options);
    byKind_ = options.model == ModelKind::JC69 || options.model == ModelKind::K80;
    if (options.criterion == Criterion::Formula && Estimable(options.model, Estimation::Formula))
        formula_.emplace(packed, options);
}

PairDistance PairDistances::AnyOverlap(int first, int second) const {
    if (formula_) return formula_->Between(first, second);
    if (byKind_ && fast_ && KindsSuffice(packed_, first, second)) {
        const DifferenceCounts d =
            CountDifferences(packed_.planes(first), packed_.planes(second), packed_.wordCount());
        return DistanceOfKinds(static_cast<int>(d.plain), static_cast<double>(d.transitions),
                               static_cast<double>(d.transversions), options_.model,
                               options_.criterion, options_.standardErrors);
    }
    const PairTable table = TableOf(packed_, first, second);
    if (fast_)
        return DistanceOf(table, options_.model, options_.criterion, options_.standardErrors);
    return FittedDistance(table, options_, first, second);
}

PairDistance PairDistances::Between(int i, int j) const {
    const PairDistance r = AnyOverlap(std::min(i, j), std::max(i, j));
    if (r.sites >= options_.minOverlap) return r;
    return {r.sites, kNaN, kNaN, FitStatus::TooFewSites};
}

PairDistance PairDistances::Diagonal(int row) const {
    const PairTable self = CountPackedPair(packed_, row, row);
    if (self.sites == 0) return {0, kNaN, kNaN, FitStatus::Unfittable};
    return {self.sites, 0.0, kNaN, FitStatus::Identical};
}

std::vector<PairDistance> PairDistances::Row(RowShape shape, int row) const {
    const int n = static_cast<int>(packed_.size());
    std::vector<PairDistance> distances;
    const int first = shape == RowShape::Square ? 0 : row + 1;
    distances.reserve(static_cast<std::size_t>(std::max(0, n - first)));
    for (int j = first; j < n; ++j) distances.push_back(j == row ? Diagonal(row) : Between(row, j));
    return distances;
}

}  // namespace dyvern
