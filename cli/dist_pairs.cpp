#include "dist_pairs.h"

namespace dyvern::cli {

std::vector<PairDistance> RowDistances(const PackedAlignment& packed,
                                       const DistanceOptions& options, const PairLayout& layout,
                                       int row) {
    if (layout.pairs == RowPairs::Square)
        return DistanceRow(packed, options, RowShape::Square, row);
    if (layout.pairs == RowPairs::Upper)
        return DistanceRow(packed, options, RowShape::UpperTriangle, row);
    std::vector<PairDistance> distances;
    if (layout.pairs == RowPairs::Lower) {
        distances.reserve(static_cast<std::size_t>(row));
        for (int j = 0; j < row; ++j) distances.push_back(DistanceBetween(packed, options, j, row));
        return distances;
    }
    const int n = static_cast<int>(packed.size());
    distances.reserve(static_cast<std::size_t>(n - layout.against));
    for (int j = layout.against; j < n; ++j)
        distances.push_back(DistanceBetween(packed, options, row, j));
    return distances;
}

}  // namespace dyvern::cli
