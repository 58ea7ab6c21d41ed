// The best fit of one model and criterion to a pair table: Newton's method in
// the model's coordinates from each of some starts, and the best of the
// saturated limits, where d is infinite: every change saturated (the two
// sequences independent draws from the frequencies) and, where the model has
// rates of several kinds, some of them alone saturated, the others searched
// (model/model_coordinates.h lists them).
#pragma once

#include <cmath>
#include <limits>
#include <type_traits>
#include <vector>

#include "estimate/search_coordinates.h"
#include "model/criteria.h"

namespace dyvern {

// -lnL, or the window's SS (for the window's models): smaller is better.
template <ModelKind M, class T>
T MisfitAt(const PairData& data, const std::array<T, kSizeOf<M>>& x, Criterion criterion,
           const RateVariation& variation) {
    const auto rates = ModelCoordinates<M>::RatesAt(x);
    if constexpr (std::is_same_v<std::decay_t<decltype(rates)>, Rates<T>>) {
        if (criterion == Criterion::LeastSquares) return SumOfSquares(data, rates, M);
    }
    return -LogLikelihood(data, rates, variation);
}

template <ModelKind M>
struct SearchResult {
    ModelPoint<M> x{};
    double value = 0.0;  // the criterion there: -lnL or SS
    bool converged = false;
};

template <ModelKind M>
struct PairOptimum {
    SearchResult<M> finite;  // the best from the starts, d finite
    SearchResult<M> limit;   // the best with d infinite
    // No finite d does better than its limit: the data are saturated for
    // the model and the estimate of d is infinite. A finite optimum must
    // beat the limit by more than rounding: on the edge itself (JC69 with
    // p = 3/4) the two agree to the last bits.
    bool saturated() const;
    const SearchResult<M>& best() const { return saturated() ? limit : finite; }
};

namespace pair_search_detail {

constexpr double kRounding = 16.0 * std::numeric_limits<double>::epsilon();

inline bool BetterBeyondRounding(double value, double than) {
    return value < than - kRounding * std::fabs(than);
}

template <ModelKind M>
SearchResult<M> Search(const PairData& data, Criterion criterion, const RateVariation& variation,
                       const ModelPoint<M>& start, const SearchBox<kSizeOf<M>>& box) {
    const auto misfit = MakeSmooth<kSizeOf<M>>(
        [&](const auto& x) { return MisfitAt<M>(data, x, criterion, variation); });
    const BoxMinimum<kSizeOf<M>> minimum = MinimiseInBox(misfit, start, box);
    return {minimum.x, minimum.value, minimum.converged};
}

// The limit where the rates of `mask` are infinite and the others are
// searched from `near`.
template <ModelKind M>
SearchResult<M> Limit(const PairData& data, Criterion criterion, const FitOptions& options,
                      const ModelPoint<M>& near, unsigned mask) {
    SearchBox<kSizeOf<M>> box = FitBox<M>(criterion, options);
    ModelPoint<M> point = near;
    for (int k = 0; k < ModelCoordinates<M>::kRates; ++k) {
        if (!(mask >> k & 1u)) continue;
        point[k] = std::numeric_limits<double>::infinity();
        box.free[k] = false;
    }
    return Search<M>(data, criterion, options.variation, point, box);
}

}  // namespace pair_search_detail

template <ModelKind M>
bool PairOptimum<M>::saturated() const {
    return !pair_search_detail::BetterBeyondRounding(finite.value, limit.value);
}

// Needs at least one start.
template <ModelKind M>
PairOptimum<M> FindOptimum(const PairData& data, Criterion criterion, const FitOptions& options,
                           const std::vector<ModelPoint<M>>& starts) {
    using namespace pair_search_detail;
    PairOptimum<M> optimum;
    const SearchBox<kSizeOf<M>> box = FitBox<M>(criterion, options);
    for (std::size_t k = 0; k < starts.size(); ++k) {
        const SearchResult<M> found = Search<M>(data, criterion, options.variation, starts[k], box);
        if (k == 0 || found.value < optimum.finite.value) optimum.finite = found;
    }
    // Beyond a few dozen units of a rate the limits are the same model: a
    // later one must win by more than rounding.
    bool first = true;
    for (const unsigned mask : ModelCoordinates<M>::kLimits) {
        const SearchResult<M> limit = Limit<M>(data, criterion, options, optimum.finite.x, mask);
        if (first || BetterBeyondRounding(limit.value, optimum.limit.value)) optimum.limit = limit;
        first = false;
    }
    return optimum;
}

}  // namespace dyvern
