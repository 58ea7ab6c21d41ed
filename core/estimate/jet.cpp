#include "estimate/jet.h"

#include <cmath>

namespace dyvern {
namespace {

// f(x) from f, f' and f'' at x.value, by the chain rule.
Jet Chain(const Jet& x, double f, double df, double d2f) {
    Jet r(f);
    for (int i = 0; i < kJetSize; ++i) {
        r.gradient[i] = df * x.gradient[i];
        for (int j = 0; j < kJetSize; ++j)
            r.hessian[i][j] = df * x.hessian[i][j] + d2f * x.gradient[i] * x.gradient[j];
    }
    return r;
}

// a x + b y, term by term.
Jet Combine(double a, const Jet& x, double b, const Jet& y) {
    Jet r(a * x.value + b * y.value);
    for (int i = 0; i < kJetSize; ++i) {
        r.gradient[i] = a * x.gradient[i] + b * y.gradient[i];
        for (int j = 0; j < kJetSize; ++j)
            r.hessian[i][j] = a * x.hessian[i][j] + b * y.hessian[i][j];
    }
    return r;
}

}  // namespace

Jet JetVariable(double value, int index) {
    Jet x(value);
    x.gradient[index] = 1.0;
    return x;
}

Jet operator-(const Jet& x) { return Combine(-1.0, x, 0.0, Jet()); }
Jet operator+(const Jet& x, const Jet& y) { return Combine(1.0, x, 1.0, y); }
Jet operator-(const Jet& x, const Jet& y) { return Combine(1.0, x, -1.0, y); }

Jet operator*(const Jet& x, const Jet& y) {
    Jet r = Combine(y.value, x, x.value, y);
    r.value = x.value * y.value;  // not x y + y x: keeps the product exact
    for (int i = 0; i < kJetSize; ++i)
        for (int j = 0; j < kJetSize; ++j)
            r.hessian[i][j] += x.gradient[i] * y.gradient[j] + y.gradient[i] * x.gradient[j];
    return r;
}

Jet operator/(const Jet& x, const Jet& y) {
    const double inverse = 1.0 / y.value;
    Jet r = x * Chain(y, inverse, -inverse * inverse, 2.0 * inverse * inverse * inverse);
    r.value = x.value / y.value;
    return r;
}

Jet exp(const Jet& x) {
    const double e = std::exp(x.value);
    return Chain(x, e, e, e);
}

Jet expm1(const Jet& x) {
    const double e = std::exp(x.value);
    return Chain(x, std::expm1(x.value), e, e);
}

Jet log(const Jet& x) {
    const double inverse = 1.0 / x.value;
    return Chain(x, std::log(x.value), inverse, -inverse * inverse);
}

}  // namespace dyvern
