// The distance of one pair table and its standard error, at closed-form
// speed: the optimum a refined fit (estimate/pair_fit.h) reaches, without
// the rest of what such a fit reports.
#pragma once

#include <optional>

#include "align/pair_table.h"
#include "model/divergence.h"
#include "model/fit_status.h"

namespace dyvern {

struct PairDistance {
    int sites = 0;  // the table's site count n
    double d = 0.0;
    // Under likelihood: from the observed information, as FitPair gives it;
    // NaN under least squares and where it is undefined.
    double seD = 0.0;
    FitStatus status = FitStatus::Unfittable;
};

// The window's models by their criteria, and TN93 and GTR by likelihood:
// JC69 and K80 by their formulas; the least-squares fits by matching the
// observed shares; F81, HKY85 and TN93 likelihood by Newton's method from
// those (TN93 from its closed form); GTR likelihood in closed form. Tables
// on or near an edge of the parameter space, where the status rests on
// rounding, are fitted in full by FitPair, so d, seD and the status are
// always FitPair's. Unfittable tables give d = seD = NaN. Without
// `standardError`, seD is NaN and d and the status are the same.
PairDistance DistanceOf(const PairTable& table, ModelKind model, Criterion criterion,
                        bool standardError = true);
PairDistance DistanceOf(const DivergenceCounts& counts, int siteCount, ModelKind model,
                        Criterion criterion, bool standardError = true);

// DistanceOf the table of `sites` plain sites of which `transitions` and
// `transversions` differ, without building and checking a table: the
// counts of JC69 and K80, which see nothing else. Other models are given
// the pooled table such counts stand for.
PairDistance DistanceOfKinds(int sites, double transitions, double transversions, ModelKind model,
                             Criterion criterion, bool standardError = true);

// The same without the full fit: nothing where DistanceOf needs it.
std::optional<PairDistance> FastDistanceOf(const DivergenceCounts& counts, int siteCount,
                                           ModelKind model, Criterion criterion,
                                           bool standardError = true);

}  // namespace dyvern
