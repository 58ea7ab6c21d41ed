// f(M) for a symmetric 4x4 matrix M and a smooth scalar f, on doubles, Duals
// and Jets: f(M) = U f(Lambda) U' from the eigenvectors of M's values, and
// its derivatives by the Daleckii-Krein formulas,
//   D f(M)[E]      = U (f[l_k, l_l] o U'EU) U'
//   D2 f(M)[E, F]  = U (sum_m f[l_k, l_m, l_l] ((U'EU)_km (U'FU)_ml + (U'FU)_km (U'EU)_ml)) U'
// with f[.,.] and f[.,.,.] the divided differences of f at the eigenvalues.
// They stay smooth where eigenvalues meet, where the eigenvectors do not:
// divided differences of nearby points come from f's Taylor series.
#pragma once

#include <array>

#include "base/dual.h"
#include "base/jet.h"

namespace dyvern {

template <class T>
using Matrix4 = std::array<std::array<T, 4>, 4>;

// A scalar function and its first four derivatives at a point.
struct ScalarDerivatives {
    std::array<double, 5> at{};  // f, f', f'', f''', f''''
};

// What f(M) needs of f: its derivatives anywhere.
class ScalarFunction {
public:
    virtual ScalarDerivatives At(double x) const = 0;

protected:
    ~ScalarFunction() = default;
};

// M = U diag(values) U' (Jacobi's method; the values ascending).
struct SymmetricEigen {
    std::array<double, 4> values{};
    Matrix4<double> vectors{};  // column k is the vector of values[k]
};
SymmetricEigen EigenOf(const Matrix4<double>& m);

// f[a, b] and f[a, b, c], accurate also where the points nearly meet.
double DividedDifference(const ScalarFunction& f, double a, double b);
double DividedDifference(const ScalarFunction& f, double a, double b, double c);

Matrix4<double> ApplyTo(const ScalarFunction& f, const Matrix4<double>& m);

template <int N>
Matrix4<Dual<N>> ApplyTo(const ScalarFunction& f, const Matrix4<Dual<N>>& m);

template <int N>
Matrix4<Jet<N>> ApplyTo(const ScalarFunction& f, const Matrix4<Jet<N>>& m);

}  // namespace dyvern

#include "model/symmetric_function_derivatives.h"
