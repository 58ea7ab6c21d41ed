// Newton's method inside a box: minimises a smooth function of up to
// kJetSize variables, each free one held within [lower, upper], from its
// exact gradient and Hessian (a Jet). A variable on a bound whose gradient
// points out of the box is held there for the step; an indefinite Hessian
// is damped toward its diagonal until the step goes downhill; the line
// search halves the step and never accepts a value that is measurably
// worse. The search runs until no step improves the point.
#pragma once

#include <array>
#include <utility>

#include "base/dual.h"
#include "base/jet.h"
#include "minimize/small_matrix.h"

namespace dyvern {

using Point = std::array<double, kJetSize>;
using JetPoint = std::array<Jet, kJetSize>;
using DualPoint = std::array<Dual<kJetSize>, kJetSize>;
using FreeMask = std::array<bool, kJetSize>;

class SmoothFunction {
public:
    virtual double Value(const Point& x) const = 0;
    // The value with its derivatives in the free variables (0 in the others).
    virtual Jet Expansion(const Point& x, const FreeMask& free) const = 0;

protected:
    ~SmoothFunction() = default;
};

// The point with its free variables as the jet's (or dual's) variables.
JetPoint JetsAt(const Point& x, const FreeMask& free);
DualPoint DualsAt(const Point& x, const FreeMask& free);

// A SmoothFunction from a generic callable taking either kind of point: its
// expansion by evaluating it on Jets.
template <class F>
class SmoothCallable final : public SmoothFunction {
public:
    explicit SmoothCallable(F f) : f(std::move(f)) {}
    double Value(const Point& x) const override { return f(x); }
    Jet Expansion(const Point& x, const FreeMask& free) const override { return f(JetsAt(x, free)); }

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
    FreeMask free{};  // the others keep their start values
};

struct BoxMinimum {
    Point x{};
    double value = 0.0;
    Jet expansion;  // at x, in the box's free variables
    // The Hessian on the variables off their bounds is positive definite and
    // the Newton decrement g' H^-1 g there is negligible against the value.
    bool converged = false;
    int iterations = 0;
};

// How far to go: until no step improves the value in floating point, or one
// Newton step past the first converged one (quadratic convergence leaves
// the value exact to rounding then), which is all a profile needs.
enum class BoxStop { NoBetterPoint, Converged };

// The Newton decrement below which a step counts as converged, against the
// value: where a full search has converged (the refined fits), and where a
// start close to the optimum has closed in on it beyond doubt.
inline constexpr double kConvergedDecrement = 1e-12;
inline constexpr double kClosedInDecrement = 1e-16;

BoxMinimum MinimiseInBox(const SmoothFunction& f, const Point& start, const SearchBox& box,
                         BoxStop stop = BoxStop::NoBetterPoint,
                         double decrementTolerance = kConvergedDecrement);

// The free variables strictly inside the box along which f curves: where
// the observed information of a likelihood optimum is taken.
IndexList InteriorVariables(const Jet& f, const Point& x, const SearchBox& box);

// sqrt(g' H^-1 g), the standard error the delta method gives a quantity
// with gradient g at the optimum of -lnL, with H the Hessian of -lnL
// (`negativeLnL`) on `interior`; NaN when H is not positive definite.
double DeltaMethodError(const Jet& negativeLnL, const Dual<kJetSize>& quantity, const IndexList& interior);

}  // namespace dyvern
