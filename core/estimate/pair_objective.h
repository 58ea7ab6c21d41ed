// What a fit minimises on one pair table: -lnL or the window's SS, as a
// function of the rates (pair_model.h), on doubles or on Jets.
#pragma once

#include "estimate/pair_model.h"

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
// cell the model cannot produce costs nothing unless it was observed.
template <class T>
T LogLikelihood(const PairData& data, const Rates<T>& k) {
    using std::log;
    const PairTable<T> joint = JointProbabilities(k);
    T lnL(0.0);
    for (int i = 0; i < 4; ++i)
        for (int j = 0; j < 4; ++j)
            if (data.counts[i][j] > 0.0) lnL = lnL + data.counts[i][j] * log(joint[i][j]);
    return lnL;
}

// The window's SS: squared misses of the expected transition and
// transversion shares, or of all differences together when kappa is fixed.
template <class T>
T SumOfSquares(const PairData& data, const Rates<T>& k, ModelKind model) {
    const PairTable<T> joint = JointProbabilities(k);
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
