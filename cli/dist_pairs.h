// The pairs dist computes, row by row: each row of the square matrix, of the
// lower triangle, of the list of pairs (each pair once, the earlier sequence
// first), or of one alignment's sequences against another's.
#pragma once

#include <vector>

#include "distance/distance_rows.h"

namespace dyvern::cli {

enum class RowPairs {
    Square,   // row i: every sequence j, the diagonal included
    Lower,    // row i: j = 0 .. i - 1, each pair (j, i)
    Upper,    // row i: j = i + 1 .. n - 1, each pair (i, j)
    Against,  // row i of the first `against` sequences: j = against .. n - 1
};

struct PairLayout {
    RowPairs pairs = RowPairs::Square;
    int against = 0;  // Against: the first alignment's sequences
};

// The distances of one row, in the order of its pairs.
std::vector<PairDistance> RowDistances(const PairDistances& pairs, const PairLayout& layout,
                                       int row);

}  // namespace dyvern::cli
