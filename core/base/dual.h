// A number that carries its gradient with respect to up to N variables
// (first-order forward-mode differentiation): what the delta method needs
// of a quantity, at a fraction of a Jet's cost.
#pragma once

#include <array>
#include <cmath>

namespace dyvern {

template <int N>
struct Dual {
    double value = 0.0;
    std::array<double, N> gradient{};

    Dual() = default;
    Dual(double v) : value(v) {}  // a constant; implicit so that formulas mix freely
};

template <int N>
Dual<N> DualVariable(double value, int index) {
    Dual<N> x(value);
    x.gradient[index] = 1.0;
    return x;
}

template <int N>
double ValueOf(const Dual<N>& x) {
    return x.value;
}

namespace dual_detail {

// f(x) from f and f' at x.value.
template <int N>
Dual<N> Chain(const Dual<N>& x, double f, double df) {
    Dual<N> r(f);
    for (int i = 0; i < N; ++i) r.gradient[i] = df * x.gradient[i];
    return r;
}

// a x + b y, term by term, with the value given.
template <int N>
Dual<N> Combine(double value, double a, const Dual<N>& x, double b, const Dual<N>& y) {
    Dual<N> r(value);
    for (int i = 0; i < N; ++i) r.gradient[i] = a * x.gradient[i] + b * y.gradient[i];
    return r;
}

}  // namespace dual_detail

template <int N>
Dual<N> operator-(const Dual<N>& x) {
    return dual_detail::Chain(x, -x.value, -1.0);
}
template <int N>
Dual<N> operator+(const Dual<N>& x, const Dual<N>& y) {
    return dual_detail::Combine(x.value + y.value, 1.0, x, 1.0, y);
}
template <int N>
Dual<N> operator-(const Dual<N>& x, const Dual<N>& y) {
    return dual_detail::Combine(x.value - y.value, 1.0, x, -1.0, y);
}
template <int N>
Dual<N> operator*(const Dual<N>& x, const Dual<N>& y) {
    return dual_detail::Combine(x.value * y.value, y.value, x, x.value, y);
}
template <int N>
Dual<N> operator/(const Dual<N>& x, const Dual<N>& y) {
    const double inverse = 1.0 / y.value;
    return dual_detail::Combine(x.value / y.value, inverse, x, -x.value * inverse * inverse, y);
}

// With a plain number on either side, as formulas write them.
template <int N>
Dual<N> operator+(const Dual<N>& x, double c) {
    return dual_detail::Chain(x, x.value + c, 1.0);
}
template <int N>
Dual<N> operator+(double c, const Dual<N>& x) {
    return dual_detail::Chain(x, c + x.value, 1.0);
}
template <int N>
Dual<N> operator-(const Dual<N>& x, double c) {
    return dual_detail::Chain(x, x.value - c, 1.0);
}
template <int N>
Dual<N> operator-(double c, const Dual<N>& x) {
    return dual_detail::Chain(x, c - x.value, -1.0);
}
template <int N>
Dual<N> operator*(const Dual<N>& x, double c) {
    return dual_detail::Chain(x, x.value * c, c);
}
template <int N>
Dual<N> operator*(double c, const Dual<N>& x) {
    return dual_detail::Chain(x, c * x.value, c);
}
template <int N>
Dual<N> operator/(const Dual<N>& x, double c) {
    return dual_detail::Chain(x, x.value / c, 1.0 / c);
}
template <int N>
Dual<N> operator/(double c, const Dual<N>& x) {
    return dual_detail::Chain(x, c / x.value, -c / (x.value * x.value));
}

// Found by argument-dependent lookup, beside std::log and the others.
template <int N>
Dual<N> log(const Dual<N>& x) {
    return dual_detail::Chain(x, std::log(x.value), 1.0 / x.value);
}
template <int N>
Dual<N> exp(const Dual<N>& x) {
    const double e = std::exp(x.value);
    return dual_detail::Chain(x, e, e);
}
template <int N>
Dual<N> sqrt(const Dual<N>& x) {
    const double root = std::sqrt(x.value);
    return dual_detail::Chain(x, root, 0.5 / root);
}
// x^p for a constant p.
template <int N>
Dual<N> pow(const Dual<N>& x, double p) {
    const double power = std::pow(x.value, p);
    return dual_detail::Chain(x, power, p * std::pow(x.value, p - 1.0));
}

}  // namespace dyvern
