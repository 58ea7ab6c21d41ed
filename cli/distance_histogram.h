// The fixed bins dist's summary counts distances in: fine where clusters are
// cut (0.0025 wide up to 0.05), coarser beyond (0.01 wide up to 0.1, 0.1 wide
// up to 1), and one bin for d of 1 or more. Each bin holds its lower bound
// and not its upper one.
#pragma once

namespace dyvern::cli {

inline constexpr int kHistogramBins = 35;

// The bin of a finite d >= 0; -1 for anything else.
int HistogramBin(double d);
// The bounds of bin k; the last bin's upper bound is +infinity.
double BinLower(int k);
double BinUpper(int k);

}  // namespace dyvern::cli
