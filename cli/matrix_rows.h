// The rows of dist's PHYLIP matrix with each pair computed and formatted
// once: every row keeps the numbers right of its diagonal, and the rows
// below copy their left parts from them. That costs memory in the number of
// pairs, so it is done while they fit, and rows are computed in full beyond.
#pragma once

#include <functional>

#include "dist_rows.h"

namespace dyvern::cli {

// Whether the rows [rowBegin, rowEnd) of a matrix of `size` sequences are
// few enough to keep.
bool MatrixKeepsPairs(int size, int rowBegin, int rowEnd);

// The rows of FormatRows for a matrix, in row order, the same bytes.
void FormatMatrixRows(const PairDistances& pairs, const DistRowFormatter& formatter, int rowBegin,
                      int rowEnd, const std::function<void(RowText&&)>& take);

}  // namespace dyvern::cli
