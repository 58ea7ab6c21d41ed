// Rows in order and the same for every thread count, each entry the distance
// of the pair counted from the text, the square exactly symmetric.
#include "distance/distance_rows.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <stdexcept>

#include "random_alignment.h"

namespace dyvern {
namespace {

using Rows = std::vector<std::vector<PairDistance>>;

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

class DistanceRows : public ::testing::Test {
protected:
    const Alignment alignment = testing::RandomAlignment({11, 150, 0.05, 0.05, 0.05}, 7);
    const PackedAlignment packed{alignment};
    const int n = 11;
};

TEST_F(DistanceRows, EveryThreadCountGivesTheRowsOfOneThread) {
    for (const RowShape shape : {RowShape::UpperTriangle, RowShape::Square}) {
        DistanceOptions options{ModelKind::HKY85, Criterion::MaxLikelihood, Ambiguity::Average, 1};
        const Rows one = Collect(packed, options, shape, 0, n);
        ASSERT_EQ(one.size(), 11u);
        for (const int threads : {2, 3, 0}) {
            options.threads = threads;
            const Rows many = Collect(packed, options, shape, 0, n);
            ASSERT_EQ(many.size(), one.size());
            for (int i = 0; i < n; ++i) {
                ASSERT_EQ(many[i].size(), one[i].size());
                for (std::size_t j = 0; j < one[i].size(); ++j)
                    EXPECT_TRUE(SameBits(many[i][j], one[i][j]))
                        << threads << ": " << i << "," << j;
            }
        }
        const Rows middle = Collect(packed, options, shape, 3, 7);
        for (int i = 3; i < 7; ++i)
            for (std::size_t j = 0; j < one[i].size(); ++j)
                EXPECT_TRUE(SameBits(middle[i - 3][j], one[i][j]));
    }
}

TEST_F(DistanceRows, EntriesAreTheTextPairsDistancesAndTheSquareIsSymmetric) {
    // Half the sequences free of ambiguity codes, so that K80 counts some
    // pairs by kind under every mode.
    Alignment mixed = alignment;
    for (int k = 0; k < n; k += 2)
        mixed.sequences[k] =
            testing::RandomAlignment({1, 150, 0.05, 0.05, 0.0}, 100 + k).sequences[0];
    const PackedAlignment mixedPacked(mixed);
    const DistanceOptions cases[] = {
        {ModelKind::K80, Criterion::MaxLikelihood, Ambiguity::Resolve, 2},
        {ModelKind::JC69, Criterion::LeastSquares, Ambiguity::Skip, 2},
        {ModelKind::HKY85, Criterion::MaxLikelihood, Ambiguity::Average, 2},
    };
    for (const DistanceOptions& options : cases) {
        const Rows triangle = Collect(mixedPacked, options, RowShape::UpperTriangle, 0, n);
        const Rows square = Collect(mixedPacked, options, RowShape::Square, 0, n);
        for (int i = 0; i < n; ++i) {
            ASSERT_EQ(triangle[i].size(), static_cast<std::size_t>(n - 1 - i));
            EXPECT_EQ(square[i][i].d, 0.0);
            EXPECT_EQ(square[i][i].status, FitStatus::Identical);
            for (int j = i + 1; j < n; ++j) {
                const PairTable table =
                    CountPair(mixed.sequences[i], mixed.sequences[j], options.ambiguity);
                EXPECT_TRUE(SameBits(triangle[i][j - i - 1],
                                     DistanceOf(table, options.model, options.criterion)))
                    << static_cast<int>(options.model) << ": " << i << "," << j;
                EXPECT_TRUE(SameBits(square[i][j], triangle[i][j - i - 1]));
                EXPECT_TRUE(SameBits(square[j][i], square[i][j]));
            }
        }
    }
}

TEST_F(DistanceRows, BadArgumentsAndFailingCallbacksEndCleanly) {
    const auto ignore = [](int, const std::vector<PairDistance>&) {};
    DistanceOptions options{ModelKind::JC69, Criterion::MaxLikelihood, Ambiguity::Skip, -1};
    EXPECT_THROW(ComputeDistanceRows(packed, options, RowShape::Square, 0, n, ignore),
                 std::invalid_argument);
    options.threads = 2;
    for (const auto& range : {std::pair{-1, 3}, std::pair{5, 4}, std::pair{0, 12}})
        EXPECT_THROW(ComputeDistanceRows(packed, options, RowShape::Square, range.first,
                                         range.second, ignore),
                     std::invalid_argument);
    int delivered = 0;
    const auto failAtThree = [&](int row, const std::vector<PairDistance>&) {
        if (row == 3) throw std::runtime_error("disk full");
        ++delivered;
    };
    EXPECT_THROW(ComputeDistanceRows(packed, options, RowShape::UpperTriangle, 0, n, failAtThree),
                 std::runtime_error);
    EXPECT_EQ(delivered, 3);
    EXPECT_TRUE(Collect(packed, options, RowShape::Square, 4, 4).empty());
}

}  // namespace
}  // namespace dyvern
