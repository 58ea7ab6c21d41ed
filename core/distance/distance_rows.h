// Distances of many pairs of a packed alignment, row by row, on threads,
// each finished row handed over in row order. Rows in flight are bounded
// (four per thread), so memory does not grow with the number of pairs.
#pragma once

#include <functional>
#include <vector>

#include "distance/distance_options.h"
#include "distance/packed_alignment.h"
#include "distance/pair_distance.h"

namespace dyvern {

enum class RowShape {
    // Row i holds the pairs (i, j) for j = i + 1 .. n - 1: the rows together
    // are the list of pairs in order, each once.
    UpperTriangle,
    // Row i holds j = 0 .. n - 1; each pair is counted with its smaller index
    // as sequence 1, so the matrix is exactly symmetric. The diagonal is the
    // sequence against itself: d = 0, status identical, or unfittable when
    // the sequence has no site with a base.
    Square,
};

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

// The distance of sequences i and j (i != j), counted with the smaller index
// as sequence 1, as every row holds it.
PairDistance DistanceBetween(const PackedAlignment& packed, const DistanceOptions& options, int i,
                             int j);

// The distances of one row, as ComputeDistanceRows hands it over.
std::vector<PairDistance> DistanceRow(const PackedAlignment& packed, const DistanceOptions& options,
                                      RowShape shape, int row);

}  // namespace dyvern
