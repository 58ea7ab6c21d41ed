#include "distance/distance_rows.h"

#include <algorithm>
#include <cmath>
#include <exception>
#include <limits>
#include <optional>
#include <stdexcept>
#include <string>

#include "distance/formula_pair.h"
#include "distance/packed_pair.h"
#include "distance/plane_counts.h"
#include "distance/row_pipeline.h"
#include "estimate/pair_fit.h"
#include "model/model_family.h"
#include "model/table_checks.h"

namespace dyvern {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

PairDistance Diagonal(const PackedAlignment& packed, int row) {
    const PairTable self = CountPackedPair(packed, row, row);
    if (self.sites == 0)
        return {0, std::numeric_limits<double>::quiet_NaN(),
                std::numeric_limits<double>::quiet_NaN(), FitStatus::Unfittable};
    return {self.sites, 0.0, std::numeric_limits<double>::quiet_NaN(), FitStatus::Identical};
}

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

// The pair's distance before the least overlap is applied.
PairDistance AnyOverlap(const PackedAlignment& packed, const DistanceOptions& options, int first,
                        int second) {
    if (options.criterion == Criterion::Formula && Estimable(options.model, Estimation::Formula))
        return FormulaDistanceBetween(packed, options, first, second);
    const bool byKind = options.model == ModelKind::JC69 || options.model == ModelKind::K80;
    const bool fast = FastPath(options);
    if (byKind && fast && KindsSuffice(packed, first, second)) {
        const DifferenceCounts d =
            CountDifferences(packed.planes(first), packed.planes(second), packed.wordCount());
        return DistanceOfKinds(static_cast<int>(d.plain), static_cast<double>(d.transitions),
                               static_cast<double>(d.transversions), options.model,
                               options.criterion, options.standardErrors);
    }
    const PairTable table = TableOf(packed, first, second);
    if (fast) return DistanceOf(table, options.model, options.criterion, options.standardErrors);
    return FittedDistance(table, options, first, second);
}

}  // namespace

void CheckRowRange(const PackedAlignment& packed, const DistanceOptions& options, int rowBegin,
                   int rowEnd) {
    if (options.threads < 0)
        throw std::invalid_argument("the number of threads must be 0 (all cores) or more, not " +
                                    std::to_string(options.threads));
    const int n = static_cast<int>(packed.size());
    if (rowBegin < 0 || rowEnd < rowBegin || rowEnd > n)
        throw std::invalid_argument("rows " + std::to_string(rowBegin) + " to " +
                                    std::to_string(rowEnd) + " are not within the " +
                                    std::to_string(n) + " sequences");
}

PairDistance DistanceBetween(const PackedAlignment& packed, const DistanceOptions& options, int i,
                             int j) {
    const PairDistance r = AnyOverlap(packed, options, std::min(i, j), std::max(i, j));
    if (r.sites >= options.minOverlap) return r;
    return {r.sites, kNaN, kNaN, FitStatus::TooFewSites};
}

std::vector<PairDistance> DistanceRow(const PackedAlignment& packed, const DistanceOptions& options,
                                      RowShape shape, int row) {
    const int n = static_cast<int>(packed.size());
    std::vector<PairDistance> distances;
    const int first = shape == RowShape::Square ? 0 : row + 1;
    distances.reserve(static_cast<std::size_t>(std::max(0, n - first)));
    for (int j = first; j < n; ++j)
        distances.push_back(j == row ? Diagonal(packed, row)
                                     : DistanceBetween(packed, options, row, j));
    return distances;
}

void ComputeDistanceRows(const PackedAlignment& packed, const DistanceOptions& options,
                         RowShape shape, int rowBegin, int rowEnd, const RowCallback& onRow) {
    CheckRowRange(packed, options, rowBegin, rowEnd);
    RunRowsInOrder<std::vector<PairDistance>>(
        rowBegin, rowEnd, options.threads,
        [&](int row) { return DistanceRow(packed, options, shape, row); },
        [&](int row, std::vector<PairDistance>& distances) { onRow(row, distances); });
}

}  // namespace dyvern
