#include "distance/distance_rows.h"

#include <algorithm>
#include <cmath>
#include <exception>
#include <limits>
#include <optional>
#include <stdexcept>
#include <string>

#include "distance/packed_pair.h"
#include "distance/plane_counts.h"
#include "distance/row_pipeline.h"
#include "estimate/pair_fit.h"
#include "formula/formula_distance.h"
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

// The window's models, fitted as the window fits them: their fast paths.
bool WindowFastPath(const DistanceOptions& options) {
    return Estimable(options.model, Estimation::LeastSquares) &&
           options.criterion != Criterion::Formula && options.fit.variation.None() &&
           !options.fit.heldFrequencies && !options.pairFrequencies;
}

PairDistance FormulaDistanceOfKinds(const DifferenceCounts& d, const DistanceOptions& options) {
    const double n = static_cast<double>(d.plain);
    std::optional<double> gamma;
    if (std::isfinite(options.fit.variation.alpha)) gamma = options.fit.variation.alpha;
    const FormulaDistance form =
        FormulaDistanceOfShares(options.model,
                                SharesByKind(n, static_cast<double>(d.transitions) / n,
                                             static_cast<double>(d.transversions) / n),
                                {0.25, 0.25, 0.25, 0.25}, gamma);
    const double se = form.variance >= 0.0 ? std::sqrt(form.variance) : kNaN;
    return {static_cast<int>(d.plain), form.d, se,
            d.plain > 0 ? form.status : FitStatus::Unfittable};
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
    const PairFit f = FitPair(table.counts, table.sites, options.model, options.criterion,
                              Uncertainty::StandardErrors, fit);
    return {table.sites, f.d, f.seD, f.status};
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
    const int first = std::min(i, j), second = std::max(i, j);
    const bool byKind = options.model == ModelKind::JC69 || options.model == ModelKind::K80 ||
                        options.model == ModelKind::Raw;
    const bool kinds = byKind && KindsSuffice(packed, first, second);
    if (kinds && (WindowFastPath(options) || options.criterion == Criterion::Formula)) {
        const DifferenceCounts d =
            CountDifferences(packed.planes(first), packed.planes(second), packed.wordCount());
        if (options.criterion == Criterion::Formula) return FormulaDistanceOfKinds(d, options);
        return DistanceOfKinds(static_cast<int>(d.plain), static_cast<double>(d.transitions),
                               static_cast<double>(d.transversions), options.model,
                               options.criterion);
    }
    const PairTable table = CountPackedPair(packed, first, second);
    if (WindowFastPath(options)) return DistanceOf(table, options.model, options.criterion);
    return FittedDistance(table, options, first, second);
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
