// The window's model against the family's one description: the same joint
// probabilities, criteria and d at any parameters, and a free-parameter
// vector as long as the family's k; the family's words read back.
#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "model/criteria.h"
#include "model/hkymodel.h"
#include "model/model_family.h"
#include "support/test_tables.h"

namespace dyvern {
namespace {

using testing::TargetFor;
using testing::WorkedTable;

constexpr Criterion kBothCriteria[] = {Criterion::MaxLikelihood, Criterion::LeastSquares};

TEST(ModelFamily, TheWindowsModelComputesTheFamilysProbabilitiesAndCriteria) {
    std::mt19937 random(1985);
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    for (int k = 0; k < 200; ++k) {
        const double bt = 0.001 + 3.0 * unit(random) * unit(random);
        const double kappa = 0.05 + 40.0 * unit(random) * unit(random);
        std::array<double, 4> pi{};
        double sum = 0.0;
        for (double& f : pi) sum += f = 0.05 + unit(random);
        for (double& f : pi) f /= sum;
        pi[T] = 1.0 - pi[A] - pi[C] - pi[G];
        const Rates<double> rates = RatesOf(bt, kappa, pi);
        const CellTable<double> joint = JointProbabilities(rates);
        for (const ModelKind model : kWindowModels) {
            for (const Criterion criterion : kBothCriteria) {
                SCOPED_TRACE(::testing::Message() << k << " " << FactsOf(model).word);
                const FitTarget target = TargetFor(WorkedTable(), model, criterion, 400);
                HKYModel window(target, bt, kappa, pi[A], pi[C], pi[G]);
                for (int i = 0; i < 4; ++i)
                    for (int j = 0; j < 4; ++j)
                        EXPECT_NEAR(window.JointProbability(i, j), joint[i][j], 1e-15);
                const PairData data = MakePairData(WorkedTable(), 400);
                const double family = criterion == Criterion::MaxLikelihood
                                          ? LogLikelihood(data, rates)
                                          : SumOfSquares(data, rates, model);
                EXPECT_NEAR(window.CriterionValue(), family, 1e-12 * std::fabs(family) + 1e-16);
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
