// The derivatives of f(M) (symmetric_function.h) for Duals and Jets.
#pragma once

#include <array>

namespace dyvern {
namespace symmetric_detail {

// U' X U, the matrix in the eigenvectors' basis.
inline Matrix4<double> ToEigenBasis(const Matrix4<double>& u, const Matrix4<double>& x) {
    Matrix4<double> xu{}, out{};
    for (int i = 0; i < 4; ++i)
        for (int l = 0; l < 4; ++l)
            for (int j = 0; j < 4; ++j) xu[i][l] += x[i][j] * u[j][l];
    for (int k = 0; k < 4; ++k)
        for (int l = 0; l < 4; ++l)
            for (int i = 0; i < 4; ++i) out[k][l] += u[i][k] * xu[i][l];
    return out;
}

// U Y U', back from the eigenvectors' basis.
inline Matrix4<double> FromEigenBasis(const Matrix4<double>& u, const Matrix4<double>& y) {
    Matrix4<double> uy{}, out{};
    for (int i = 0; i < 4; ++i)
        for (int l = 0; l < 4; ++l)
            for (int k = 0; k < 4; ++k) uy[i][l] += u[i][k] * y[k][l];
    for (int i = 0; i < 4; ++i)
        for (int j = 0; j < 4; ++j)
            for (int l = 0; l < 4; ++l) out[i][j] += uy[i][l] * u[j][l];
    return out;
}

// f at the eigenvalues and its first and second divided differences there.
struct Differences {
    SymmetricEigen eigen;
    std::array<double, 4> value{};
    Matrix4<double> first{};
    std::array<Matrix4<double>, 4> second{};  // second[m][k][l] = f[l_k, l_m, l_l]
};

inline Differences DifferencesAt(const ScalarFunction& f, const Matrix4<double>& m, bool second) {
    Differences d;
    d.eigen = EigenOf(m);
    const std::array<double, 4>& l = d.eigen.values;
    for (int k = 0; k < 4; ++k) {
        d.value[k] = f.At(l[k]).at[0];
        for (int j = 0; j < 4; ++j) d.first[k][j] = DividedDifference(f, l[k], l[j]);
    }
    if (!second) return d;
    for (int mid = 0; mid < 4; ++mid)
        for (int k = 0; k < 4; ++k)
            for (int j = 0; j < 4; ++j)
                d.second[mid][k][j] = DividedDifference(f, l[k], l[mid], l[j]);
    return d;
}

// One direction's first derivative of f(M), given U'EU.
inline Matrix4<double> FirstDerivative(const Differences& d, const Matrix4<double>& e) {
    Matrix4<double> y{};
    for (int k = 0; k < 4; ++k)
        for (int l = 0; l < 4; ++l) y[k][l] = d.first[k][l] * e[k][l];
    return FromEigenBasis(d.eigen.vectors, y);
}

template <class Number>
Matrix4<double> ValuesOf(const Matrix4<Number>& m) {
    Matrix4<double> values{};
    for (int i = 0; i < 4; ++i)
        for (int j = 0; j < 4; ++j) values[i][j] = m[i][j].value;
    return values;
}

template <class Number>
Matrix4<double> GradientOf(const Matrix4<Number>& m, int p) {
    Matrix4<double> g{};
    for (int i = 0; i < 4; ++i)
        for (int j = 0; j < 4; ++j) g[i][j] = m[i][j].gradient[p];
    return g;
}

}  // namespace symmetric_detail

template <int N>
Matrix4<Dual<N>> ApplyTo(const ScalarFunction& f, const Matrix4<Dual<N>>& m) {
    using namespace symmetric_detail;
    const Differences d = DifferencesAt(f, ValuesOf(m), false);
    Matrix4<Dual<N>> out;
    Matrix4<double> diagonal{};
    for (int k = 0; k < 4; ++k) diagonal[k][k] = d.value[k];
    const Matrix4<double> value = FromEigenBasis(d.eigen.vectors, diagonal);
    for (int i = 0; i < 4; ++i)
        for (int j = 0; j < 4; ++j) out[i][j] = Dual<N>(value[i][j]);
    for (int p = 0; p < N; ++p) {
        const Matrix4<double> dp =
            FirstDerivative(d, ToEigenBasis(d.eigen.vectors, GradientOf(m, p)));
        for (int i = 0; i < 4; ++i)
            for (int j = 0; j < 4; ++j) out[i][j].gradient[p] = dp[i][j];
    }
    return out;
}

template <int N>
Matrix4<Jet<N>> ApplyTo(const ScalarFunction& f, const Matrix4<Jet<N>>& m) {
    using namespace symmetric_detail;
    const Differences d = DifferencesAt(f, ValuesOf(m), true);
    const Matrix4<double>& u = d.eigen.vectors;
    Matrix4<Jet<N>> out;
    Matrix4<double> diagonal{};
    for (int k = 0; k < 4; ++k) diagonal[k][k] = d.value[k];
    const Matrix4<double> value = FromEigenBasis(u, diagonal);
    for (int i = 0; i < 4; ++i)
        for (int j = 0; j < 4; ++j) out[i][j] = Jet<N>(value[i][j]);
    std::array<Matrix4<double>, N> e;  // U' (dM/dx_p) U
    for (int p = 0; p < N; ++p) {
        e[p] = ToEigenBasis(u, GradientOf(m, p));
        const Matrix4<double> dp = FirstDerivative(d, e[p]);
        for (int i = 0; i < 4; ++i)
            for (int j = 0; j < 4; ++j) out[i][j].gradient[p] = dp[i][j];
    }
    for (int p = 0; p < N; ++p) {
        for (int q = p; q < N; ++q) {
            Matrix4<double> mixed{};
            for (int i = 0; i < 4; ++i)
                for (int j = 0; j < 4; ++j) mixed[i][j] = m[i][j].hessian[p][q];
            const Matrix4<double> epq = ToEigenBasis(u, mixed);
            Matrix4<double> y{};
            for (int k = 0; k < 4; ++k) {
                for (int l = 0; l < 4; ++l) {
                    double sum = d.first[k][l] * epq[k][l];
                    for (int mid = 0; mid < 4; ++mid)
                        sum += d.second[mid][k][l] *
                               (e[p][k][mid] * e[q][mid][l] + e[q][k][mid] * e[p][mid][l]);
                    y[k][l] = sum;
                }
            }
            const Matrix4<double> dpq = FromEigenBasis(u, y);
            for (int i = 0; i < 4; ++i)
                for (int j = 0; j < 4; ++j) out[i][j].hessian[p][q] = dpq[i][j];
        }
    }
    return out;
}

}  // namespace dyvern
