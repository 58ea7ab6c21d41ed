#include "distance/distance_rows.h"

#include <algorithm>
#include <exception>
#include <limits>
#include <stdexcept>
#include <string>

#include "distance/packed_pair.h"
#include "distance/plane_counts.h"
#include "distance/row_pipeline.h"

namespace dyvern {
namespace {

PairDistance Diagonal(const PackedAlignment& packed, const DistanceOptions& options, int row) {
    const PairTable self = CountPackedPair(packed, row, row, options.ambiguity);
    if (self.sites == 0)
        return {0, std::numeric_limits<double>::quiet_NaN(),
                std::numeric_limits<double>::quiet_NaN(), FitStatus::Unfittable};
    return {self.sites, 0.0, std::numeric_limits<double>::quiet_NaN(), FitStatus::Identical};
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
    const bool byKind = options.model == ModelKind::JC69 || options.model == ModelKind::K80;
    if (byKind && KindsSuffice(packed, first, second, options.ambiguity)) {
        const DifferenceCounts d =
            CountDifferences(packed.planes(first), packed.planes(second), packed.wordCount());
        return DistanceOfKinds(static_cast<int>(d.plain), static_cast<double>(d.transitions),
                               static_cast<double>(d.transversions), options.model,
                               options.criterion);
    }
    return DistanceOf(CountPackedPair(packed, first, second, options.ambiguity), options.model,
                      options.criterion);
}

std::vector<PairDistance> DistanceRow(const PackedAlignment& packed, const DistanceOptions& options,
                                      RowShape shape, int row) {
    const int n = static_cast<int>(packed.size());
    std::vector<PairDistance> distances;
    const int first = shape == RowShape::Square ? 0 : row + 1;
    distances.reserve(static_cast<std::size_t>(std::max(0, n - first)));
    for (int j = first; j < n; ++j)
        distances.push_back(j == row ? Diagonal(packed, options, row)
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
