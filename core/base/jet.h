// A number that carries its first and second derivatives with respect to up
// to kJetSize variables, so that one evaluation of a likelihood written for
// plain doubles also gives its exact gradient and Hessian (forward-mode
// differentiation). Newton's method and the observed information need both,
// and finite differences would cost digits that the estimates must keep.
//
// Everything is inline, and constants mix in without becoming jets: the
// searches spend most of their time in these few loops.
#pragma once

#include <array>
#include <cmath>

namespace dyvern {

inline constexpr int kJetSize = 5;

// The Hessian is symmetric: only its upper triangle, hessian[i][j] with
// j >= i, is kept up to date (SecondDerivative reads either half).
struct Jet {
    double value = 0.0;
    std::array<double, kJetSize> gradient{};
    std::array<std::array<double, kJetSize>, kJetSize> hessian{};

    double SecondDerivative(int i, int j) const { return i <= j ? hessian[i][j] : hessian[j][i]; }

    Jet() = default;
    Jet(double v) : value(v) {}  // a constant; implicit so that formulas mix freely
};

// The variable number `index` at `value`: unit gradient in its own slot.
inline Jet JetVariable(double value, int index) {
    Jet x(value);
    x.gradient[index] = 1.0;
    return x;
}

inline double ValueOf(double x) { return x; }
inline double ValueOf(const Jet& x) { return x.value; }

namespace jet_detail {

// f(x) from f, f' and f'' at x.value, by the chain rule.
inline Jet Chain(const Jet& x, double f, double df, double d2f) {
    Jet r(f);
    for (int i = 0; i < kJetSize; ++i) {
        r.gradient[i] = df * x.gradient[i];
        for (int j = i; j < kJetSize; ++j)
            r.hessian[i][j] = df * x.hessian[i][j] + d2f * x.gradient[i] * x.gradient[j];
    }
    return r;
}

// a x + b y, term by term.
inline Jet Combine(double a, const Jet& x, double b, const Jet& y) {
    Jet r(a * x.value + b * y.value);
    for (int i = 0; i < kJetSize; ++i) {
        r.gradient[i] = a * x.gradient[i] + b * y.gradient[i];
        for (int j = i; j < kJetSize; ++j)
            r.hessian[i][j] = a * x.hessian[i][j] + b * y.hessian[i][j];
    }
    return r;
}

// a x + c.
inline Jet Affine(double a, const Jet& x, double c) {
    Jet r(a * x.value + c);
    for (int i = 0; i < kJetSize; ++i) {
        r.gradient[i] = a * x.gradient[i];
        for (int j = i; j < kJetSize; ++j) r.hessian[i][j] = a * x.hessian[i][j];
    }
    return r;
}

}  // namespace jet_detail

inline Jet operator-(const Jet& x) { return jet_detail::Affine(-1.0, x, 0.0); }
inline Jet operator+(const Jet& x, const Jet& y) { return jet_detail::Combine(1.0, x, 1.0, y); }
inline Jet operator-(const Jet& x, const Jet& y) { return jet_detail::Combine(1.0, x, -1.0, y); }
inline Jet operator+(const Jet& x, double c) { return jet_detail::Affine(1.0, x, c); }
inline Jet operator+(double c, const Jet& x) { return jet_detail::Affine(1.0, x, c); }
inline Jet operator-(const Jet& x, double c) { return jet_detail::Affine(1.0, x, -c); }
inline Jet operator-(double c, const Jet& x) { return jet_detail::Affine(-1.0, x, c); }
inline Jet operator*(double a, const Jet& x) {
    Jet r = jet_detail::Affine(a, x, 0.0);
    r.value = a * x.value;
    return r;
}
inline Jet operator*(const Jet& x, double a) { return a * x; }

inline Jet operator*(const Jet& x, const Jet& y) {
    Jet r = jet_detail::Combine(y.value, x, x.value, y);
    r.value = x.value * y.value;  // not x y + y x: keeps the product exact
    for (int i = 0; i < kJetSize; ++i)
        for (int j = i; j < kJetSize; ++j)
            r.hessian[i][j] += x.gradient[i] * y.gradient[j] + y.gradient[i] * x.gradient[j];
    return r;
}

inline Jet operator/(const Jet& x, const Jet& y) {
    const double inverse = 1.0 / y.value;
    Jet r = x * jet_detail::Chain(y, inverse, -inverse * inverse, 2.0 * inverse * inverse * inverse);
    r.value = x.value / y.value;
    return r;
}

// Found by argument-dependent lookup, beside std::exp and the others for double.
inline Jet exp(const Jet& x) {
    const double e = std::exp(x.value);
    return jet_detail::Chain(x, e, e, e);
}

inline Jet expm1(const Jet& x) {
    const double e = std::exp(x.value);
    return jet_detail::Chain(x, std::expm1(x.value), e, e);
}

inline Jet log(const Jet& x) {
    const double inverse = 1.0 / x.value;
    return jet_detail::Chain(x, std::log(x.value), inverse, -inverse * inverse);
}

}  // namespace dyvern
