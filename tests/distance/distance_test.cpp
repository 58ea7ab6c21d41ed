// Packed alignments: their pair tables equal CountPair's on the text to the
// last bit; their rows come in order, each entry the distance of the pair
// counted from the text, the same for every thread count and row range. Fast
// distances against the refined fits of estimate/pair_fit.h on tables drawn
// from the model and on the edges of the parameter space.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <iterator>
#include <optional>
#include <random>
#include <stdexcept>
#include <string>

#include "align/pair_table.h"
#include "distance/distance_rows.h"
#include "distance/packed_pair.h"
#include "distance/pair_distance.h"
#include "estimate/pair_fit.h"
#include "model/model_family.h"
#include "model_tables.h"
#include "support/reference_model.h"
#include "support/test_tables.h"

namespace dyvern {
namespace {

struct AlignmentShape {
    int sequences;
    int sites;
    double gaps;       // share of '-'
    double missing;    // share of N and '?'
    double ambiguous;  // share of two- and three-base codes
};

// Sequences share a random ancestor and differ at about a fifth of the sites,
// written in mixed case with U for some T.
Alignment RandomAlignment(const AlignmentShape& shape, std::uint32_t seed) {
    std::mt19937 random(seed);
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    const auto pick = [&](const char* letters, int count) {
        return letters[std::uniform_int_distribution<int>(0, count - 1)(random)];
    };
    std::string ancestor;
    for (int s = 0; s < shape.sites; ++s) ancestor += pick("ACGT", 4);
    Alignment alignment;
    for (int k = 0; k < shape.sequences; ++k) {
        std::string sequence = ancestor;
        for (char& c : sequence) {
            const double u = unit(random);
            if (u < shape.gaps)
                c = '-';
            else if (u < shape.gaps + shape.missing)
                c = pick("N?n", 3);
            else if (u < shape.gaps + shape.missing + shape.ambiguous)
                c = pick("RYSWKMBDHVrykm", 14);
            else if (unit(random) < 0.2)
                c = pick("ACGTUacgtu", 10);
        }
        alignment.names.push_back("s" + std::to_string(k));
        alignment.sequences.push_back(sequence);
    }
    return alignment;
}

// Every way of reading sites: each mode, N and ? as codes or not, and a
// resolve limit low enough that some pairs fall back to average.
std::vector<SiteReading> EveryReading() {
    std::vector<SiteReading> readings;
    for (const Ambiguity mode : {Ambiguity::Skip, Ambiguity::Average, Ambiguity::Resolve,
                                 Ambiguity::ResolveShared, Ambiguity::GapMismatch})
        for (const bool unknown : {false, true})
            for (const double limit : {1.0, 0.03}) {
                SiteReading reading(mode);
                reading.unknownAsAmbiguous = unknown;
                reading.resolveLimit = limit;
                readings.push_back(reading);
            }
    return readings;
}

TEST(PackedPair, EqualsCountPairOnRandomAlignmentsUnderEveryReading) {
    const AlignmentShape shapes[] = {
        {3, 1, 0.0, 0.0, 0.0},   {4, 63, 0.1, 0.1, 0.1},     {4, 64, 0.0, 0.0, 0.3},
        {4, 65, 0.3, 0.0, 0.0},  {5, 200, 0.05, 0.05, 0.05}, {3, 1000, 0.02, 0.02, 0.5},
        {6, 129, 0.0, 0.0, 0.0}, {3, 300, 0.4, 0.4, 0.2},    {2, 0, 0.0, 0.0, 0.0},
    };
    int averaged = 0;
    for (const AlignmentShape& shape : shapes) {
        for (std::uint32_t seed = 1; seed <= 3; ++seed) {
            const Alignment alignment = RandomAlignment(shape, seed);
            for (const SiteReading& reading : EveryReading()) {
                const PackedAlignment packed(alignment, reading);
                for (int i = 0; i < shape.sequences; ++i)
                    for (int j = 0; j < shape.sequences; ++j) {
                        SCOPED_TRACE(::testing::Message()
                                     << shape.sites << " sites, seed " << seed << ", mode "
                                     << static_cast<int>(reading.ambiguity) << ", N "
                                     << reading.unknownAsAmbiguous << ", limit "
                                     << reading.resolveLimit << ", pair " << i << "," << j);
                        const PairTable text =
                            CountPair(alignment.sequences[i], alignment.sequences[j], reading);
                        const PairTable table = CountPackedPair(packed, i, j);
                        EXPECT_EQ(table.sites, text.sites);
                        EXPECT_EQ(table.gapOrMissing, text.gapOrMissing);
                        EXPECT_EQ(table.ambiguous, text.ambiguous);
                        EXPECT_EQ(table.resolved, text.resolved);
                        EXPECT_EQ(table.averaged, text.averaged);
                        EXPECT_EQ(table.counts, text.counts);
                        averaged += table.averaged;
                    }
            }
        }
    }
    EXPECT_GT(averaged, 0) << "no pair reached the resolve limit";
}

using Rows = std::vector<std::vector<PairDistance>>;

constexpr int kSequences = 11;

bool SameBits(const PairDistance& x, const PairDistance& y) {
    return x.sites == y.sites && x.status == y.status && std::memcmp(&x.d, &y.d, sizeof x.d) == 0 &&
           std::memcmp(&x.seD, &y.seD, sizeof x.seD) == 0;
}

// Rows begin .. end, each checked as it comes against the pairs' distances,
// the diagonal's zero aside.
void ExpectRows(const PackedAlignment& packed, const DistanceOptions& options, RowShape shape,
                int begin, int end, const Rows& expected) {
    int next = begin;
    ComputeDistanceRows(
        packed, options, shape, begin, end, [&](int i, const std::vector<PairDistance>& row) {
            ASSERT_EQ(i, next++);
            const int first = shape == RowShape::Square ? 0 : i + 1;
            ASSERT_EQ(row.size(), static_cast<std::size_t>(kSequences - first));
            for (int j = first; j < kSequences; ++j)
                if (j == i)
                    EXPECT_TRUE(row[j].d == 0.0 && row[j].status == FitStatus::Identical);
                else
                    EXPECT_TRUE(SameBits(row[j - first], expected[i][j])) << i << "," << j;
        });
    EXPECT_EQ(next, end);
}

DistanceOptions OptionsOf(ModelKind model, Criterion criterion) {
    DistanceOptions options;
    options.model = model;
    options.criterion = criterion;
    return options;
}

Alignment RowsAlignment() { return RandomAlignment({kSequences, 150, 0.05, 0.05, 0.05}, 7); }

TEST(DistanceRows, EachEntryIsItsPairsDistanceForEveryThreadCountShapeAndRange) {
    const Alignment alignment = RowsAlignment();
    const DistanceOptions cases[] = {
        OptionsOf(ModelKind::K80, Criterion::MaxLikelihood),
        OptionsOf(ModelKind::JC69, Criterion::LeastSquares),
        OptionsOf(ModelKind::HKY85, Criterion::MaxLikelihood),
        OptionsOf(ModelKind::TN93, Criterion::MaxLikelihood),
        OptionsOf(ModelKind::GTR, Criterion::MaxLikelihood),
    };
    const Ambiguity modes[] = {Ambiguity::Resolve, Ambiguity::Skip, Ambiguity::GapMismatch,
                               Ambiguity::ResolveShared, Ambiguity::Average};
    for (std::size_t c = 0; c < std::size(cases); ++c) {
        DistanceOptions options = cases[c];
        const PackedAlignment packed(alignment, modes[c]);
        Rows expected(kSequences, std::vector<PairDistance>(kSequences));
        for (int i = 0; i < kSequences; ++i)
            for (int j = i + 1; j < kSequences; ++j)
                expected[i][j] = expected[j][i] =
                    DistanceOf(CountPair(alignment.sequences[i], alignment.sequences[j], modes[c]),
                               options.model, options.criterion);
        SCOPED_TRACE(::testing::Message() << "model " << static_cast<int>(options.model));
        for (const int threads : {1, 2, 3, 0}) {
            options.threads = threads;
            for (const RowShape shape : {RowShape::UpperTriangle, RowShape::Square})
                for (const auto& [begin, end] : {std::pair{0, kSequences}, std::pair{3, 7}}) {
                    SCOPED_TRACE(::testing::Message()
                                 << threads << " threads, shape " << static_cast<int>(shape)
                                 << ", rows from " << begin);
                    ExpectRows(packed, options, shape, begin, end, expected);
                }
        }
    }
}

TEST(DistanceRows, BadInputAndFailingCallbacksEndCleanly) {
    for (const auto& [second, message] :
         {std::pair{"ACG", "sequence 'two' has 3 sites where the first has 4"},
          std::pair{"AC*T",
                    "sequence 'two' holds '*' at site 3, which is not a nucleotide code"}}) {
        try {
            const PackedAlignment refused(Alignment{"bad", {"one", "two"}, {"ACGT", second}});
            ADD_FAILURE() << "accepted " << second;
        } catch (const std::invalid_argument& error) {
            EXPECT_STREQ(error.what(), message);
        }
    }
    const PackedAlignment packed(RowsAlignment());
    int delivered = 0;
    const auto failAtThree = [&](int row, const std::vector<PairDistance>&) {
        if (row == 3) throw std::runtime_error("disk full");
        ++delivered;
    };
    DistanceOptions options = OptionsOf(ModelKind::JC69, Criterion::MaxLikelihood);
    options.threads = -1;
    EXPECT_THROW(ComputeDistanceRows(packed, options, RowShape::Square, 0, kSequences, failAtThree),
                 std::invalid_argument);
    options.threads = 2;
    for (const auto& [begin, end] : {std::pair{-1, 3}, std::pair{5, 4}, std::pair{0, 12}})
        EXPECT_THROW(
            ComputeDistanceRows(packed, options, RowShape::Square, begin, end, failAtThree),
            std::invalid_argument);
    ComputeDistanceRows(packed, options, RowShape::Square, 4, 4, failAtThree);
    EXPECT_EQ(delivered, 0);
    EXPECT_THROW(
        ComputeDistanceRows(packed, options, RowShape::UpperTriangle, 0, kSequences, failAtThree),
        std::runtime_error);
    EXPECT_EQ(delivered, 3);
}

// The models and criteria with a fast path, and how close each full fit
// comes to its own optimum: HKY85's family to 1e-10 of d; GTR's, whose
// derivatives come through eigenvectors and which stops where lnL no
// longer improves, to some 1e-9, now and then 1e-8 (the fast path's closed
// form is exact: see the tables made from the model below).
struct FastCase {
    ModelKind model;
    Criterion criterion;
    double dTolerance;
    bool family = false;  // TN93 and GTR, whose full fits take long
};
constexpr FastCase kFastCases[] = {
    {ModelKind::JC69, Criterion::MaxLikelihood, 1e-10},
    {ModelKind::JC69, Criterion::LeastSquares, 1e-10},
    {ModelKind::F81, Criterion::MaxLikelihood, 1e-10},
    {ModelKind::F81, Criterion::LeastSquares, 1e-10},
    {ModelKind::K80, Criterion::MaxLikelihood, 1e-10},
    {ModelKind::K80, Criterion::LeastSquares, 1e-10},
    {ModelKind::HKY85, Criterion::MaxLikelihood, 1e-10},
    {ModelKind::HKY85, Criterion::LeastSquares, 1e-10},
    {ModelKind::TN93, Criterion::MaxLikelihood, 1e-10, true},
    {ModelKind::GTR, Criterion::MaxLikelihood, 1e-8, true},
};
constexpr int kCases = static_cast<int>(std::size(kFastCases));

// Per case, the tables tried and those with a fast answer.
struct FastCounts {
    std::array<int, kCases> tried{};
    std::array<int, kCases> fast{};
};

// Each case (TN93's and GTR's only with `family`): the fast answer, or
// DistanceOf's where there is none, is the full fit's, and without the
// standard error the same but for it.
void ExpectSameAsFullFit(const DivergenceCounts& counts, int n, const std::string& what,
                         FastCounts& counted, bool family = true) {
    for (int k = 0; k < kCases; ++k) {
        const FastCase& c = kFastCases[k];
        if (c.family && !family) continue;
        SCOPED_TRACE(::testing::Message() << what << ", " << FactsOf(c.model).word << ", criterion "
                                          << static_cast<int>(c.criterion));
        const PairFit full = FitPair(counts, n, c.model, c.criterion);
        const std::optional<PairDistance> quick = FastDistanceOf(counts, n, c.model, c.criterion);
        ++counted.tried[k];
        counted.fast[k] += quick.has_value();
        const PairDistance mine = quick.value_or(DistanceOf(counts, n, c.model, c.criterion));
        EXPECT_STREQ(StatusWord(mine.status), StatusWord(full.status));
        EXPECT_EQ(mine.sites, n);
        if (std::isfinite(full.d))
            EXPECT_NEAR(mine.d, full.d, c.dTolerance * full.d + 1e-300);
        else
            EXPECT_EQ(std::isnan(mine.d), std::isnan(full.d)) << mine.d;
        if (std::isnan(full.seD))
            EXPECT_TRUE(std::isnan(mine.seD)) << mine.seD;
        else
            EXPECT_NEAR(mine.seD, full.seD, 1e-6 * full.seD);
        const PairDistance bare = DistanceOf(counts, n, c.model, c.criterion, false);
        EXPECT_TRUE(std::isnan(bare.seD));
        EXPECT_TRUE(SameBits({mine.sites, mine.d, 0.0, mine.status},
                             {bare.sites, bare.d, 0.0, bare.status}));
    }
}

// Counts of n sites drawn from the cells' probabilities `joint`.
DivergenceCounts Drawn(const DivergenceCounts& joint, int n, std::mt19937& random) {
    std::vector<double> cells;
    for (const auto& row : joint) cells.insert(cells.end(), row.begin(), row.end());
    std::discrete_distribution<int> cell(cells.begin(), cells.end());
    DivergenceCounts counts{};
    for (int site = 0; site < n; ++site) {
        const int c = cell(random);
        counts[c / 4][c % 4] += 1;
    }
    return counts;
}

testing::Frequencies RandomFrequencies(std::mt19937& random) {
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    testing::Frequencies pi{};
    double sum = 0.0;
    for (double& f : pi) sum += f = 0.2 + unit(random);
    for (double& f : pi) f /= sum;
    return pi;
}

// Tables like these are what matrices are made of: nearly all must take
// the fast path.
void ExpectMostlyFast(const FastCounts& counted, double share) {
    for (int k = 0; k < kCases; ++k)
        EXPECT_GE(counted.fast[k], share * counted.tried[k])
            << FactsOf(kFastCases[k].model).word << " criterion "
            << static_cast<int>(kFastCases[k].criterion);
}

// Tables of n sites drawn from HKY85 at distance d with random frequencies
// and kappa, the cells from the reference model; and from the general model
// with random exchangeabilities, the cells from a rate matrix diagonalised
// apart from the program's.
TEST(PairDistance, SameAsTheFullFitOnTablesFromTheModels) {
    std::mt19937 random(10);
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    FastCounts fast{};
    for (int k = 0; k < 156; ++k) {
        const bool general = k >= 120;
        const int n = general ? std::array{200, 600, 2000}[k % 3] : std::array{60, 300, 1000}[k % 3];
        DivergenceCounts counts{};
        if (general) {
            testing::ReversibleModel model{RandomFrequencies(random), {}};
            for (double& rate : model.exchange) rate = 0.3 + 4.0 * unit(random);
            const double d = 0.02 + 0.8 * unit(random);
            counts = Drawn(testing::ExpectedTable(model, d, std::nullopt, 1.0), n, random);
        } else {
            const double d = 0.005 + 1.2 * unit(random) * unit(random);
            const testing::Frequencies pi = RandomFrequencies(random);
            const double kappa = 0.5 + 20.0 * unit(random) * unit(random);
            const double perBt =
                2 * (pi[A] + pi[G]) * (pi[C] + pi[T]) + 2 * kappa * (pi[A] * pi[G] + pi[C] * pi[T]);
            counts = Drawn(testing::ReferenceJoint(d / perBt, kappa, pi), n, random);
        }
        // Averaged ambiguity codes leave shares of a site in 36ths.
        const bool shared = !general && k % 4 == 0;
        if (shared) counts[A][G] += 18.0 / 36, counts[A][A] += 18.0 / 36;
        ExpectSameAsFullFit(counts, n + shared, "table " + std::to_string(k), fast,
                            general || k % 4 == 1);
    }
    ExpectMostlyFast(fast, 0.97);
}

// Where a table is exactly the model's expectation, its optimum is the
// model itself: d is the model's to the last digits, by the fast path.
TEST(PairDistance, TamuraNeiAndGeneralFindTheModelsOwnDistanceInItsExpectedTable) {
    const struct {
        const char* what;
        ModelKind model;
        testing::ReversibleModel generator;
        double d;
    } cases[] = {
        {"TN93", ModelKind::TN93, {{0.1, 0.2, 0.3, 0.4}, {1, 6, 1, 1, 2, 1}}, 0.3},
        {"TN93, close", ModelKind::TN93, {{0.3, 0.2, 0.2, 0.3}, {1, 20, 1, 1, 4, 1}}, 0.01},
        {"TN93, far", ModelKind::TN93, {{0.25, 0.3, 0.25, 0.2}, {1, 3, 1, 1, 8, 1}}, 1.5},
        {"GTR", ModelKind::GTR, {{0.1, 0.2, 0.3, 0.4}, {0.5, 3, 1.5, 0.8, 4, 1}}, 0.4},
        {"GTR, close", ModelKind::GTR, {{0.4, 0.1, 0.3, 0.2}, {2, 9, 0.3, 1, 5, 0.7}}, 0.005},
        {"GTR, far", ModelKind::GTR, {{0.25, 0.25, 0.25, 0.25}, {1, 2, 3, 4, 5, 6}}, 2.0},
        {"GTR at TN93", ModelKind::GTR, {{0.1, 0.2, 0.3, 0.4}, {1, 6, 1, 1, 2, 1}}, 0.3},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const DivergenceCounts table = testing::ExpectedTable(c.generator, c.d, std::nullopt, 1000);
        const std::optional<PairDistance> fast =
            FastDistanceOf(table, 1000, c.model, Criterion::MaxLikelihood);
        ASSERT_TRUE(fast.has_value());
        EXPECT_NEAR(fast->d, c.d, 1e-10 * c.d);
        EXPECT_STREQ(StatusWord(fast->status), "ok");
    }
}

TEST(PairDistance, SameAsTheFullFitOnTheEdges) {
    const struct {
        const char* what;
        DivergenceCounts counts;
    } cases[] = {
        {"identical", {{{30, 0, 0, 0}, {0, 20, 0, 0}, {0, 0, 25, 0}, {0, 0, 0, 25}}}},
        {"identical without T", {{{30, 0, 0, 0}, {0, 20, 0, 0}, {0, 0, 25, 0}, {0, 0, 0, 0}}}},
        {"no transversions", {{{30, 0, 4, 0}, {0, 20, 0, 3}, {2, 0, 25, 0}, {0, 1, 0, 25}}}},
        {"kappa at 0", {{{40, 3, 0, 3}, {3, 40, 4, 1}, {0, 3, 40, 4}, {5, 0, 2, 40}}}},
        {"no purine transitions", {{{60, 2, 0, 3}, {1, 50, 2, 6}, {0, 3, 55, 2}, {2, 5, 1, 45}}}},
        {"no pyrimidine transitions",
         {{{60, 2, 7, 3}, {1, 50, 2, 0}, {5, 3, 55, 2}, {2, 0, 1, 45}}}},
        {"no A <-> C", {{{80, 0, 9, 3}, {0, 70, 2, 8}, {7, 3, 75, 2}, {2, 6, 1, 65}}}},
        {"no A <-> C, no G <-> T", {{{80, 0, 9, 3}, {0, 70, 2, 8}, {7, 3, 75, 0}, {2, 6, 0, 65}}}},
        {"transversions only", {{{50, 6, 0, 5}, {4, 50, 6, 0}, {0, 5, 50, 4}, {6, 0, 5, 50}}}},
        {"saturated", {{{5, 9, 9, 9}, {9, 5, 9, 9}, {9, 9, 5, 9}, {9, 9, 9, 5}}}},
        {"transitions saturated",
         {{{10, 2, 25, 2}, {2, 10, 2, 25}, {25, 2, 10, 2}, {2, 25, 2, 10}}}},
        {"no G", {{{50, 2, 0, 3}, {1, 40, 0, 5}, {0, 0, 0, 0}, {2, 6, 0, 45}}}},
        {"G in one sequence only", {{{50, 2, 4, 3}, {1, 40, 2, 5}, {0, 0, 0, 0}, {2, 6, 1, 45}}}},
        {"only A and C", {{{50, 3, 0, 0}, {4, 40, 0, 0}, {0, 0, 0, 0}, {0, 0, 0, 0}}}},
        {"one difference", {{{250, 0, 1, 0}, {0, 250, 0, 0}, {0, 0, 250, 0}, {0, 0, 0, 250}}}},
        {"no counts", {}},
        {"a negative count", {{{10, -1, 0, 0}, {0, 10, 0, 0}, {0, 0, 10, 0}, {0, 0, 0, 10}}}},
    };
    FastCounts fast{};
    for (const auto& c : cases)
        ExpectSameAsFullFit(c.counts, static_cast<int>(testing::CellSum(c.counts)), c.what, fast);
    ExpectSameAsFullFit(cases[2].counts, 0, "no sites", fast);
}

}  // namespace
}  // namespace dyvern
