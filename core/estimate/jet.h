// A number that carries its first and second derivatives with respect to up
// to kJetSize variables, so that one evaluation of a likelihood written for
// plain doubles also gives its exact gradient and Hessian (forward-mode
// differentiation). Newton's method and the observed information need both,
// and finite differences would cost digits that the estimates must keep.
#pragma once

#include <array>

namespace dyvern {

inline constexpr int kJetSize = 5;

struct Jet {
    double value = 0.0;
    std::array<double, kJetSize> gradient{};
    std::array<std::array<double, kJetSize>, kJetSize> hessian{};

    Jet() = default;
    Jet(double v) : value(v) {}  // a constant; implicit so that formulas mix freely
};

// The variable number `index` at `value`: unit gradient in its own slot.
Jet JetVariable(double value, int index);

inline double ValueOf(double x) { return x; }
inline double ValueOf(const Jet& x) { return x.value; }

Jet operator-(const Jet& x);
Jet operator+(const Jet& x, const Jet& y);
Jet operator-(const Jet& x, const Jet& y);
Jet operator*(const Jet& x, const Jet& y);
Jet operator/(const Jet& x, const Jet& y);
// Found by argument-dependent lookup, beside std::exp and the others for double.
Jet exp(const Jet& x);
Jet expm1(const Jet& x);
Jet log(const Jet& x);

}  // namespace dyvern
