// Closed-form distances of the pairs of packed alignments, counted by class
// of difference from the bit planes: for every model with a formula, with
// the pair's frequencies and given ones, with gamma and without, under
// each ambiguity rule, with and without standard errors, the same bits as
// FitPair's on the pair's table counted from the text. And lists bounded by
// maxD, which stop counting a pair once its d must exceed the bound: the
// same pairs kept, with the same numbers, as counting every pair in full.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include "align/pair_table.h"
#include "distance/distance_rows.h"
#include "estimate/pair_fit.h"
#include "formula/base_composition.h"
#include "model/model_family.h"

namespace dyvern {
namespace {

constexpr double kOneRate = std::numeric_limits<double>::infinity();  // no gamma

struct Shape {
    int sequences;
    int sites;
    std::vector<double> divergences;  // each sequence's share of changed sites, in turn
    double gaps;                      // share of '-' and N
    double ambiguous;                 // share of two- and three-base codes
};

// Sequences that each change a share of a common ancestor's sites; a share
// of 1 makes a sequence unrelated to the rest.
Alignment Sequences(const Shape& shape, std::uint32_t seed) {
    std::mt19937 random(seed);
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    const auto pick = [&](const char* letters, int count) {
        return letters[std::uniform_int_distribution<int>(0, count - 1)(random)];
    };
    std::string ancestor;
    for (int s = 0; s < shape.sites; ++s) ancestor += pick("AACGTTT", 7);
    Alignment alignment;
    for (int k = 0; k < shape.sequences; ++k) {
        const double divergence = shape.divergences[k % shape.divergences.size()];
        std::string sequence = ancestor;
        for (char& c : sequence) {
            if (unit(random) < divergence) c = pick("ACGGT", 5);
            const double u = unit(random);
            if (u < shape.gaps)
                c = pick("-N", 2);
            else if (u < shape.gaps + shape.ambiguous)
                c = pick("RYSWKMBDHV", 10);
        }
        alignment.names.push_back("s" + std::to_string(k));
        alignment.sequences.push_back(sequence);
    }
    return alignment;
}

bool SameBits(double x, double y) { return std::memcmp(&x, &y, sizeof x) == 0; }

void ExpectSame(const PairDistance& mine, const PairDistance& full, bool standardError) {
    EXPECT_EQ(mine.sites, full.sites);
    EXPECT_STREQ(StatusWord(mine.status), StatusWord(full.status));
    EXPECT_TRUE(SameBits(mine.d, full.d)) << mine.d << " vs " << full.d;
    if (standardError)
        EXPECT_TRUE(SameBits(mine.seD, full.seD)) << mine.seD << " vs " << full.seD;
    else
        EXPECT_TRUE(std::isnan(mine.seD)) << mine.seD;
}

bool Ambiguous(const std::string& sequence) {
    return sequence.find_first_of("RYSWKMBDHV") != std::string::npos;
}

// Where no site is shared out, raw, JC69 and K80 see a pair by its two
// kinds of difference alone, added up before they are divided by n, as
// their fits always have: their table pooled by kind.
DivergenceCounts SeenBy(ModelKind model, const DivergenceCounts& counts, bool sharedOut) {
    const bool byKind =
        model == ModelKind::Raw || model == ModelKind::JC69 || model == ModelKind::K80;
    if (!byKind || sharedOut) return counts;
    DivergenceCounts pooled{};
    for (int i = 0; i < 4; ++i) {
        for (int j = 0; j < 4; ++j) {
            const PairKind kind = KindOfPair(i, j);
            (kind == PairKind::Identical    ? pooled[A][A]
             : kind == PairKind::Transition ? pooled[A][G]
                                            : pooled[A][C]) += counts[i][j];
        }
    }
    return pooled;
}

// FitPair's answer on the table counted from the text, with the options as
// dist gives them.
PairDistance FullFit(const Alignment& alignment, Ambiguity mode, const DistanceOptions& options,
                     int i, int j) {
    const std::string &first = alignment.sequences[i], &second = alignment.sequences[j];
    const PairTable table = CountPair(first, second, mode);
    const bool sharedOut = mode != Ambiguity::Skip && (Ambiguous(first) || Ambiguous(second));
    FitOptions fit = options.fit;
    if (!options.sequenceCompositions.empty())
        fit.sequenceFrequencies = {options.sequenceCompositions[i],
                                   options.sequenceCompositions[j]};
    const PairFit f = FitPair(SeenBy(options.model, table.counts, sharedOut), table.sites,
                              options.model, Criterion::Formula, Uncertainty::StandardErrors, fit);
    return {table.sites, f.d, f.seD, f.status};
}

// The whole alignment's composition for the class models, each sequence's
// for paralinear, as --frequencies alignment gives them.
void GiveFrequencies(const Alignment& alignment, DistanceOptions& options) {
    options.fit.heldFrequencies = SequenceComposition(alignment.sequences);
    for (const std::string& sequence : alignment.sequences)
        options.sequenceCompositions.push_back(SequenceComposition(sequence));
}

std::vector<ModelKind> FormulaModels() {
    std::vector<ModelKind> models;
    for (const ModelKind model : kAllModels)
        if (Estimable(model, Estimation::Formula)) models.push_back(model);
    return models;
}

// The closed form of `model` under one thread, with the alignment's
// frequencies if `given`.
DistanceOptions FormulaOptions(ModelKind model, double alpha, const Alignment* given = nullptr) {
    DistanceOptions options;
    options.model = model;
    options.criterion = Criterion::Formula;
    options.threads = 1;
    options.fit.variation.alpha = alpha;
    if (given) GiveFrequencies(*given, options);
    return options;
}

TEST(FormulaPairs, TheBitsOfTheFullTableForEveryModelAndOption) {
    const Alignment alignment = Sequences({7, 700, {0.02, 0.3, 0.1, 1.0, 0.05}, 0.05, 0.02}, 3);
    for (const ModelKind model : FormulaModels())
        for (const bool given : {false, true})
            for (const double alpha : {kOneRate, 0.6})
                for (const Ambiguity mode : {Ambiguity::Skip, Ambiguity::Average, Ambiguity::Resolve})
                    for (const bool errors : {true, false}) {
                        const PackedAlignment packed(alignment, mode);
                        DistanceOptions options =
                            FormulaOptions(model, alpha, given ? &alignment : nullptr);
                        options.standardErrors = errors;
                        for (int i = 0; i < 7; ++i)
                            for (int j = i + 1; j < 7; ++j) {
                                SCOPED_TRACE(::testing::Message()
                                             << FactsOf(model).word << (given ? ", given" : "")
                                             << ", alpha " << alpha << ", mode "
                                             << static_cast<int>(mode) << ", errors " << errors
                                             << ", pair " << i << "," << j);
                                ExpectSame(PairDistances(packed, options).Between(i, j),
                                           FullFit(alignment, mode, options, i, j), errors);
                            }
                    }
}

struct Bounded {
    const char* what;
    Shape shape;
};

const Bounded kAlignments[] = {
    // Unrelated sequences, two thirds of them saturated for JC69, and a few
    // close ones among them.
    {"few close pairs", {12, 12000, {1.0, 1.0, 1.0, 0.01, 0.02}, 0.02, 0.0}},
    {"many close pairs", {12, 10000, {0.005, 0.01, 0.02, 0.04, 0.08, 0.3}, 0.0, 0.0}},
    {"gaps and ambiguity codes", {12, 9000, {0.01, 0.05, 0.2, 1.0}, 0.2, 0.02}},
    {"short", {8, 200, {0.01, 0.1, 1.0}, 0.05, 0.01}},
};

struct BoundCase {
    ModelKind model;
    bool given;
    double alpha;
    // Whether pairs well above a low bound are found so early: every class
    // form with settings it takes.
    bool early;
};

const BoundCase kBoundCases[] = {
    {ModelKind::Raw, false, kOneRate, true},     {ModelKind::JC69, false, kOneRate, true},
    {ModelKind::JC69, false, 0.5, true},         {ModelKind::K80, false, kOneRate, true},
    {ModelKind::K80, false, 2.0, true},          {ModelKind::K81, false, kOneRate, true},
    {ModelKind::K81, true, 1.0, true},           {ModelKind::TN93, false, kOneRate, true},
    {ModelKind::TN93, true, kOneRate, true},     {ModelKind::F84, true, kOneRate, true},
    {ModelKind::Raw, false, 0.5, false},         {ModelKind::F81, false, kOneRate, true},
    {ModelKind::LogDet, false, kOneRate, false},
};

using Rows = std::vector<std::vector<PairDistance>>;

Rows RowsOf(const PackedAlignment& packed, const DistanceOptions& options) {
    Rows rows;
    ComputeDistanceRows(packed, options, RowShape::UpperTriangle, 0,
                        static_cast<int>(packed.size()),
                        [&](int, const std::vector<PairDistance>& row) { rows.push_back(row); });
    return rows;
}

// A pair the list keeps shows everything the full count gives. One it
// leaves out either stopped counting, above the bound on p (never short of
// the least overlap, so a pair too-few-sites stays so), or shows the full
// count's status.
struct LeftOut {
    int far = 0;      // pairs with d over thrice the bound
    int stopped = 0;  // of those, found above it before the end of their counts
};

void ExpectSameList(const Rows& bounded, const Rows& full, double maxD, LeftOut& leftOut) {
    for (std::size_t i = 0; i < full.size(); ++i) {
        for (std::size_t k = 0; k < full[i].size(); ++k) {
            SCOPED_TRACE(::testing::Message() << "pair " << i << "," << i + 1 + k);
            const PairDistance& b = bounded[i][k];
            const PairDistance& f = full[i][k];
            if (f.d <= maxD) {
                ExpectSame(b, f, true);
                continue;
            }
            EXPECT_FALSE(b.d <= maxD) << b.d;
            if (b.status != FitStatus::AboveBound) {
                EXPECT_STREQ(StatusWord(b.status), StatusWord(f.status));
                EXPECT_EQ(b.sites, f.sites);
            } else {
                EXPECT_STRNE(StatusWord(f.status), StatusWord(FitStatus::TooFewSites));
                EXPECT_LE(b.sites, f.sites);
            }
            if (f.d > 3.0 * maxD) {
                ++leftOut.far;
                leftOut.stopped += b.status == FitStatus::AboveBound;
            }
        }
    }
}

TEST(FormulaPairs, ABoundKeepsThePairsAndNumbersOfTheFullCount) {
    LeftOut leftOut;
    for (const Bounded& a : kAlignments) {
        const Alignment alignment = Sequences(a.shape, 11);
        for (const BoundCase& c : kBoundCases)
            for (const Ambiguity mode : {Ambiguity::Skip, Ambiguity::Average}) {
                const PackedAlignment packed(alignment, mode);
                DistanceOptions options =
                    FormulaOptions(c.model, c.alpha, c.given ? &alignment : nullptr);
                const Rows full = RowsOf(packed, options);
                for (const double maxD : {0.0, 0.008, 0.03, 0.1, 0.4, 1.5}) {
                    SCOPED_TRACE(::testing::Message()
                                 << a.what << ", " << FactsOf(c.model).word
                                 << (c.given ? ", given" : "") << ", alpha " << c.alpha << ", mode "
                                 << static_cast<int>(mode) << ", max d " << maxD);
                    options.maxD = maxD;
                    LeftOut here;
                    ExpectSameList(RowsOf(packed, options), full, maxD, here);
                    if (c.early && maxD > 0.0 && maxD <= 0.03) {
                        leftOut.far += here.far;
                        leftOut.stopped += here.stopped;
                    }
                    options.maxD.reset();
                }
            }
    }
    // Under a low bound, pairs far above it are found so before their
    // counts end.
    EXPECT_GT(leftOut.stopped, 0.9 * leftOut.far);
}

// A pair stops early only once it has the least overlap counted, so that a
// pair short of it is still too-few-sites and one past it keeps its status.
TEST(FormulaPairs, ABoundKeepsTheLeastOverlap) {
    const Alignment alignment = Sequences(kAlignments[2].shape, 11);  // gaps: 3,000 to 7,000 sites
    const PackedAlignment packed(alignment);
    LeftOut leftOut;
    int tooFew = 0;
    for (const int least : {3000, 5200, 5800}) {
        DistanceOptions options = FormulaOptions(ModelKind::K80, kOneRate);
        options.minOverlap = least;
        const Rows full = RowsOf(packed, options);
        for (const auto& row : full)
            for (const PairDistance& r : row) tooFew += r.status == FitStatus::TooFewSites;
        for (const double maxD : {0.008, 0.03}) {
            SCOPED_TRACE(::testing::Message() << "least " << least << ", max d " << maxD);
            options.maxD = maxD;
            ExpectSameList(RowsOf(packed, options), full, maxD, leftOut);
        }
    }
    EXPECT_GT(tooFew, 0);
    EXPECT_GT(leftOut.stopped, 0);
}

}  // namespace
}  // namespace dyvern
