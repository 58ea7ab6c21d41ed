// A number that carries its gradient with respect to up to kJetSize
// variables (first-order forward-mode differentiation): what the delta
// method needs of a quantity, at a sixth of a Jet's cost.
#pragma once

#include <array>

#include "base/jet.h"

namespace dyvern {

struct Dual {
    double value = 0.0;
    std::array<double, kJetSize> gradient{};

    Dual() = default;
    Dual(double v) : value(v) {}  // a constant; implicit so that formulas mix freely
};

inline Dual DualVariable(double value, int index) {
    Dual x(value);
    x.gradient[index] = 1.0;
    return x;
}

inline double ValueOf(const Dual& x) { return x.value; }

namespace dual_detail {

// a x + b y + c, term by term.
inline Dual Combine(double a, const Dual& x, double b, const Dual& y, double c = 0.0) {
    Dual r(a * x.value + b * y.value + c);
    for (int i = 0; i < kJetSize; ++i) r.gradient[i] = a * x.gradient[i] + b * y.gradient[i];
    return r;
}

}  // namespace dual_detail

inline Dual operator-(const Dual& x) { return dual_detail::Combine(-1.0, x, 0.0, Dual()); }
inline Dual operator+(const Dual& x, const Dual& y) { return dual_detail::Combine(1.0, x, 1.0, y); }
inline Dual operator-(const Dual& x, const Dual& y) { return dual_detail::Combine(1.0, x, -1.0, y); }

inline Dual operator*(const Dual& x, const Dual& y) {
    Dual r = dual_detail::Combine(y.value, x, x.value, y);
    r.value = x.value * y.value;  // not x y + y x: keeps the product exact
    return r;
}

inline Dual operator/(const Dual& x, const Dual& y) {
    const double inverse = 1.0 / y.value;
    Dual r = dual_detail::Combine(inverse, x, -x.value * inverse * inverse, y);
    r.value = x.value / y.value;
    return r;
}

}  // namespace dyvern
