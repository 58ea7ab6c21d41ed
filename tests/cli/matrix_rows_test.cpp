// The matrix computed once per pair against the matrix computed row by row
// in full, pair by pair twice: the same bytes, notes and totals, for every
// row range a process may be given and every thread count.
#include "matrix_rows.h"

#include <gtest/gtest.h>

#include <random>

#include "dist_rows.h"

namespace dyvern::cli {
namespace {

// Sequences near one another, with gaps, missing data and ambiguity codes,
// one with no base at all and one unrelated to the rest.
Alignment MixedAlignment(int count, int sites, unsigned seed) {
    std::mt19937 random(seed);
    const std::string codes = "ACGTACGTACGTRYN-";
    std::uniform_int_distribution<std::size_t> anyCode(0, codes.size() - 1), anyBase(0, 3);
    std::bernoulli_distribution changed(0.3);
    Alignment alignment{"mixed", {}, {}};
    std::string ancestor;
    for (int s = 0; s < sites; ++s) ancestor += codes[anyBase(random)];
    for (int k = 0; k < count; ++k) {
        std::string sequence = ancestor;
        for (char& c : sequence)
            if (k == 1)
                c = 'N';
            else if (k == 2 || changed(random))
                c = codes[anyCode(random)];
        alignment.names.push_back("s" + std::to_string(k));
        alignment.sequences.push_back(sequence);
    }
    return alignment;
}

// The rows computed in full, each pair twice.
RowText FullRows(const PackedAlignment& packed, const DistanceOptions& options,
                 const DistRowFormatter& formatter, int begin, int end) {
    RowText all;
    for (int row = begin; row < end; ++row)
        formatter.Append(row, PairDistances(packed, options).Row(RowShape::Square, row), all);
    return all;
}

RowText KeptRows(const PackedAlignment& packed, const DistanceOptions& options,
                 const DistRowFormatter& formatter, int begin, int end) {
    RowText all;
    FormatMatrixRows(PairDistances(packed, options), formatter, begin, end, [&](RowText&& row) {
        all.out += row.out;
        all.err += row.err;
        all.totals.Add(row.totals);
    });
    return all;
}

TEST(MatrixRows, KeepingEachPairOnceWritesTheFullRowsBytes) {
    const Alignment alignment = MixedAlignment(13, 70, 5);
    const struct {
        ModelKind model;
        Ambiguity ambiguity;
        int threads, begin, end;
    } cases[] = {
        {ModelKind::K80, Ambiguity::Skip, 1, 0, 13},
        {ModelKind::K80, Ambiguity::Skip, 3, 4, 9},
        {ModelKind::JC69, Ambiguity::Average, 2, 0, 13},
        {ModelKind::HKY85, Ambiguity::Resolve, 2, 1, 13},
        {ModelKind::F81, Ambiguity::Skip, 4, 12, 13},
        {ModelKind::HKY85, Ambiguity::Skip, 1, 6, 6},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.begin) + " to " + std::to_string(c.end) + ", " +
                     std::to_string(c.threads) + " threads");
        const PackedAlignment packed(alignment, c.ambiguity);
        const DistRowFormatter formatter(packed, true, {});
        DistanceOptions options;
        options.model = c.model;
        options.threads = c.threads;
        const RowText full = FullRows(packed, options, formatter, c.begin, c.end);
        const RowText kept = KeptRows(packed, options, formatter, c.begin, c.end);
        EXPECT_EQ(kept.out, full.out);
        EXPECT_EQ(kept.err, full.err);
        EXPECT_EQ(kept.totals.unfitted, full.totals.unfitted);
        EXPECT_EQ(kept.totals.saturated, full.totals.saturated);
    }
}

}  // namespace
}  // namespace dyvern::cli
