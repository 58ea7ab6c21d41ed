// The distances of the pairs of one packed alignment under one set of
// options: what every pair shares (the path its model takes, a closed
// form's plan and bound) worked out once, then each pair counted alone.
#pragma once

#include <optional>
#include <vector>

#include "distance/distance_options.h"
#include "distance/formula_pair.h"
#include "distance/packed_alignment.h"
#include "distance/pair_distance.h"

namespace dyvern {

enum class RowShape {
    // Row i holds the pairs (i, j) for j = i + 1 .. n - 1: the rows together
    // are the list of pairs in order, each once.
    UpperTriangle,
    // Row i holds j = 0 .. n - 1; each pair is counted with its smaller index
    // as sequence 1, so the matrix is exactly symmetric. The diagonal is the
    // sequence against itself: d = 0, status identical, or unfittable when
    // the sequence has no site with a base.
    Square,
};

class PairDistances {
public:
    // Both are kept by reference: they must outlive this.
    PairDistances(const PackedAlignment& packed, const DistanceOptions& options);

    const PackedAlignment& Packed() const { return packed_; }
    const DistanceOptions& Options() const { return options_; }

    // The distance of sequences i and j (i != j), counted with the smaller
    // index as sequence 1, as every row holds it; a pair with fewer sites
    // than options.minOverlap is too-few-sites.
    PairDistance Between(int i, int j) const;
    // The distances of one row, as ComputeDistanceRows hands it over.
    std::vector<PairDistance> Row(RowShape shape, int row) const;

private:
    PairDistance AnyOverlap(int first, int second) const;
    PairDistance Diagonal(int row) const;

    const PackedAlignment& packed_;
    const DistanceOptions& options_;
    bool fast_ = false;    // the likelihood's or least squares' own fast path
    bool byKind_ = false;  // and from the counts by kind of difference alone
    std::optional<FormulaPairs> formula_;
};

}  // namespace dyvern
