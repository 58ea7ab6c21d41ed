#include "distance_histogram.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>

namespace dyvern::cli {
namespace {

// The bounds divided out of whole numbers, so that each is the double
// nearest its decimal, as a value read from text would be.
std::array<double, kHistogramBins + 1> MakeBounds() {
    std::array<double, kHistogramBins + 1> bounds{};
    int k = 0;
    for (int q = 0; q <= 20; ++q) bounds[k++] = q / 400.0;  // 0 .. 0.05
    for (int q = 6; q <= 10; ++q) bounds[k++] = q / 100.0;  // 0.06 .. 0.1
    for (int q = 2; q <= 10; ++q) bounds[k++] = q / 10.0;   // 0.2 .. 1
    bounds[k] = std::numeric_limits<double>::infinity();
    return bounds;
}

const std::array<double, kHistogramBins + 1>& Bounds() {
    static const std::array<double, kHistogramBins + 1> bounds = MakeBounds();
    return bounds;
}

}  // namespace

int HistogramBin(double d) {
    if (!(d >= 0.0) || !std::isfinite(d)) return -1;
    const auto& bounds = Bounds();
    // The first bound above d closes its bin.
    const auto above = std::upper_bound(bounds.begin(), bounds.end(), d);
    return static_cast<int>(above - bounds.begin()) - 1;
}

double BinLower(int k) { return Bounds()[static_cast<std::size_t>(k)]; }
double BinUpper(int k) { return Bounds()[static_cast<std::size_t>(k) + 1]; }

}  // namespace dyvern::cli
