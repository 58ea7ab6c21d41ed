#include "estimate/pair_search.h"

#include <cmath>
#include <limits>

#include "estimate/search_coordinates.h"

namespace dyvern {
namespace {

constexpr double kInfinity = std::numeric_limits<double>::infinity();
constexpr double kRounding = 16.0 * std::numeric_limits<double>::epsilon();

bool BetterBeyondRounding(double value, double than) {
    return value < than - kRounding * std::fabs(than);
}

SearchResult Search(const PairData& data, ModelKind model, Criterion criterion, const Point& start,
                    const SearchBox& box) {
    const auto misfit = MakeSmooth(
        [&](const auto& x) { return Misfit(data, FitRates(x, model), model, criterion); });
    const BoxMinimum minimum = MinimiseInBox(misfit, start, box);
    return {FitRates(minimum.x, model), minimum.value, minimum.converged};
}

// The limit with v (and so every rate) infinite, and with s alone infinite;
// only the frequencies, and v on the second, are searched. The second must
// win by more than rounding, since beyond a few dozen units of v the two are
// the same model.
SearchResult BestLimit(const PairData& data, ModelKind model, Criterion criterion,
                       const Rates<double>& near) {
    SearchBox box = FitBox(model, criterion);
    box.free[0] = box.free[1] = false;
    Point point = FitPoint(near);
    point[0] = point[1] = kInfinity;
    SearchResult best = Search(data, model, criterion, point, box);
    if (!KappaFree(model)) return best;
    box.free[0] = true;
    point[0] = near.v;
    const SearchResult transitions = Search(data, model, criterion, point, box);
    return BetterBeyondRounding(transitions.value, best.value) ? transitions : best;
}

}  // namespace

bool PairOptimum::saturated() const { return !BetterBeyondRounding(finite.value, limit.value); }

PairOptimum FindOptimum(const PairData& data, ModelKind model, Criterion criterion,
                        const std::vector<Rates<double>>& starts) {
    PairOptimum optimum;
    const SearchBox box = FitBox(model, criterion);
    for (std::size_t k = 0; k < starts.size(); ++k) {
        const SearchResult found = Search(data, model, criterion, FitPoint(starts[k]), box);
        if (k == 0 || found.value < optimum.finite.value) optimum.finite = found;
    }
    optimum.limit = BestLimit(data, model, criterion, optimum.finite.rates);
    return optimum;
}

}  // namespace dyvern
