// What the class models' closed forms see of a pair table: the shares of
// four classes of difference. Transitions come in two kinds, within the
// purines (A <-> G) and within the pyrimidines (C <-> T), as Tamura and Nei
// (1993) count them; transversions in two, within the weak or the strong
// bases (A <-> T, C <-> G) and within the amino or the keto bases
// (A <-> C, G <-> T), as Kimura (1981) counts them. Every other class
// model pools these.
#pragma once

#include <array>

#include "model/divergence.h"

namespace dyvern {

// The class of each cell (i, j), rows and columns A C G T, in the order of
// DifferenceShares' fields; -1 for the identical pairs.
inline constexpr int kDifferenceClassOfCell[4][4] = {
    {-1, 3, 0, 2},  // A-C amino-keto, A-G purine, A-T weak-strong
    {3, -1, 2, 1},  // C-G weak-strong, C-T pyrimidine
    {0, 2, -1, 3},  // G-T amino-keto
    {2, 1, 3, -1},
};

struct DifferenceShares {
    double sites = 0.0;  // n: the shares are counts over n
    double purineTransitions = 0.0;
    double pyrimidineTransitions = 0.0;
    double weakStrongTransversions = 0.0;  // Kimura's Q
    double aminoKetoTransversions = 0.0;   // Kimura's R
    double P() const { return purineTransitions + pyrimidineTransitions; }
    double Q() const { return weakStrongTransversions + aminoKetoTransversions; }
    double p() const { return P() + Q(); }
    std::array<double, 4> ByClass() const {
        return {purineTransitions, pyrimidineTransitions, weakStrongTransversions,
                aminoKetoTransversions};
    }
};

// Over the table's cell sum, or over a site count of its own (a data file's
// declared n).
DifferenceShares SharesOf(const DivergenceCounts& counts);
DifferenceShares SharesOf(const DivergenceCounts& counts, double sites);

// Shares from the totals of transitions and transversions alone, for the
// forms that pool the classes into those two (raw, JC69, F81, K80, T92,
// F84): all transitions counted as purine ones, all transversions as
// weak-strong ones, so that P() and Q() give back exactly P and Q.
DifferenceShares SharesByKind(double sites, double P, double Q);

}  // namespace dyvern
