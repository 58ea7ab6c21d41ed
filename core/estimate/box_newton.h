// Newton's method inside a box: minimises a smooth function of up to
// kJetSize variables, each free one held within [lower, upper]. Exact
// derivatives come from evaluating the function on Jets. A variable on a
// bound whose gradient points out of the box is held there for the step;
// an indefinite Hessian is damped toward its diagonal until the step goes
// downhill; the line search halves the step and never accepts a value that
// is measurably worse. The search runs until no step improves the point.
#pragma once

#include <array>
#include <utility>

#include "estimate/jet.h"

namespace dyvern {

using Point = std::array<double, kJetSize>;
using JetPoint = std::array<Jet, kJetSize>;

class SmoothFunction {
public:
    virtual double Value(const Point& x) const = 0;
    virtual Jet Expansion(const JetPoint& x) const = 0;

protected:
    ~SmoothFunction() = default;
};

// A SmoothFunction from a generic callable taking either kind of point.
template <class F>
class SmoothCallable final : public SmoothFunction {
public:
    explicit SmoothCallable(F f) : f(std::move(f)) {}
    double Value(const Point& x) const override { return f(x); }
    Jet Expansion(const JetPoint& x) const override { return f(x); }

private:
    F f;
};

template <class F>
SmoothCallable<F> MakeSmooth(F f) {
    return SmoothCallable<F>(std::move(f));
}

struct SearchBox {
    Point lower{};
    Point upper{};
    std::array<bool, kJetSize> free{};  // the others keep their start values
};

struct BoxMinimum {
    Point x{};
    double value = 0.0;
    // The Hessian on the variables off their bounds is positive definite and
    // the Newton decrement g' H^-1 g there is negligible against the value.
    bool converged = false;
    int iterations = 0;
};

// How far to go: until no step improves the value in floating point, or one
// Newton step past the first converged one (quadratic convergence leaves
// the value exact to rounding then), which is all a profile needs.
enum class BoxStop { NoBetterPoint, Converged };

BoxMinimum MinimiseInBox(const SmoothFunction& f, const Point& start, const SearchBox& box,
                         BoxStop stop = BoxStop::NoBetterPoint);

// The expansion of f at x with the free variables as the jet's variables.
Jet ExpandAt(const SmoothFunction& f, const Point& x, const std::array<bool, kJetSize>& free);

}  // namespace dyvern
