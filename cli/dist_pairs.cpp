#include "dist_pairs.h"

#include <limits>

namespace dyvern::cli {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

std::vector<PairDistance> EngineRow(const PackedAlignment& packed, const DistanceOptions& options,
                                    const PairLayout& layout, int row) {
    const bool square = layout.pairs == RowPairs::Square;
    std::vector<PairDistance> distances =
        DistanceRow(packed, options, square ? RowShape::Square : RowShape::UpperTriangle, row);
    const int first = square ? 0 : row + 1;
    for (std::size_t k = 0; k < distances.size(); ++k)
        if (first + static_cast<int>(k) != row) ApplyMinOverlap(distances[k], layout.minOverlap);
    return distances;
}

}  // namespace

void ApplyMinOverlap(PairDistance& r, int minOverlap) {
    if (r.sites < minOverlap) r = {r.sites, kNaN, kNaN, FitStatus::TooFewSites};
}

PairDistance LimitedDistance(const PackedAlignment& packed, const DistanceOptions& options,
                             int minOverlap, int i, int j) {
    PairDistance r = DistanceBetween(packed, options, i, j);
    ApplyMinOverlap(r, minOverlap);
    return r;
}

std::vector<PairDistance> RowDistances(const PackedAlignment& packed,
                                       const DistanceOptions& options, const PairLayout& layout,
                                       int row) {
    if (layout.pairs == RowPairs::Square || layout.pairs == RowPairs::Upper)
        return EngineRow(packed, options, layout, row);
    std::vector<PairDistance> distances;
    if (layout.pairs == RowPairs::Lower) {
        distances.reserve(static_cast<std::size_t>(row));
        for (int j = 0; j < row; ++j)
            distances.push_back(LimitedDistance(packed, options, layout.minOverlap, j, row));
        return distances;
    }
    const int n = static_cast<int>(packed.size());
    distances.reserve(static_cast<std::size_t>(n - layout.against));
    for (int j = layout.against; j < n; ++j)
        distances.push_back(LimitedDistance(packed, options, layout.minOverlap, row, j));
    return distances;
}

}  // namespace dyvern::cli
