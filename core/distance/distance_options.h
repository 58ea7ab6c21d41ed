// What a run of distances computes: the model, the criterion, the threads,
// and what of each pair the caller reads (the packed alignment says how its
// sites are read).
#pragma once

#include <array>
#include <optional>
#include <vector>

#include "align/pair_table.h"
#include "estimate/fit_options.h"
#include "model/divergence.h"

namespace dyvern {

struct DistanceOptions {
    ModelKind model = ModelKind::JC69;
    Criterion criterion = Criterion::MaxLikelihood;
    int threads = 0;  // 0: every core the machine has
    // Rate variation, and frequencies given for every pair (the alignment's).
    FitOptions fit;
    // The frequencies held at each pair's own composition instead (likelihood).
    bool pairFrequencies = false;
    // With frequencies given: each sequence's own composition (paralinear's).
    std::vector<std::array<double, 4>> sequenceCompositions;
    // Whether the caller reads seD: without it (a matrix prints none) the
    // distances skip their variances, and seD is NaN.
    bool standardErrors = true;
    // Pairs the caller keeps: those with d <= maxD. The others need no seD
    // (the closed forms leave it NaN), and a closed form whose d must
    // exceed maxD before the pair is counted to its end stops there (see
    // FormulaDistanceBetween).
    std::optional<double> maxD;
    // A pair with fewer sites counted than this has no distance (status
    // too-few-sites); 0 keeps every pair.
    int minOverlap = 0;
};

}  // namespace dyvern
