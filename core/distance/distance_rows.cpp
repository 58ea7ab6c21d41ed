#include "distance/distance_rows.h"

#include <stdexcept>
#include <string>

#include "distance/row_pipeline.h"

namespace dyvern {

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

void ComputeDistanceRows(const PackedAlignment& packed, const DistanceOptions& options,
                         RowShape shape, int rowBegin, int rowEnd, const RowCallback& onRow) {
    CheckRowRange(packed, options, rowBegin, rowEnd);
    const PairDistances pairs(packed, options);
    RunRowsInOrder<std::vector<PairDistance>>(
        rowBegin, rowEnd, options.threads, [&](int row) { return pairs.Row(shape, row); },
        [&](int row, std::vector<PairDistance>& distances) { onRow(row, distances); });
}

}  // namespace dyvern
