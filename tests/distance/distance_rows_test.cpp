// Rows in order and the same for every thread count and row range, each entry
// the distance of the pair counted from the text, the square exactly symmetric.
#include "distance/distance_rows.h"

#include <gtest/gtest.h>

#include <cstring>
#include <stdexcept>

#include "random_alignment.h"

namespace dyvern {
namespace {

using Rows = std::vector<std::vector<PairDistance>>;

constexpr int kSequences = 11;

bool SameBits(const PairDistance& x, const PairDistance& y) {
    return x.sites == y.sites && x.status == y.status && std::memcmp(&x.d, &y.d, sizeof x.d) == 0 &&
           std::memcmp(&x.seD, &y.seD, sizeof x.seD) == 0;
}

Rows Collect(const PackedAlignment& packed, const DistanceOptions& options, RowShape shape,
             int begin, int end) {
    Rows rows;
    ComputeDistanceRows(packed, options, shape, begin, end,
                        [&](int row, const std::vector<PairDistance>& distances) {
                            EXPECT_EQ(row, begin + static_cast<int>(rows.size()));
                            rows.push_back(distances);
                        });
    return rows;
}

// Half the sequences free of ambiguity codes, so that K80 counts some pairs by
// kind under every mode.
Alignment Mixed() {
    Alignment alignment = testing::RandomAlignment({kSequences, 150, 0.05, 0.05, 0.05}, 7);
    for (int k = 0; k < kSequences; k += 2)
        alignment.sequences[k] =
            testing::RandomAlignment({1, 150, 0.05, 0.05, 0.0}, 100 + k).sequences[0];
    return alignment;
}

TEST(DistanceRows, EachEntryIsItsPairsDistanceForEveryThreadCountShapeAndRange) {
    const Alignment alignment = Mixed();
    const PackedAlignment packed(alignment);
    const DistanceOptions cases[] = {
        {ModelKind::K80, Criterion::MaxLikelihood, Ambiguity::Resolve, 1},
        {ModelKind::JC69, Criterion::LeastSquares, Ambiguity::Skip, 1},
        {ModelKind::HKY85, Criterion::MaxLikelihood, Ambiguity::Average, 1},
    };
    for (DistanceOptions options : cases) {
        Rows expected(kSequences, std::vector<PairDistance>(kSequences));
        for (int i = 0; i < kSequences; ++i)
            for (int j = i + 1; j < kSequences; ++j)
                expected[i][j] = expected[j][i] = DistanceOf(
                    CountPair(alignment.sequences[i], alignment.sequences[j], options.ambiguity),
                    options.model, options.criterion);
        for (const int threads : {1, 2, 3, 0}) {
            options.threads = threads;
            for (const RowShape shape : {RowShape::UpperTriangle, RowShape::Square}) {
                for (const auto& [begin, end] : {std::pair{0, kSequences}, std::pair{3, 7}}) {
                    SCOPED_TRACE(::testing::Message()
                                 << "model " << static_cast<int>(options.model) << ", " << threads
                                 << " threads, shape " << static_cast<int>(shape) << ", from row "
                                 << begin);
                    const Rows rows = Collect(packed, options, shape, begin, end);
                    ASSERT_EQ(rows.size(), static_cast<std::size_t>(end - begin));
                    for (int i = begin; i < end; ++i) {
                        const int first = shape == RowShape::Square ? 0 : i + 1;
                        const std::vector<PairDistance>& row = rows[i - begin];
                        ASSERT_EQ(row.size(), static_cast<std::size_t>(kSequences - first));
                        for (int j = first; j < kSequences; ++j) {
                            if (j == i)
                                EXPECT_TRUE(row[j].d == 0.0 &&
                                            row[j].status == FitStatus::Identical);
                            else
                                EXPECT_TRUE(SameBits(row[j - first], expected[i][j]))
                                    << i << "," << j;
                        }
                    }
                }
            }
        }
    }
}

TEST(DistanceRows, BadArgumentsAndFailingCallbacksEndCleanly) {
    const PackedAlignment packed(Mixed());
    const auto ignore = [](int, const std::vector<PairDistance>&) {};
    DistanceOptions options{ModelKind::JC69, Criterion::MaxLikelihood, Ambiguity::Skip, -1};
    EXPECT_THROW(ComputeDistanceRows(packed, options, RowShape::Square, 0, kSequences, ignore),
                 std::invalid_argument);
    options.threads = 2;
    for (const auto& [begin, end] : {std::pair{-1, 3}, std::pair{5, 4}, std::pair{0, 12}})
        EXPECT_THROW(ComputeDistanceRows(packed, options, RowShape::Square, begin, end, ignore),
                     std::invalid_argument);
    int delivered = 0;
    const auto failAtThree = [&](int row, const std::vector<PairDistance>&) {
        if (row == 3) throw std::runtime_error("disk full");
        ++delivered;
    };
    EXPECT_THROW(
        ComputeDistanceRows(packed, options, RowShape::UpperTriangle, 0, kSequences, failAtThree),
        std::runtime_error);
    EXPECT_EQ(delivered, 3);
    EXPECT_TRUE(Collect(packed, options, RowShape::Square, 4, 4).empty());
}

}  // namespace
}  // namespace dyvern
