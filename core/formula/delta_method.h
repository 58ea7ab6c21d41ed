// The large-sample variance of a distance d computed from a pair table of n
// sites: the table is multinomial, so its proportions F have covariance
// (diag F - F F')/n and, to first order,
//   Var d = (1/n) [sum_ij F_ij g_ij^2 - (sum_ij F_ij g_ij)^2],  g_ij = dd/dF_ij.
// Adding a constant to every g_ij changes nothing, so any smooth extension
// of d off the simplex serves.
#pragma once

#include <array>

#include "formula/determinant_forms.h"

namespace dyvern {

// The sum over the cells when d sees the table through disjoint classes of
// cells only, grouped by class: g is dd/ds_c and `shares` the classes'
// shares s_c; the cells outside every class (the identical pairs) have g 0.
double ClassVariance(const std::array<double, 4>& g, const std::array<double, 4>& shares, double n);

// The sum over the 16 cells.
double CellVariance(const ShareTable<double>& F, const ShareTable<double>& g, double n);

}  // namespace dyvern
