#include "dist_pairs.h"

namespace dyvern::cli {

std::vector<PairDistance> RowDistances(const PairDistances& pairs, const PairLayout& layout,
                                       int row) {
    if (layout.pairs == RowPairs::Square) return pairs.Row(RowShape::Square, row);
    if (layout.pairs == RowPairs::Upper) return pairs.Row(RowShape::UpperTriangle, row);
    std::vector<PairDistance> distances;
    if (layout.pairs == RowPairs::Lower) {
        distances.reserve(static_cast<std::size_t>(row));
        for (int j = 0; j < row; ++j) distances.push_back(pairs.Between(j, row));
        return distances;
    }
    const int n = static_cast<int>(pairs.Packed().size());
    distances.reserve(static_cast<std::size_t>(n - layout.against));
    for (int j = layout.against; j < n; ++j) distances.push_back(pairs.Between(row, j));
    return distances;
}

}  // namespace dyvern::cli
