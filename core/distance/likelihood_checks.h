// What the fast likelihood paths check before they take an optimum as the
// full fit's: the table's totals, the limit where every rate is infinite,
// and the distance from the box's faces.
#pragma once

#include <array>
#include <limits>

#include "distance/face_margin.h"
#include "distance/likelihood_newton.h"
#include "model/divergence.h"

namespace dyvern {

// Rates this large are left to the full fit, as are coordinates near a face.
inline constexpr double kLargestRate = 30.0;

struct Totals {
    double transitions = 0.0;
    double transversions = 0.0;
    double cells = 0.0;
    std::array<double, 4> bases{};  // row plus column sums
};

// Cell by cell in a fixed order, so that every caller sums the same way.
Totals TotalsOf(const DivergenceCounts& counts);

// Each base's share of both sequences.
std::array<double, 4> CompositionOf(const Totals& totals);

// lnL where the rates run to infinity, so that the sequences become
// independent draws: from the composition where the frequencies are free,
// else from 1/4 each.
double IndependenceLimit(const Totals& totals, bool frequenciesFree);

// Whether value beats the independence limit by more than rounding, as the
// full fit asks of a finite optimum.
bool BeatsIndependence(double value, const Totals& totals, bool frequenciesFree);

// Whether the optimum lies clear of the box's faces in every coordinate that
// moved: rates in [margin, kLargestRate], shares margin inside [0, 1].
template <class Layout>
bool ClearOfFaces(const Point<Layout::kSize>& x, const FreeCoordinatesOf<Layout::kSize>& c) {
    for (int i = 0; i < Layout::kSize; ++i) {
        const bool tied = c.sTiedToV && (i == Layout::kSR || i == Layout::kSY);
        if (!c.free[i] && !tied) continue;
        const bool rate = i < Layout::kR;
        if (rate ? (x[i] < kFaceMargin || x[i] > kLargestRate)
                 : (x[i] < kFaceMargin || x[i] > 1.0 - kFaceMargin))
            return false;
    }
    return true;
}

}  // namespace dyvern
