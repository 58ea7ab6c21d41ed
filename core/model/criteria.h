// The two criteria a model is scored by on one pair table, as functions of
// the family's coordinates (substitution_rates.h), on doubles or on Jets:
// the log-likelihood and the window's least-squares distance.
#pragma once

#include "model/model_family.h"
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
T LogLikelihood(const PairData& data, const Rates<T>& k) {
    using std::log;
    const ColumnProbabilities<T> columns = ColumnsOf(k);
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
