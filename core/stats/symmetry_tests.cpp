#include "stats/symmetry_tests.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "stats/chi_square_tail.h"

namespace dyvern {
namespace {

using Matrix3 = std::array<std::array<double, 3>, 3>;
using Vector3 = std::array<double, 3>;

// Why the counts cannot be tested at all, or nullptr.
const char* CountFault(const DivergenceCounts& counts) {
    for (const auto& row : counts)
        for (const double n : row) {
            if (std::isnan(n) || n < 0.0) return "a count is negative or not a number";
            if (std::isinf(n)) return "a count is infinite";
        }
    return nullptr;
}

SymmetryTest Undefined(const char* reason) {
    SymmetryTest test;
    test.reason = reason;
    return test;
}

// A finite statistic with its tail probability, or undefined if it overflowed.
SymmetryTest Defined(double statistic, int df) {
    if (!std::isfinite(statistic)) return Undefined("the statistic is not a finite number");
    SymmetryTest test;
    test.defined = true;
    test.statistic = statistic;
    test.df = df;
    test.prob = ChiSquareTail(statistic, df);
    return test;
}

// Whether the pairs of bases that hold counts (n_ij + n_ji > 0) join all
// four bases into one piece: exactly when V has full rank (V is the
// reduced Laplacian of the graph of those pairs, weighted by their counts,
// whose determinant sums products over spanning trees).
bool PairsLinkAllBases(const DivergenceCounts& counts) {
    std::array<bool, 4> reached{true, false, false, false};
    for (int pass = 0; pass < 3; ++pass)  // a path in four bases has at most three steps
        for (int i = 0; i < 4; ++i)
            for (int j = 0; j < 4; ++j)
                if (reached[i] && counts[i][j] + counts[j][i] > 0.0) reached[j] = true;
    return std::all_of(reached.begin(), reached.end(), [](bool r) { return r; });
}

// d' V^-1 d for V symmetric positive definite, by Cholesky's factor L:
// the squared length of L^-1 d. NaN if a pivot is not positive, which only
// rounding of wildly different counts can cause.
double QuadraticFormOfInverse(Matrix3 v, Vector3 d) {
    double sum = 0.0;
    for (int k = 0; k < 3; ++k) {
        const double pivot = v[k][k];
        if (!(pivot > 0.0)) return std::nan("");
        const double root = std::sqrt(pivot);
        d[k] /= root;
        sum += d[k] * d[k];
        for (int i = k + 1; i < 3; ++i) {
            const double factor = v[i][k] / pivot;
            for (int j = k + 1; j < 3; ++j) v[i][j] -= factor * v[k][j];
            d[i] -= v[i][k] / root * d[k];
        }
    }
    return sum;
}

}  // namespace

SymmetryTest BowkerTest(const DivergenceCounts& counts) {
    if (const char* fault = CountFault(counts)) return Undefined(fault);
    double statistic = 0.0;
    int df = 0;
    for (int i = 0; i < 4; ++i)
        for (int j = i + 1; j < 4; ++j) {
            const double sum = counts[i][j] + counts[j][i];
            if (sum == 0.0) continue;  // no counts, no information: left out with its df
            const double difference = counts[i][j] - counts[j][i];
            statistic += difference * difference / sum;
            ++df;
        }
    if (df == 0) return Undefined("no pair of different bases holds a count");
    return Defined(statistic, df);
}

SymmetryTest StuartTest(const DivergenceCounts& counts) {
    if (const char* fault = CountFault(counts)) return Undefined(fault);
    if (!PairsLinkAllBases(counts))
        return Undefined("the pairs of bases that hold counts do not link all four bases");
    // T's margin is left out: the four differences add up to 0.
    Matrix3 v{};
    Vector3 d{};
    for (int i = 0; i < 3; ++i) {
        for (int j = 0; j < 4; ++j) {
            if (j == i) continue;
            d[i] += counts[i][j] - counts[j][i];
            v[i][i] += counts[i][j] + counts[j][i];
            if (j < 3) v[i][j] = -(counts[i][j] + counts[j][i]);
        }
    }
    return Defined(QuadraticFormOfInverse(v, d), 3);
}

SymmetryTests TestSymmetry(const DivergenceCounts& counts) {
    SymmetryTests tests{BowkerTest(counts), StuartTest(counts), {}};
    if (!tests.bowker.defined)
        tests.internal = Undefined(tests.bowker.reason);
    else if (!tests.stuart.defined)
        tests.internal = Undefined(tests.stuart.reason);
    else if (tests.bowker.df <= 3)
        tests.internal = Undefined("the pairs of bases that hold counts form no cycle");
    else  // Bowker's statistic is never below Stuart's; rounding may put it there
        tests.internal = Defined(std::max(0.0, tests.bowker.statistic - tests.stuart.statistic),
                                 tests.bowker.df - 3);
    return tests;
}

}  // namespace dyvern
