#include "minimize/box_newton.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace dyvern {
namespace {

constexpr int kMaxIterations = 200;
constexpr int kMaxHalvings = 60;
constexpr int kMaxDampings = 40;
constexpr double kFirstDamping = 1e-10;
constexpr double kTieRounding = 4.0 * std::numeric_limits<double>::epsilon();
constexpr double kTieShrink = 0.25;  // of the squared gradient: Newton's rate, not noise
// A variable this close to a bound, pushed toward it, is put on it: else a
// step that moves the others as if it could go on past the bound is spoiled
// by the clamp and may never be taken.
constexpr double kActiveBand = 1e-10;

Point Clamp(Point x, const SearchBox& box) {
    for (int i = 0; i < kJetSize; ++i)
        if (box.free[i]) x[i] = std::min(std::max(x[i], box.lower[i]), box.upper[i]);
    return x;
}

bool NearLower(const Point& x, const SearchBox& box, int i) {
    return x[i] <= box.lower[i] + kActiveBand;
}

bool NearUpper(const Point& x, const SearchBox& box, int i) {
    return x[i] >= box.upper[i] - kActiveBand;
}

// Whether variable i is pressed against a bound: on it or within the band,
// with the gradient pointing out of the box.
bool Pressed(const Jet& f, const Point& x, const SearchBox& box, int i) {
    const double g = f.gradient[i];
    return (NearLower(x, box, i) && g >= 0.0) || (NearUpper(x, box, i) && g <= 0.0);
}

// The free variables that may move: not pressed against a bound, and not
// ones along which the function is flat to second order.
IndexList MovingVariables(const Jet& f, const Point& x, const SearchBox& box) {
    IndexList moving;
    for (int i = 0; i < kJetSize; ++i) {
        if (!box.free[i]) continue;
        const double g = f.gradient[i];
        if (Pressed(f, x, box, i)) continue;
        const bool ignored = g == 0.0 && f.hessian[i][i] == 0.0;
        if (!ignored) moving.Add(i);
    }
    return moving;
}

struct NewtonStep {
    Point delta{};
    double decrement = 0.0;  // -g . delta
    bool undamped = false;
};

// Solves (H + mu D) delta = -g on the moving variables, D the diagonal of
// |H|, with mu = 0 first and growing until the system is positive definite.
NewtonStep StepFor(const Jet& f, const Point& x, const SearchBox& box, const IndexList& moving) {
    NewtonStep step;
    for (int i = 0; i < kJetSize; ++i) {
        if (!box.free[i] || !Pressed(f, x, box, i)) continue;
        step.delta[i] = (NearLower(x, box, i) ? box.lower[i] : box.upper[i]) - x[i];
    }
    const SmallMatrix H = HessianPart(f, moving);
    SmallVector minusG = GradientPart(f.gradient, moving);
    for (double& g : minusG) g = -g;
    SmallVector solution{};
    bool solved = false;
    double mu = 0.0;
    for (int attempt = 0; attempt < kMaxDampings && !solved; ++attempt) {
        SmallMatrix damped = H;
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
double ProjectedGradient(const Jet& f, const Point& x, const SearchBox& box) {
    double sum = 0.0;
    for (const int i : MovingVariables(f, x, box)) sum += f.gradient[i] * f.gradient[i];
    return sum;
}

// Near the optimum the value is flat to rounding long before the point is
// found to the last digits: a full step whose value ties within
// rounding (it is not measurably worse) is taken when it shrinks the
// gradient that is still free to act (so also when it lands on a bound).
bool TiesAndCloses(const SearchBox& box, const Jet& there, const Point& trial, const Jet& here,
                   const Point& x) {
    return ProjectedGradient(there, trial, box) < kTieShrink * ProjectedGradient(here, x, box);
}

// Where a search stands: the point, and the expansion there.
struct SearchPoint {
    Point x{};
    Jet f;
};

// The first of x + delta, x + delta/2, ... (kept in the box) that is
// strictly better, or the full step when it ties and closes in; false when
// there is none. The full step is expanded at once: near the optimum it is
// nearly always taken, and its expansion is the next step's.
bool LineSearch(const SmoothFunction& f, const SearchBox& box, const NewtonStep& step,
                SearchPoint& at) {
    const double fx = at.f.value;
    double alpha = 1.0;
    for (int k = 0; k < kMaxHalvings; ++k, alpha *= 0.5) {
        Point trial = at.x;
        for (int i = 0; i < kJetSize; ++i) trial[i] += alpha * step.delta[i];
        trial = Clamp(trial, box);
        if (trial == at.x) return false;
        if (k == 0) {
            const Jet there = f.Expansion(trial, box.free);
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

}  // namespace

JetPoint JetsAt(const Point& x, const FreeMask& free) {
    JetPoint jets;
    for (int i = 0; i < kJetSize; ++i) jets[i] = free[i] ? JetVariable(x[i], i) : Jet(x[i]);
    return jets;
}

DualPoint DualsAt(const Point& x, const FreeMask& free) {
    DualPoint duals;
    for (int i = 0; i < kJetSize; ++i) duals[i] = free[i] ? DualVariable<kJetSize>(x[i], i) : Dual<kJetSize>(x[i]);
    return duals;
}

// Converged when the predicted gain g' H^-1 g / 2 is small against the
// value (or absolutely, for least squares that reaches 0).
BoxMinimum MinimiseInBox(const SmoothFunction& f, const Point& start, const SearchBox& box,
                         BoxStop stop, double decrementTolerance) {
    BoxMinimum result;
    bool wasConverged = false;
    SearchPoint at;
    at.x = Clamp(start, box);
    at.f = f.Expansion(at.x, box.free);
    for (; result.iterations < kMaxIterations; ++result.iterations) {
        const IndexList moving = MovingVariables(at.f, at.x, box);
        const NewtonStep step = StepFor(at.f, at.x, box, moving);
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

IndexList InteriorVariables(const Jet& f, const Point& x, const SearchBox& box) {
    IndexList interior;
    for (int i = 0; i < kJetSize; ++i) {
        if (!box.free[i] || !(x[i] > box.lower[i] && x[i] < box.upper[i])) continue;
        if (f.hessian[i][i] != 0.0) interior.Add(i);
    }
    return interior;
}

double DeltaMethodError(const Jet& negativeLnL, const Dual<kJetSize>& quantity, const IndexList& interior) {
    const double variance = InverseQuadraticForm(HessianPart(negativeLnL, interior),
                                                 GradientPart(quantity.gradient, interior));
    return variance >= 0.0 ? std::sqrt(variance) : std::numeric_limits<double>::quiet_NaN();
}

}  // namespace dyvern
