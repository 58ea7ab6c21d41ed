// Matched-pairs tests of symmetry of a pair table (rows: the bases of
// sequence 1, columns: of sequence 2): whether the two sequences' data fit
// what every stationary, reversible model assumes. Bowker's test asks
// whether n_ij and n_ji differ more than chance allows (symmetry), Stuart's
// whether the two sequences' base compositions do (marginal homogeneity),
// and the internal test, Bowker's statistic less Stuart's, whether the rest
// of the asymmetry does once the compositions are allowed to differ.
// Counts may be fractions (ambiguity codes shared out).
//
// A test is defined only where each of its terms is:
//   - Bowker's statistic is a sum of one-df terms, one per pair of bases.
//     A pair with n_ij + n_ji = 0 has a term of 0/0 and says nothing about
//     symmetry, so it is left out with its degree of freedom (the usual
//     practice; keeping it as 0 on 6 df would make the test conservative).
//     With no pair left the test is not defined.
//   - Stuart's statistic is one quadratic form d' V^-1 d in the three
//     margin differences; V is singular exactly when the pairs that hold
//     counts do not link all four bases (e.g. transitions alone), and then
//     the form does not exist: not defined (a generalised inverse on fewer
//     df would test a smaller hypothesis than the one named).
//   - The internal test needs both, on Bowker's df less 3; with no df left
//     (the pairs holding counts form no cycle of bases) it is not defined.
// Negative, infinite or NaN counts leave every test undefined.
#pragma once

#include "model/divergence.h"

namespace dyvern {

// A statistic, its degrees of freedom and its upper-tail probability, or,
// when not defined, the reason (statistic, df and prob then 0).
struct SymmetryTest {
    bool defined = false;
    const char* reason = "";
    double statistic = 0.0;
    int df = 0;
    double prob = 0.0;
};

struct SymmetryTests {
    SymmetryTest bowker;
    SymmetryTest stuart;
    SymmetryTest internal;
};

// sum over i < j of (n_ij - n_ji)^2 / (n_ij + n_ji), on as many df as pairs with counts.
SymmetryTest BowkerTest(const DivergenceCounts& counts);

// d' V^-1 d, d_i = r_i - c_i for A, C and G, V_ii = r_i + c_i - 2 n_ii,
// V_ij = -(n_ij + n_ji); 3 df.
SymmetryTest StuartTest(const DivergenceCounts& counts);

// All three; the internal test is Bowker's less Stuart's, on Bowker's df less 3.
SymmetryTests TestSymmetry(const DivergenceCounts& counts);

}  // namespace dyvern
