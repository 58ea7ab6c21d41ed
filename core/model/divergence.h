// The vocabulary of divergence between two aligned sequences: the table of
// base pairs, the models and the two criteria they are scored by.
#pragma once

#include <array>

namespace dyvern {

// Row and column index of a base in a count table.
enum Nucleotide : int { A = 0, C = 1, G = 2, T = 3 };

// Row = base in sequence 1, column = base in sequence 2, both A, C, G, T.
// Doubles, because a data file may give proportions that are scaled to counts,
// and an ambiguous site may be shared out over several cells.
using DivergenceCounts = std::array<std::array<double, 4>, 4>;

// The window's four first, each equal to its position in the window's model
// list; the family's other members after them (model_family.h).
enum class ModelKind : int {
    JC69 = 0,
    F81 = 1,
    K80 = 2,
    HKY85 = 3,
    T92,
    K81,
    F84,
    TN93,
    GTR,
    LogDet,
    Paralinear,
    Raw,
};

// How a model's distance is estimated. The window's two first, each the
// value its minimiser minimises: -lnL or SS. A formula is a published closed
// form (model_family.h says which models have one).
enum class Criterion : int { MaxLikelihood = 0, LeastSquares = 1, Formula = 2 };

// Whether a cell (i, j) is an identical pair, a transition (within purines
// A/G or pyrimidines C/T) or a transversion.
enum class PairKind { Identical, Transition, Transversion };

constexpr PairKind KindOfPair(int i, int j) {
    if (i == j) return PairKind::Identical;
    return (i % 2) == (j % 2) ? PairKind::Transition : PairKind::Transversion;
}

// What a model is scored against, and how: the observed table of n sites,
// the model kind and the criterion.
struct FitTarget {
    ModelKind modelKind = ModelKind::JC69;
    Criterion criterion = Criterion::MaxLikelihood;
    int siteCount = 0;  // n as declared by the data, not the cell sum
    DivergenceCounts observed{};
};

}  // namespace dyvern
