#include "distance/distance_rows.h"

#include <algorithm>
#include <exception>
#include <limits>
#include <stdexcept>
#include <string>

#include "distance/packed_pair.h"
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

PairDistance Between(const PackedAlignment& packed, const DistanceOptions& options, int i, int j) {
    const int first = std::min(i, j), second = std::max(i, j);
    const bool byKind = options.model == ModelKind::JC69 || options.model == ModelKind::K80;
    const PairTable table = byKind && KindsSuffice(packed, first, second, options.ambiguity)
                                ? CountPackedKinds(packed, first, second, options.ambiguity)
                                : CountPackedPair(packed, first, second, options.ambiguity);
    return DistanceOf(table, options.model, options.criterion);
}

void CheckArguments(const PackedAlignment& packed, const DistanceOptions& options, int rowBegin,
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

}  // namespace

std::vector<PairDistance> DistanceRow(const PackedAlignment& packed, const DistanceOptions& options,
                                      RowShape shape, int row) {
    const int n = static_cast<int>(packed.size());
    std::vector<PairDistance> distances;
    const int first = shape == RowShape::Square ? 0 : row + 1;
    distances.reserve(static_cast<std::size_t>(std::max(0, n - first)));
    for (int j = first; j < n; ++j)
        distances.push_back(j == row ? Diagonal(packed, options, row)
                                     : Between(packed, options, row, j));
    return distances;
}

void ComputeDistanceRows(const PackedAlignment& packed, const DistanceOptions& options,
                         RowShape shape, int rowBegin, int rowEnd, const RowCallback& onRow) {
    CheckArguments(packed, options, rowBegin, rowEnd);
    RunRowsInOrder(
        rowBegin, rowEnd, options.threads,
        [&](int row) { return DistanceRow(packed, options, shape, row); }, onRow);
}

}  // namespace dyvern
