// The distances of the whole table's determinant, each written once as a
// template, so that on Dual numbers over the 16 cell shares the same code
// gives d and its exact gradient. F is the table of proportions (rows:
// sequence 1), and every base must occur in each sequence (det F = 0
// otherwise; frequency_needs.h).
#pragma once

#include <array>
#include <cmath>

#include "formula/log_term.h"

namespace dyvern {

template <class T>
using ShareTable = std::array<std::array<T, 4>, 4>;

// By Laplace's expansion along the first two rows: the 2x2 minors of rows
// 0-1 times the complementary minors of rows 2-3. Straight-line code, with
// no pivots to choose, so that the compiler keeps the 16-wide gradients in
// registers instead of indexing arrays of them.
template <class T>
T Determinant(const ShareTable<T>& m) {
    const auto minor = [&m](int r, int a, int b) {
        return m[r][a] * m[r + 1][b] - m[r][b] * m[r + 1][a];
    };
    return minor(0, 0, 1) * minor(2, 2, 3) - minor(0, 0, 2) * minor(2, 1, 3) +
           minor(0, 0, 3) * minor(2, 1, 2) + minor(0, 1, 2) * minor(2, 0, 3) -
           minor(0, 1, 3) * minor(2, 0, 2) + minor(0, 2, 3) * minor(2, 0, 1);
}

// LogDet as Gu and Li (1996) give it: -1/4 ln det F - ln 4, the paralinear
// form with every frequency 1/4 (so JC69's d on a JC69 table). A
// determinant <= 0 saturates it.
template <class T>
T LogDetForm(const ShareTable<T>& F, LogTerm& L) {
    return 0.25 * L(Determinant(F)) - std::log(4.0);
}

// Lake's (1994) paralinear distance:
// -1/4 [ln det F - 1/2 sum ln fx - 1/2 sum ln fy], fx and fy the two
// sequences' compositions; on a reversible model at equilibrium it is
// -1/4 ln det P(t).
template <class T>
T ParalinearForm(const ShareTable<T>& F, const std::array<T, 4>& fx, const std::array<T, 4>& fy,
                 LogTerm& L) {
    T margins(0.0);
    for (int k = 0; k < 4; ++k) margins = margins + L(fx[k]) + L(fy[k]);
    return 0.25 * (L(Determinant(F)) - 0.5 * margins);
}

}  // namespace dyvern
