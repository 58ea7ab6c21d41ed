#include "estimate/box_newton.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

#include "estimate/small_matrix.h"

namespace dyvern {
namespace {

constexpr int kMaxIterations = 200;
constexpr int kMaxHalvings = 60;
constexpr int kMaxDampings = 40;
constexpr double kFirstDamping = 1e-10;
// Converged when the predicted gain g' H^-1 g / 2 is this small against the
// value (or absolutely, for least squares that reaches 0).
constexpr double kDecrementTolerance = 1e-12;
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
std::vector<int> MovingVariables(const Jet& f, const Point& x, const SearchBox& box) {
    std::vector<int> moving;
    for (int i = 0; i < kJetSize; ++i) {
        if (!box.free[i]) continue;
        const double g = f.gradient[i];
        if (Pressed(f, x, box, i)) continue;
        const bool ignored = g == 0.0 && f.hessian[i][i] == 0.0;
        if (!ignored) moving.push_back(i);
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
NewtonStep StepFor(const Jet& f, const Point& x, const SearchBox& box,
                   const std::vector<int>& moving) {
    NewtonStep step;
    for (int i = 0; i < kJetSize; ++i) {
        if (!box.free[i] || !Pressed(f, x, box, i)) continue;
        step.delta[i] = (NearLower(x, box, i) ? box.lower[i] : box.upper[i]) - x[i];
    }
    const SmallMatrix H = HessianPart(f, moving);
    SmallVector minusG = GradientPart(f, moving);
    for (double& g : minusG) g = -g;
    SmallVector solution;
    double mu = 0.0;
    for (int attempt = 0; attempt < kMaxDampings; ++attempt) {
        SmallMatrix damped = H;
        for (std::size_t i = 0; i < H.size(); ++i)
            damped[i][i] += mu * std::max(std::fabs(H[i][i]), 1.0);
        if (SolvePositiveDefinite(damped, minusG, solution)) break;
        mu = mu == 0.0 ? kFirstDamping : 10.0 * mu;
    }
    if (solution.size() != moving.size()) return step;
    step.undamped = mu == 0.0;
    for (std::size_t k = 0; k < moving.size(); ++k) {
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
bool TiesAndCloses(const SmoothFunction& f, const SearchBox& box, const Point& trial,
                   const Jet& here, const Point& x) {
    const Jet there = ExpandAt(f, trial, box.free);
    return ProjectedGradient(there, trial, box) < kTieShrink * ProjectedGradient(here, x, box);
}

// The first of x + delta, x + delta/2, ... (kept in the box) that is
// strictly better than fx, or the full step when it ties and closes in;
// false when there is none.
bool LineSearch(const SmoothFunction& f, const SearchBox& box, const NewtonStep& step,
                const Jet& here, Point& x, double& fx) {
    double alpha = 1.0;
    for (int k = 0; k < kMaxHalvings; ++k, alpha *= 0.5) {
        Point trial = x;
        for (int i = 0; i < kJetSize; ++i) trial[i] += alpha * step.delta[i];
        trial = Clamp(trial, box);
        if (trial == x) return false;
        const double value = f.Value(trial);
        const bool tie = value <= fx + kTieRounding * std::fabs(fx);
        const bool better = value < fx || (k == 0 && tie && TiesAndCloses(f, box, trial, here, x));
        if (better) {
            x = trial;
            fx = value;
            return true;
        }
    }
    return false;
}

}  // namespace

Jet ExpandAt(const SmoothFunction& f, const Point& x, const std::array<bool, kJetSize>& free) {
    JetPoint jets;
    for (int i = 0; i < kJetSize; ++i) jets[i] = free[i] ? JetVariable(x[i], i) : Jet(x[i]);
    return f.Expansion(jets);
}

BoxMinimum MinimiseInBox(const SmoothFunction& f, const Point& start, const SearchBox& box,
                         BoxStop stop) {
    BoxMinimum result;
    bool wasConverged = false;
    result.x = Clamp(start, box);
    result.value = f.Value(result.x);
    for (; result.iterations < kMaxIterations; ++result.iterations) {
        const Jet jet = ExpandAt(f, result.x, box.free);
        const std::vector<int> moving = MovingVariables(jet, result.x, box);
        const NewtonStep step = StepFor(jet, result.x, box, moving);
        result.converged =
            step.undamped && step.decrement <= kDecrementTolerance * (std::fabs(jet.value) + 1e-12);
        if (moving.empty()) result.converged = true;
        if (stop == BoxStop::Converged && result.converged && wasConverged) break;
        wasConverged = result.converged;
        const bool snaps = std::any_of(step.delta.begin(), step.delta.end(),
                                       [](double delta) { return delta != 0.0; });
        if (!(step.decrement > 0.0) && !snaps) break;
        if (!LineSearch(f, box, step, jet, result.x, result.value)) break;
    }
    return result;
}

}  // namespace dyvern
