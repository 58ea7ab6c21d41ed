// The two criteria a model is scored by on one pair table, as functions of
// the family's coordinates (substitution_rates.h), on doubles or on Jets:
// the log-likelihood and the window's least-squares distance.
#pragma once

#include "model/model_family.h"
#include "model/general_process.h"
#include "model/transition_probabilities.h"

namespace dyvern {

// The table with the totals the criteria need. Likelihood sees the counts
// alone; least squares (like the window) takes shares over the declared n.
struct PairData {
    DivergenceCounts counts{};
    double siteCount = 0.0;
    double transitions = 0.0;
    double transversions = 0.0;
};
PairData MakePairData(const DivergenceCounts& counts, int siteCount);

// Sum of count x ln(pi_i P_ij) over the cells that hold counts, so that a
// cell the model cannot produce costs nothing unless it was observed. As
// ln(pi_i P_ij) = ln pi_i + ln P_ij and P_ij takes three values per column,
// it is summed as 4 + 12 logarithms of pooled counts, not 16 products.
template <class T>
T LogLikelihood(const PairData& data, const Rates<T>& k, const RateVariation& variation = kOneRate) {
    using std::log;
    const ColumnProbabilities<T> columns = ColumnsOf(k, variation);
    T lnL(0.0);
    for (int i = 0; i < 4; ++i) {
        double row = 0.0;
        for (int j = 0; j < 4; ++j) row += data.counts[i][j];
        if (row > 0.0) lnL = lnL + row * log(columns.pi[i]);
    }
    for (int j = 0; j < 4; ++j) {
        std::array<double, 3> pooled{};
        for (int i = 0; i < 4; ++i) pooled[static_cast<int>(KindOfPair(i, j))] += data.counts[i][j];
        for (int kind = 0; kind < 3; ++kind)
            if (pooled[kind] > 0.0) lnL = lnL + pooled[kind] * log(columns.p[j][kind]);
    }
    return lnL;
}

// The same for any reversible model from its joint probabilities, which are
// symmetric: the counts of (i, j) and (j, i) pooled, 10 logarithms.
template <class T>
T PooledLogLikelihood(const PairData& data, const CellTable<T>& joint) {
    using std::log;
    T lnL(0.0);
    for (int i = 0; i < 4; ++i) {
        for (int j = i; j < 4; ++j) {
            const double n = i == j ? data.counts[i][i] : data.counts[i][j] + data.counts[j][i];
            if (n > 0.0) lnL = lnL + n * log(joint[i][j]);
        }
    }
    return lnL;
}

template <class T>
T LogLikelihood(const PairData& data, const ThreeTypeRates<T>& k,
                const RateVariation& variation = kOneRate) {
    return PooledLogLikelihood(data, JointProbabilities(k, variation));
}

template <class T>
T LogLikelihood(const PairData& data, const GeneralRates<T>& k,
                const RateVariation& variation = kOneRate) {
    return PooledLogLikelihood(data, JointProbabilities(k, variation));
}

// The window's SS: squared misses of the expected transition and
// transversion shares, or of all differences together when kappa is fixed.
template <class T>
T SumOfSquares(const PairData& data, const Rates<T>& k, ModelKind model) {
    const CellTable<T> joint = JointProbabilities(k);
    T transitions(-data.transitions / data.siteCount);
    T transversions(-data.transversions / data.siteCount);
    for (int i = 0; i < 4; ++i) {
        for (int j = 0; j < 4; ++j) {
            const PairKind kind = KindOfPair(i, j);
            if (kind == PairKind::Transition) transitions = transitions + joint[i][j];
            if (kind == PairKind::Transversion) transversions = transversions + joint[i][j];
        }
    }
    if (KappaFree(model)) return transitions * transitions + transversions * transversions;
    const T all = transitions + transversions;
    return all * all;
}

// -lnL or SS: smaller is better.
template <class T>
T Misfit(const PairData& data, const Rates<T>& k, ModelKind model, Criterion criterion) {
    if (criterion == Criterion::MaxLikelihood) return -LogLikelihood(data, k);
    return SumOfSquares(data, k, model);
}

}  // namespace dyvern
