// The distances of the whole table's determinant, each written once as a
// template, so that on Dual numbers over the 16 cell shares the same code
// gives d and its exact gradient. F is the table of proportions (rows:
// sequence 1), and every base must occur in each sequence (det F = 0
// otherwise; frequency_needs.h).
#pragma once

#include <algorithm>
#include <array>
#include <cmath>

#include "formula/log_term.h"

namespace dyvern {

template <class T>
using ShareTable = std::array<std::array<T, 4>, 4>;

// By elimination with the largest pivot of each column: what the values
// choose, the gradient follows.
template <class T>
T Determinant(ShareTable<T> m) {
    T det(1.0);
    for (int k = 0; k < 4; ++k) {
        int pivot = k;
        for (int i = k + 1; i < 4; ++i)
            if (std::fabs(ValueOf(m[i][k])) > std::fabs(ValueOf(m[pivot][k]))) pivot = i;
        if (ValueOf(m[pivot][k]) == 0.0) return T(0.0);
        if (pivot != k) {
            std::swap(m[pivot], m[k]);
            det = -det;
        }
        det = det * m[k][k];
        for (int i = k + 1; i < 4; ++i) {
            const T factor = m[i][k] / m[k][k];
            for (int j = k + 1; j < 4; ++j) m[i][j] = m[i][j] - factor * m[k][j];
        }
    }
    return det;
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
