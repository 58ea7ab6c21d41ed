// Newton's method inside a box: minimises a smooth function of N variables,
// each free one held within [lower, upper], from its exact gradient and
// Hessian (a Jet). A variable on a bound whose gradient points out of the
// box is held there for the step; an indefinite Hessian is damped toward its
// diagonal until the step goes downhill; the line search halves the step and
// never accepts a value that is measurably worse. The search runs until no
// step improves the point.
#pragma once

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <utility>

#include "base/dual.h"
#include "base/jet.h"
#include "minimize/small_matrix.h"

namespace dyvern {

template <int N>
using Point = std::array<double, N>;
// A point as an argument: functions take N from their other arguments.
template <int N>
using PointArg = typename Identity<Point<N>>::type;
template <int N>
using JetPoint = std::array<Jet<N>, N>;
template <int N>
using DualPoint = std::array<Dual<N>, N>;
template <int N>
using FreeMask = std::array<bool, N>;

template <int N>
class SmoothFunction {
public:
    virtual double Value(const Point<N>& x) const = 0;
    // The value with its derivatives in the free variables (0 in the others).
    virtual Jet<N> Expansion(const Point<N>& x, const FreeMask<N>& free) const = 0;

protected:
    ~SmoothFunction() = default;
};

// The point with its free variables as the jet's (or dual's) variables.
template <int N>
JetPoint<N> JetsAt(const PointArg<N>& x, const typename Identity<FreeMask<N>>::type& free) {
    JetPoint<N> jets;
    for (int i = 0; i < N; ++i) jets[i] = free[i] ? JetVariable<N>(x[i], i) : Jet<N>(x[i]);
    return jets;
}

template <int N>
DualPoint<N> DualsAt(const PointArg<N>& x, const typename Identity<FreeMask<N>>::type& free) {
    DualPoint<N> duals;
    for (int i = 0; i < N; ++i) duals[i] = free[i] ? DualVariable<N>(x[i], i) : Dual<N>(x[i]);
    return duals;
}

// A SmoothFunction from a generic callable taking either kind of point: its
// expansion by evaluating it on Jets.
template <int N, class F>
class SmoothCallable final : public SmoothFunction<N> {
public:
    explicit SmoothCallable(F f) : f(std::move(f)) {}
    double Value(const Point<N>& x) const override { return f(x); }
    Jet<N> Expansion(const Point<N>& x, const FreeMask<N>& free) const override {
        return f(JetsAt<N>(x, free));
    }

private:
    F f;
};

template <int N, class F>
SmoothCallable<N, F> MakeSmooth(F f) {
    return SmoothCallable<N, F>(std::move(f));
}

template <int N>
struct SearchBox {
    Point<N> lower{};
    Point<N> upper{};
    FreeMask<N> free{};  // the others keep their start values
};

template <int N>
struct BoxMinimum {
    Point<N> x{};
    double value = 0.0;
    Jet<N> expansion;  // at x, in the box's free variables
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

namespace box_newton_detail {

inline constexpr int kMaxIterations = 200;
inline constexpr int kMaxHalvings = 60;
inline constexpr int kMaxDampings = 40;
inline constexpr double kFirstDamping = 1e-10;
inline constexpr double kTieRounding = 4.0 * std::numeric_limits<double>::epsilon();
inline constexpr double kTieShrink = 0.25;  // of the squared gradient: Newton's rate, not noise
// A variable this close to a bound, pushed toward it, is put on it: else a
// step that moves the others as if it could go on past the bound is spoiled
// by the clamp and may never be taken.
inline constexpr double kActiveBand = 1e-10;

template <int N>
Point<N> Clamp(PointArg<N> x, const SearchBox<N>& box) {
    for (int i = 0; i < N; ++i)
        if (box.free[i]) x[i] = std::min(std::max(x[i], box.lower[i]), box.upper[i]);
    return x;
}

template <int N>
bool NearLower(const PointArg<N>& x, const SearchBox<N>& box, int i) {
    return x[i] <= box.lower[i] + kActiveBand;
}

template <int N>
bool NearUpper(const PointArg<N>& x, const SearchBox<N>& box, int i) {
    return x[i] >= box.upper[i] - kActiveBand;
}

// Whether variable i is pressed against a bound: on it or within the band,
// with the gradient pointing out of the box.
template <int N>
bool Pressed(const Jet<N>& f, const PointArg<N>& x, const SearchBox<N>& box, int i) {
    const double g = f.gradient[i];
    return (NearLower(x, box, i) && g >= 0.0) || (NearUpper(x, box, i) && g <= 0.0);
}

// The free variables that may move: not pressed against a bound, and not
// ones along which the function is flat to second order.
template <int N>
IndexList<N> MovingVariables(const Jet<N>& f, const PointArg<N>& x, const SearchBox<N>& box) {
    IndexList<N> moving;
    for (int i = 0; i < N; ++i) {
        if (!box.free[i]) continue;
        const double g = f.gradient[i];
        if (Pressed(f, x, box, i)) continue;
        const bool ignored = g == 0.0 && f.hessian[i][i] == 0.0;
        if (!ignored) moving.Add(i);
    }
    return moving;
}

template <int N>
struct NewtonStep {
    Point<N> delta{};
    double decrement = 0.0;  // -g . delta
    bool undamped = false;
};

// Solves (H + mu D) delta = -g on the moving variables, D the diagonal of
// |H|, with mu = 0 first and growing until the system is positive definite.
template <int N>
NewtonStep<N> StepFor(const Jet<N>& f, const PointArg<N>& x, const SearchBox<N>& box,
                      const IndexList<N>& moving) {
    NewtonStep<N> step;
    for (int i = 0; i < N; ++i) {
        if (!box.free[i] || !Pressed(f, x, box, i)) continue;
        step.delta[i] = (NearLower(x, box, i) ? box.lower[i] : box.upper[i]) - x[i];
    }
    const SmallMatrix<N> H = HessianPart(f, moving);
    SmallVector<N> minusG = GradientPart(f.gradient, moving);
    for (double& g : minusG) g = -g;
    SmallVector<N> solution{};
    bool solved = false;
    double mu = 0.0;
    for (int attempt = 0; attempt < kMaxDampings && !solved; ++attempt) {
        SmallMatrix<N> damped = H;
        for (int i = 0; i < H.size; ++i)
            damped.at[i][i] += mu * std::max(std::fabs(H.at[i][i]), 1.0);
        solved = SolvePositiveDefinite(damped, minusG, solution);
        if (!solved) mu = mu == 0.0 ? kFirstDamping : 10.0 * mu;
    }
    if (!solved) return step;
    step.undamped = mu == 0.0;
    for (int k = 0; k < moving.size(); ++k) {
        step.delta[moving[k]] = solution[k];
        step.decrement += minusG[k] * solution[k];
    }
    return step;
}

// The squared gradient over the variables free to move from x.
template <int N>
double ProjectedGradient(const Jet<N>& f, const PointArg<N>& x, const SearchBox<N>& box) {
    double sum = 0.0;
    for (const int i : MovingVariables(f, x, box)) sum += f.gradient[i] * f.gradient[i];
    return sum;
}

// Near the optimum the value is flat to rounding long before the point is
// found to the last digits: a full step whose value ties within
// rounding (it is not measurably worse) is taken when it shrinks the
// gradient that is still free to act (so also when it lands on a bound).
template <int N>
bool TiesAndCloses(const SearchBox<N>& box, const Jet<N>& there, const PointArg<N>& trial,
                   const Jet<N>& here, const PointArg<N>& x) {
    return ProjectedGradient(there, trial, box) < kTieShrink * ProjectedGradient(here, x, box);
}

// Where a search stands: the point, and the expansion there.
template <int N>
struct SearchPoint {
    Point<N> x{};
    Jet<N> f;
};

// The first of x + delta, x + delta/2, ... (kept in the box) that is
// strictly better, or the full step when it ties and closes in; false when
// there is none. The full step is expanded at once: near the optimum it is
// nearly always taken, and its expansion is the next step's.
template <int N>
bool LineSearch(const SmoothFunction<N>& f, const SearchBox<N>& box, const NewtonStep<N>& step,
                SearchPoint<N>& at) {
    const double fx = at.f.value;
    double alpha = 1.0;
    for (int k = 0; k < kMaxHalvings; ++k, alpha *= 0.5) {
        Point<N> trial = at.x;
        for (int i = 0; i < N; ++i) trial[i] += alpha * step.delta[i];
        trial = Clamp(trial, box);
        if (trial == at.x) return false;
        if (k == 0) {
            const Jet<N> there = f.Expansion(trial, box.free);
            const bool tie = there.value <= fx + kTieRounding * std::fabs(fx);
            if (there.value < fx || (tie && TiesAndCloses(box, there, trial, at.f, at.x))) {
                at = {trial, there};
                return true;
            }
            continue;
        }
        if (f.Value(trial) < fx) {
            at = {trial, f.Expansion(trial, box.free)};
            return true;
        }
    }
    return false;
}

}  // namespace box_newton_detail

// Converged when the predicted gain g' H^-1 g / 2 is small against the
// value (or absolutely, for least squares that reaches 0).
template <int N>
BoxMinimum<N> MinimiseInBox(const SmoothFunction<N>& f, const PointArg<N>& start,
                            const SearchBox<N>& box, BoxStop stop = BoxStop::NoBetterPoint,
                            double decrementTolerance = kConvergedDecrement) {
    using namespace box_newton_detail;
    BoxMinimum<N> result;
    bool wasConverged = false;
    SearchPoint<N> at;
    at.x = Clamp(start, box);
    at.f = f.Expansion(at.x, box.free);
    for (; result.iterations < kMaxIterations; ++result.iterations) {
        const IndexList<N> moving = MovingVariables(at.f, at.x, box);
        const NewtonStep<N> step = StepFor(at.f, at.x, box, moving);
        result.converged = step.undamped && step.decrement <= decrementTolerance *
                                                                  (std::fabs(at.f.value) + 1e-12);
        if (moving.empty()) result.converged = true;
        if (stop == BoxStop::Converged && result.converged && wasConverged) break;
        wasConverged = result.converged;
        const bool snaps = std::any_of(step.delta.begin(), step.delta.end(),
                                       [](double delta) { return delta != 0.0; });
        if (!(step.decrement > 0.0) && !snaps) break;
        if (!LineSearch(f, box, step, at)) break;
    }
    result.x = at.x;
    result.value = at.f.value;
    result.expansion = at.f;
    return result;
}

// The free variables strictly inside the box along which f curves: where
// the observed information of a likelihood optimum is taken.
template <int N>
IndexList<N> InteriorVariables(const Jet<N>& f, const PointArg<N>& x, const SearchBox<N>& box) {
    IndexList<N> interior;
    for (int i = 0; i < N; ++i) {
        if (!box.free[i] || !(x[i] > box.lower[i] && x[i] < box.upper[i])) continue;
        if (f.hessian[i][i] != 0.0) interior.Add(i);
    }
    return interior;
}

// sqrt(g' H^-1 g), the standard error the delta method gives a quantity
// with gradient g at the optimum of -lnL, with H the Hessian of -lnL
// (`negativeLnL`) on `interior`; NaN when H is not positive definite.
template <int N>
double DeltaMethodError(const Jet<N>& negativeLnL, const Dual<N>& quantity,
                        const IndexList<N>& interior) {
    const double variance = InverseQuadraticForm(HessianPart(negativeLnL, interior),
                                                 GradientPart(quantity.gradient, interior));
    return variance >= 0.0 ? std::sqrt(variance) : std::numeric_limits<double>::quiet_NaN();
}

}  // namespace dyvern
