// Distances of many pairs of a packed alignment, row by row, on threads,
// each finished row handed over in row order. Rows in flight are bounded
// (four per thread), so memory does not grow with the number of pairs.
#pragma once

#include <functional>
#include <vector>

#include "distance/distance_options.h"
#include "distance/packed_alignment.h"
#include "distance/pair_distance.h"
#include "distance/pair_distances.h"

namespace dyvern {

using RowCallback = std::function<void(int row, const std::vector<PairDistance>& distances)>;

// Calls onRow on the calling thread for each row of [rowBegin, rowEnd) in
// order; the results are the same for every number of threads. Throws
// std::invalid_argument for a negative thread count or rows outside
// [0, size]; an exception from onRow stops the work and is rethrown.
void ComputeDistanceRows(const PackedAlignment& packed, const DistanceOptions& options,
                         RowShape shape, int rowBegin, int rowEnd, const RowCallback& onRow);

// Throws std::invalid_argument, as ComputeDistanceRows does, for a negative
// thread count or rows outside [0, size].
void CheckRowRange(const PackedAlignment& packed, const DistanceOptions& options, int rowBegin,
                   int rowEnd);

}  // namespace dyvern
