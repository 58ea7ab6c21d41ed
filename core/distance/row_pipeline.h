// Rows of work computed on threads and handed over in order, with a bounded
// number of rows finished ahead of the one being handed over.
#pragma once

#include <functional>
#include <vector>

#include "distance/pair_distance.h"

namespace dyvern {

using RowWork = std::function<std::vector<PairDistance>(int row)>;
using RowDelivery = std::function<void(int row, const std::vector<PairDistance>& distances)>;

// `requested`, or every core when it is 0; at least 1. Where the standard
// library has no threads, 1.
int ThreadCount(int requested);

// work(row) on ThreadCount(threads) threads for each row of [begin, end);
// deliver(row, ...) on the calling thread, in row order. The first exception
// from either stops the rest and is rethrown once every thread has ended.
void RunRowsInOrder(int begin, int end, int threads, const RowWork& work,
                    const RowDelivery& deliver);

}  // namespace dyvern
