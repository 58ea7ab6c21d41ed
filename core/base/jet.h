// A number that carries its first and second derivatives with respect to N
// variables, so that one evaluation of a likelihood written for plain
// doubles also gives its exact gradient and Hessian (forward-mode
// differentiation). Newton's method and the observed information need both,
// and finite differences would cost digits that the estimates must keep.
//
// Everything is inline, and constants mix in without becoming jets: the
// searches spend most of their time in these few loops. N is each model's
// number of coordinates, so that a model pays for no more than it has.
#pragma once

#include <array>
#include <cmath>

namespace dyvern {

// The Hessian is symmetric: only its upper triangle, hessian[i][j] with
// j >= i, is kept up to date (SecondDerivative reads either half).
template <int N>
struct Jet {
    double value = 0.0;
    std::array<double, N> gradient{};
    std::array<std::array<double, N>, N> hessian{};

    double SecondDerivative(int i, int j) const { return i <= j ? hessian[i][j] : hessian[j][i]; }

    Jet() = default;
    Jet(double v) : value(v) {}  // a constant; implicit so that formulas mix freely
};

// The variable number `index` at `value`: unit gradient in its own slot.
template <int N>
Jet<N> JetVariable(double value, int index) {
    Jet<N> x(value);
    x.gradient[index] = 1.0;
    return x;
}

inline double ValueOf(double x) { return x; }
template <int N>
double ValueOf(const Jet<N>& x) {
    return x.value;
}

namespace jet_detail {

// f(x) from f, f' and f'' at x.value, by the chain rule.
template <int N>
Jet<N> Chain(const Jet<N>& x, double f, double df, double d2f) {
    Jet<N> r(f);
    for (int i = 0; i < N; ++i) {
        r.gradient[i] = df * x.gradient[i];
        for (int j = i; j < N; ++j)
            r.hessian[i][j] = df * x.hessian[i][j] + d2f * x.gradient[i] * x.gradient[j];
    }
    return r;
}

// a x + b y, term by term.
template <int N>
Jet<N> Combine(double a, const Jet<N>& x, double b, const Jet<N>& y) {
    Jet<N> r(a * x.value + b * y.value);
    for (int i = 0; i < N; ++i) {
        r.gradient[i] = a * x.gradient[i] + b * y.gradient[i];
        for (int j = i; j < N; ++j) r.hessian[i][j] = a * x.hessian[i][j] + b * y.hessian[i][j];
    }
    return r;
}

// a x + c.
template <int N>
Jet<N> Affine(double a, const Jet<N>& x, double c) {
    Jet<N> r(a * x.value + c);
    for (int i = 0; i < N; ++i) {
        r.gradient[i] = a * x.gradient[i];
        for (int j = i; j < N; ++j) r.hessian[i][j] = a * x.hessian[i][j];
    }
    return r;
}

}  // namespace jet_detail

template <int N>
Jet<N> operator-(const Jet<N>& x) {
    return jet_detail::Affine(-1.0, x, 0.0);
}
template <int N>
Jet<N> operator+(const Jet<N>& x, const Jet<N>& y) {
    return jet_detail::Combine(1.0, x, 1.0, y);
}
template <int N>
Jet<N> operator-(const Jet<N>& x, const Jet<N>& y) {
    return jet_detail::Combine(1.0, x, -1.0, y);
}
template <int N>
Jet<N> operator+(const Jet<N>& x, double c) {
    return jet_detail::Affine(1.0, x, c);
}
template <int N>
Jet<N> operator+(double c, const Jet<N>& x) {
    return jet_detail::Affine(1.0, x, c);
}
template <int N>
Jet<N> operator-(const Jet<N>& x, double c) {
    return jet_detail::Affine(1.0, x, -c);
}
template <int N>
Jet<N> operator-(double c, const Jet<N>& x) {
    return jet_detail::Affine(-1.0, x, c);
}
template <int N>
Jet<N> operator*(double a, const Jet<N>& x) {
    Jet<N> r = jet_detail::Affine(a, x, 0.0);
    r.value = a * x.value;
    return r;
}
template <int N>
Jet<N> operator*(const Jet<N>& x, double a) {
    return a * x;
}

template <int N>
Jet<N> operator*(const Jet<N>& x, const Jet<N>& y) {
    Jet<N> r = jet_detail::Combine(y.value, x, x.value, y);
    r.value = x.value * y.value;  // not x y + y x: keeps the product exact
    for (int i = 0; i < N; ++i)
        for (int j = i; j < N; ++j)
            r.hessian[i][j] += x.gradient[i] * y.gradient[j] + y.gradient[i] * x.gradient[j];
    return r;
}

template <int N>
Jet<N> operator/(const Jet<N>& x, const Jet<N>& y) {
    const double inverse = 1.0 / y.value;
    Jet<N> r = x * jet_detail::Chain(y, inverse, -inverse * inverse,
                                     2.0 * inverse * inverse * inverse);
    r.value = x.value / y.value;
    return r;
}
template <int N>
Jet<N> operator/(const Jet<N>& x, double c) {
    return x / Jet<N>(c);
}
template <int N>
Jet<N> operator/(double c, const Jet<N>& x) {
    return Jet<N>(c) / x;
}

// Found by argument-dependent lookup, beside std::exp and the others for double.
template <int N>
Jet<N> exp(const Jet<N>& x) {
    const double e = std::exp(x.value);
    return jet_detail::Chain(x, e, e, e);
}

template <int N>
Jet<N> expm1(const Jet<N>& x) {
    const double e = std::exp(x.value);
    return jet_detail::Chain(x, std::expm1(x.value), e, e);
}

template <int N>
Jet<N> log(const Jet<N>& x) {
    const double inverse = 1.0 / x.value;
    return jet_detail::Chain(x, std::log(x.value), inverse, -inverse * inverse);
}

template <int N>
Jet<N> log1p(const Jet<N>& x) {
    const double inverse = 1.0 / (1.0 + x.value);
    return jet_detail::Chain(x, std::log1p(x.value), inverse, -inverse * inverse);
}

template <int N>
Jet<N> sqrt(const Jet<N>& x) {
    const double root = std::sqrt(x.value);
    return jet_detail::Chain(x, root, 0.5 / root, -0.25 / (root * x.value));
}

// x^p for a constant p.
template <int N>
Jet<N> pow(const Jet<N>& x, double p) {
    const double power = std::pow(x.value, p);
    const double slope = p * std::pow(x.value, p - 1.0);
    return jet_detail::Chain(x, power, slope, (p - 1.0) * slope / x.value);
}

}  // namespace dyvern
