// The minimisation must survive every table with non-negative counts: it never
// stops the process, always returns a finite value, and returns a point that
// no small coordinate step improves beyond the stopping tolerance.
#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "fit/model_fit.h"
#include "minimize/powell.h"
#include "model/hkymodel.h"
#include "support/test_tables.h"

namespace dyvern {
namespace {

using testing::CellSum;
using testing::TargetFor;

constexpr Criterion kBothCriteria[] = {Criterion::MaxLikelihood, Criterion::LeastSquares};

// Relative improvement a coordinate step may still find. Powell stops on the
// fall of the value in one sweep (1e-8 relative); the least-squares surface
// of K80 and HKY85 is a narrow oblique valley in which that test is met while
// a coordinate step still gains a few parts in a million.
constexpr double kAllowedImprovement[] = {1e-7, 1e-4};

// Mostly-identical tables of assorted sizes, with empty cells, empty rows
// and occasional saturation.
DivergenceCounts RandomTable(std::mt19937& random) {
    std::uniform_int_distribution<int> shape(0, 9);
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    const int style = shape(random);
    const double scale = std::pow(10.0, 4.0 * unit(random));  // 1 to 10^4 sites per cell
    DivergenceCounts counts{};
    for (int i = 0; i < 4; ++i) {
        for (int j = 0; j < 4; ++j) {
            const double weight = i == j ? 1.0 : (style < 3 ? 1.0 : 0.05 * style);
            double cell = std::floor(scale * weight * unit(random));
            if (style == 9 && unit(random) < 0.5) cell = 0.0;  // sparse tables
            counts[i][j] = cell;
        }
    }
    if (CellSum(counts) == 0.0) counts[A][A] = 1.0;
    return counts;
}

// The objective at a point of the search's coordinates, from a fresh model.
double ValueAt(const FitTarget& target, const double* x) {
    HKYModel model(target, 0.1, 1.0, 0.25, 0.25, 0.25);
    return model.Objective(x, kMaxFreeParameters);
}

TEST(MinimisationRobustness, ThousandsOfRandomTablesEveryKindAndCriterion) {
    std::mt19937 random(20261206);
    for (int table = 0; table < 2000; ++table) {
        const DivergenceCounts counts = RandomTable(random);
        for (const ModelKind kind : kAllModels) {
            for (const Criterion criterion : kBothCriteria) {
                const FitTarget target = TargetFor(counts, kind, criterion);
                const ModelFit fit = FitModel(target, ParameterValues{});
                ASSERT_TRUE(std::isfinite(fit.minimum)) << "table " << table;

                const double best = ValueAt(target, fit.point.data());
                EXPECT_EQ(best, fit.minimum);
                const double allowed =
                    kAllowedImprovement[static_cast<int>(criterion)] * std::fabs(best) + 1e-12;
                for (int k = 0; k < fit.length; ++k) {
                    for (const double step : {-1e-4, 1e-4}) {
                        auto moved = fit.point;
                        moved[k] += step;
                        const double value = ValueAt(target, moved.data());
                        EXPECT_GE(value, best - allowed)
                            << "table " << table << " kind " << static_cast<int>(kind)
                            << " criterion " << static_cast<int>(criterion) << " coordinate " << k;
                    }
                }
            }
        }
    }
}

TEST(MinimisationRobustness, ExtremeStartsReturnTheTrueOptimum) {
    DivergenceCounts counts = testing::WorkedTable();
    counts[C][G] = 5;  // counts in every cell, not quite symmetric
    for (const ModelKind kind : kAllModels) {
        for (const Criterion criterion : kBothCriteria) {
            const FitTarget target = TargetFor(counts, kind, criterion);
            const ModelFit reference = FitModel(target, ParameterValues{});
            // Far outside [e^-20, 40], where the likelihood is flat to the last bit.
            for (const double logStart : {-40.0, 40.0}) {
                const ModelFit fit = FitModel(target, {std::exp(logStart), 1.0, 0.25, 0.25, 0.25});
                EXPECT_NEAR(fit.minimum, reference.minimum,
                            1e-7 * std::fabs(reference.minimum) + 1e-12)
                    << "kind " << static_cast<int>(kind) << " start " << logStart;
                EXPECT_NEAR(fit.estimates.betat, reference.estimates.betat,
                            1e-3 * reference.estimates.betat);
            }
        }
    }
}

TEST(MinimisationRobustness, ACollapsedDirectionSetRestartsInsteadOfStopping) {
    // From this start the two directions of a K80 least-squares search turn
    // nearly parallel and the search creeps; the fit starts it again.
    DivergenceCounts counts = {{{35.247112, 32.174142, 0.0, 11.138664},
                                {0.0, 9.742922, 0.0, 30.046926},
                                {47.827296, 18.337498, 35.92112, 0.0},
                                {0.0, 55.637802, 0.0, 46.34779}}};
    const FitTarget target = TargetFor(counts, ModelKind::K80, Criterion::LeastSquares, 974);
    const ModelFit fit = FitModel(target, {0.278586, 8.139094, 0.25, 0.25, 0.25});
    EXPECT_GT(fit.sweeps, Powell::kSweepLimit);
    // Both proportions can be met exactly: the closed forms of K80.
    const double P = (counts[A][G] + counts[C][T] + counts[G][A] + counts[T][C]) / 974;
    const double Q =
        (CellSum(counts) - counts[A][A] - counts[C][C] - counts[G][G] - counts[T][T]) / 974 - P;
    EXPECT_NEAR(fit.estimates.betat, -std::log(1 - 2 * Q), 1e-6);
    EXPECT_NEAR(fit.estimates.kappa, 2 * std::log(1 - 2 * P - Q) / std::log(1 - 2 * Q) - 1, 1e-4);
    EXPECT_LT(fit.minimum, 1e-15);
}

}  // namespace
}  // namespace dyvern
