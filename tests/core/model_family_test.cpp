// The window's model against the family's one description and the rate
// matrix's exponential: the same joint probabilities and criteria at any
// parameters, and a free-parameter vector as long as the family's k; the
// family's words read back.
#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "base/jet.h"
#include "model/criteria.h"
#include "model/hkymodel.h"
#include "model/model_family.h"
#include "support/reference_model.h"
#include "support/test_tables.h"

namespace dyvern {
namespace {

using testing::TargetFor;
using testing::WorkedTable;

constexpr Criterion kBothCriteria[] = {Criterion::MaxLikelihood, Criterion::LeastSquares};

// At random parameters the window's model against the family's and against
// the exponential of the rate matrix (support/reference_model.h): the same
// joint probabilities, criteria and, for likelihood, Objective = -lnL.
TEST(ModelFamily, TheWindowsModelComputesTheFamilysAndTheRateMatrixsProbabilitiesAndCriteria) {
    std::mt19937 random(1985);
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    const PairData data = MakePairData(WorkedTable(), 400);
    for (int k = 0; k < 200; ++k) {
        const double bt = 0.001 + 3.0 * unit(random) * unit(random);
        const double kappa = 0.05 + 60.0 * unit(random) * unit(random);
        testing::Frequencies pi{};
        double sum = 0.0;
        for (double& f : pi) sum += f = 0.05 + unit(random);
        for (double& f : pi) f /= sum;
        pi[T] = 1.0 - pi[A] - pi[C] - pi[G];
        const Rates<double> rates = RatesOf(bt, kappa, pi);
        const CellTable<double> joint = JointProbabilities(rates);
        const DivergenceCounts reference = testing::ReferenceJoint(bt, kappa, pi);
        for (const ModelKind model : kWindowModels) {
            for (const Criterion criterion : kBothCriteria) {
                SCOPED_TRACE(::testing::Message() << k << " " << FactsOf(model).word);
                const FitTarget target = TargetFor(WorkedTable(), model, criterion, 400);
                HKYModel window(target, bt, kappa, pi[A], pi[C], pi[G]);
                for (int i = 0; i < 4; ++i)
                    for (int j = 0; j < 4; ++j) {
                        EXPECT_NEAR(window.JointProbability(i, j), joint[i][j], 1e-15);
                        EXPECT_NEAR(window.JointProbability(i, j), reference[i][j], 1e-14);
                    }
                const bool ml = criterion == Criterion::MaxLikelihood;
                const double family =
                    ml ? LogLikelihood(data, rates) : SumOfSquares(data, rates, model);
                EXPECT_NEAR(window.CriterionValue(), family, 1e-12 * std::fabs(family) + 1e-16);
                if (ml) {
                    EXPECT_NEAR(window.Objective(nullptr, 0),
                                -testing::ReferenceLnL(WorkedTable(), reference), 1e-11);
                }
            }
        }
    }
}

// Under likelihood the window moves exactly the parameters the family frees;
// under least squares the frequencies stay at the composition.
TEST(ModelFamily, FreeParametersAreTheWindowsVectorAndTheFitTestsDegreesOfFreedom) {
    const struct {
        ModelKind model;
        int k, df, leastSquaresLength;
    } expected[] = {{ModelKind::JC69, 1, 14, 1},
                    {ModelKind::F81, 4, 11, 1},
                    {ModelKind::K80, 2, 13, 2},
                    {ModelKind::HKY85, 5, 10, 2}};
    for (const auto& e : expected) {
        SCOPED_TRACE(FactsOf(e.model).word);
        EXPECT_EQ(FactsOf(e.model).freeParameters, e.k);
        EXPECT_EQ(FitTestDegreesOfFreedom(e.model), e.df);
        double x[kMaxFreeParameters];
        const FitTarget ml = TargetFor(WorkedTable(), e.model);
        EXPECT_EQ(HKYModel(ml, 0.1, 2.0, 0.3, 0.2, 0.1).GetVector(x), e.k);
        const FitTarget ls = TargetFor(WorkedTable(), e.model, Criterion::LeastSquares);
        EXPECT_EQ(HKYModel(ls, 0.1, 2.0, 0.3, 0.2, 0.1).GetVector(x), e.leastSquaresLength);
    }
}

TEST(ModelFamily, WordsReadBackInAnyCase) {
    for (const ModelKind model : kWindowModels) {
        const std::string word = FactsOf(model).word;
        std::string lower = word;
        for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        EXPECT_EQ(ModelNamed(word), model);
        EXPECT_EQ(ModelNamed(lower), model);
    }
    for (const char* word : {"", "HKY", "HKY855", "jc 69", "K80,"}) EXPECT_FALSE(ModelNamed(word)) << word;
}

}  // namespace
}  // namespace dyvern

namespace dyvern {
namespace {

// Rate variation of each kind the family knows.
std::vector<RateVariation> EveryVariation() {
    RateVariation gamma, discrete, invariant, both;
    gamma.alpha = 0.7;
    discrete.alpha = 0.5;
    discrete.categoryRates = {0.2, 0.6, 1.1, 2.1};  // any rates averaging 1 do
    invariant.invariant = 0.25;
    both = gamma;
    both.invariant = 0.4;
    return {kOneRate, gamma, discrete, invariant, both};
}

// The general model, worked through a matrix function, gives the closed
// forms' probabilities wherever their structure holds.
TEST(ModelFamily, TheGeneralProcessEqualsTheClosedFormsWhereTheirStructureHolds) {
    const Rates<double> tn93{0.07, 0.9, 0.35, 0.42, 0.3, 0.65, false};
    GeneralRates<double> general{{0.07, 0.9, 0.07, 0.07, 0.35, 0.07}, 0.42, 0.3, 0.65};
    const ThreeTypeRates<double> k81{0.8, 0.15, 0.05};
    GeneralRates<double> threeTypes{{0.05, 0.8, 0.15, 0.15, 0.8, 0.05}, 0.5, 0.5, 0.5};
    for (const RateVariation& variation : EveryVariation()) {
        const CellTable<double> closed = JointProbabilities(tn93, variation);
        const CellTable<double> numeric = JointProbabilities(general, variation);
        const CellTable<double> kimura = JointProbabilities(k81, variation);
        const CellTable<double> kimuraNumeric = JointProbabilities(threeTypes, variation);
        for (int i = 0; i < 4; ++i) {
            for (int j = 0; j < 4; ++j) {
                EXPECT_NEAR(numeric[i][j], closed[i][j], 1e-14) << i << j;
                EXPECT_NEAR(kimuraNumeric[i][j], kimura[i][j], 1e-14) << i << j;
            }
        }
        EXPECT_NEAR(Distance(general), Distance(tn93), 1e-15);
        EXPECT_NEAR(Distance(threeTypes), Distance(k81), 1e-15);
    }
}

// The Jets of the general model against central differences of its values,
// also where the matrix has repeated eigenvalues (every rate and share equal).
TEST(ModelFamily, TheGeneralProcessesDerivativesMatchDifferences) {
    const std::array<double, 9> points[] = {
        {0.11, 0.7, 0.05, 0.2, 0.9, 0.08, 0.45, 0.35, 0.6},
        {0.3, 0.3, 0.3, 0.3, 0.3, 0.3, 0.5, 0.5, 0.5},
    };
    for (const RateVariation& variation : EveryVariation()) {
        for (const auto& x : points) {
            std::array<Jet<9>, 9> jets;
            for (int p = 0; p < 9; ++p) jets[p] = JetVariable<9>(x[p], p);
            GeneralRates<Jet<9>> rates;
            for (int p = 0; p < 6; ++p) rates.theta[p] = jets[p];
            rates.r = jets[6], rates.a = jets[7], rates.c = jets[8];
            const CellTable<Jet<9>> joint = JointProbabilities(rates, variation);
            const auto at = [&](std::array<double, 9> y) {
                return JointProbabilities(
                    GeneralRates<double>{{y[0], y[1], y[2], y[3], y[4], y[5]}, y[6], y[7], y[8]},
                    variation);
            };
            constexpr double h = 1e-5;
            for (int p = 0; p < 9; ++p) {
                std::array<double, 9> up = x, down = x;
                up[p] += h, down[p] -= h;
                const CellTable<double> fu = at(up), fd = at(down);
                const CellTable<double> f0 = at(x);
                for (int i = 0; i < 4; ++i) {
                    for (int j = 0; j < 4; ++j) {
                        EXPECT_NEAR(joint[i][j].gradient[p], (fu[i][j] - fd[i][j]) / (2 * h), 1e-8);
                        const double second = (fu[i][j] - 2 * f0[i][j] + fd[i][j]) / (h * h);
                        EXPECT_NEAR(joint[i][j].hessian[p][p], second, 2e-4);
                    }
                }
            }
        }
    }
}

}  // namespace
}  // namespace dyvern
