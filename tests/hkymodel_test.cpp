#include "model/hkymodel.h"

#include <gtest/gtest.h>

#include <cmath>

#include "tests/test_tables.h"

namespace dyvern {
namespace {

using testing::StateFor;
using testing::WorkedTable;

constexpr ModelKind kAllKinds[] = {ModelKind::JC69, ModelKind::F81, ModelKind::K80,
                                   ModelKind::HKY85};

TEST(HKYModelWorkedExample, EqualFrequenciesAndKappaOne) {
    const FitTarget state = StateFor(WorkedTable(), ModelKind::JC69);
    HKYModel model(state, 0.1, 1.0, 0.25, 0.25, 0.25);
    EXPECT_DOUBLE_EQ(model.obsP, 0.12);
    EXPECT_DOUBLE_EQ(model.obsQ, 0.08);
    EXPECT_NEAR(model.LogLikelihood(), -438.644902, 5e-7);
    EXPECT_NEAR(model.ExpectedTransitions(), 0.023791, 5e-7);
    EXPECT_NEAR(model.ExpectedTransversions(), 0.047581, 5e-7);
    EXPECT_NEAR(model.SumOfSquares(), 0.01654518, 5e-9);
    EXPECT_NEAR(200 * model.JointProbability(A, A), 46.4314, 5e-5);
    EXPECT_NEAR(200 * model.JointProbability(A, G), 1.1895, 5e-5);
    EXPECT_NEAR(200 * model.JointProbability(A, C), 1.1895, 5e-5);
    EXPECT_NEAR(model.CriterionValue(), -438.644902, 5e-7);
}

TEST(HKYModelWorkedExample, KappaTwoAndUnequalFrequencies) {
    const FitTarget k80 = StateFor(WorkedTable(), ModelKind::K80);
    HKYModel kappaTwo(k80, 0.1, 2.0, 0.25, 0.25, 0.25);
    EXPECT_NEAR(kappaTwo.LogLikelihood(), -426.743691, 5e-7);
    EXPECT_NEAR(kappaTwo.SumOfSquares(), 0.00654840, 5e-9);

    const FitTarget hky = StateFor(WorkedTable(), ModelKind::HKY85);
    HKYModel unequal(hky, 0.2, 3.0, 0.3, 0.2, 0.2);
    EXPECT_NEAR(unequal.LogLikelihood(), -420.465296, 5e-7);
}

TEST(HKYModelWorkedExample, LeastSquaresCriterionShowsSS) {
    const FitTarget state = StateFor(WorkedTable(), ModelKind::K80, Criterion::LeastSquares);
    HKYModel model(state, 0.1, 2.0, 0.25, 0.25, 0.25);
    EXPECT_NEAR(model.CriterionValue(), 0.00654840, 5e-9);
    EXPECT_DOUBLE_EQ(model.Objective(nullptr, 0), model.CriterionValue());
}

TEST(HKYModelProbabilities, RowsSumToOneAndReduceToJukesCantor) {
    const FitTarget state = StateFor(WorkedTable(), ModelKind::HKY85);
    HKYModel model(state, 0.37, 4.2, 0.1, 0.2, 0.3);
    for (int i = 0; i < 4; ++i) {
        double row = 0.0;
        for (int j = 0; j < 4; ++j) row += model.JointProbability(i, j) / model.pi[i];
        EXPECT_NEAR(row, 1.0, 1e-14) << "row " << i;
    }
    HKYModel jc(state, 0.37, 1.0, 0.25, 0.25, 0.25);
    const double e = std::exp(-0.37);
    EXPECT_NEAR(jc.ProbSame(G), 0.25 + 0.75 * e, 1e-15);
    EXPECT_NEAR(jc.ProbTransition(G), 0.25 * (1 - e), 1e-15);
    EXPECT_NEAR(jc.ProbTransversion(C), 0.25 * (1 - e), 1e-15);
}

TEST(HKYModelVector, LengthsByKindAndCriterion) {
    const int likelihood[] = {1, 4, 2, 5};
    const int leastSquares[] = {1, 1, 2, 2};
    for (const ModelKind kind : kAllKinds) {
        const int k = static_cast<int>(kind);
        double x[kMaxFreeParameters];
        const FitTarget ml = StateFor(WorkedTable(), kind);
        EXPECT_EQ(HKYModel(ml, 0.1, 1.0, 0.25, 0.25, 0.25).GetVector(x), likelihood[k]);
        const FitTarget ls = StateFor(WorkedTable(), kind, Criterion::LeastSquares);
        EXPECT_EQ(HKYModel(ls, 0.1, 1.0, 0.25, 0.25, 0.25).GetVector(x), leastSquares[k]);
    }
}

TEST(HKYModelVector, SetVectorOfGetVectorKeepsEveryParameter) {
    for (const ModelKind kind : kAllKinds) {
        const FitTarget state = StateFor(WorkedTable(), kind);
        HKYModel model(state, 0.0123, 7.5, 0.41, 0.07, 0.33);
        const HKYModel before = model;
        double x[kMaxFreeParameters];
        model.GetVector(x);
        model.SetVector(x);
        EXPECT_NEAR(model.bt, before.bt, 1e-15);
        EXPECT_NEAR(model.kappa, before.kappa, 1e-13);
        for (int b = 0; b < 4; ++b) {
            EXPECT_NEAR(model.pi[b], before.pi[b], 1e-14);
            EXPECT_NEAR(model.piClass[b], before.piClass[b], 1e-14);
        }
    }
}

TEST(HKYModelVector, LeastSquaresNeverMovesFrequencies) {
    for (const ModelKind kind : {ModelKind::F81, ModelKind::HKY85}) {
        const FitTarget state = StateFor(WorkedTable(), kind, Criterion::LeastSquares);
        HKYModel model(state, 0.1, 2.0, 0.4, 0.1, 0.2);
        const double x[kMaxFreeParameters] = {-1.0, 2.0, 0.7, -0.3, 1.1};
        model.SetVector(x);
        EXPECT_DOUBLE_EQ(model.bt, std::exp(-1.0));
        EXPECT_EQ(model.pi[A], 0.4);
        EXPECT_EQ(model.pi[C], 0.1);
        EXPECT_EQ(model.pi[G], 0.2);
    }
}

TEST(HKYModelVector, TransformedFrequenciesStayValidAndSumToOne) {
    const FitTarget state = StateFor(WorkedTable(), ModelKind::HKY85);
    HKYModel model(state, 0.1, 1.0, 0.25, 0.25, 0.25);
    for (double z = -20.0; z <= 20.0; z += 0.37) {
        const double x[kMaxFreeParameters] = {0.0, 0.0, z, 1.7 * z, -z};
        model.SetVector(x);
        double sum = 0.0;
        for (const double p : model.pi) {
            EXPECT_GE(p, 0.0);
            sum += p;
        }
        EXPECT_NEAR(sum, 1.0, 1e-15);
        EXPECT_DOUBLE_EQ(model.piClass[A], model.pi[A] + model.pi[G]);
    }
}

TEST(HKYModelObjective, NullPointKeepsParametersAPointIsKept) {
    const FitTarget state = StateFor(WorkedTable(), ModelKind::K80);
    HKYModel model(state, 0.1, 2.0, 0.25, 0.25, 0.25);
    const double first = model.Objective(nullptr, 0);
    EXPECT_EQ(model.Objective(nullptr, 0), first);
    EXPECT_EQ(model.bt, 0.1);

    const double x[2] = {std::log(0.3), std::log(5.0)};
    const double atPoint = model.Objective(x, 2);
    EXPECT_NEAR(model.bt, 0.3, 1e-15);
    EXPECT_NEAR(model.kappa, 5.0, 1e-14);
    EXPECT_EQ(model.Objective(nullptr, 0), atPoint);
}

TEST(HKYModelObjective, ObservedProportionsUseTheDeclaredSiteCount) {
    const FitTarget state =
        StateFor(WorkedTable(), ModelKind::JC69, Criterion::MaxLikelihood, 400);
    HKYModel model(state, 0.1, 1.0, 0.25, 0.25, 0.25);
    EXPECT_DOUBLE_EQ(model.obsP, 0.06);
    EXPECT_DOUBLE_EQ(model.obsQ, 0.04);
}

TEST(HKYModelObjective, UnderflowedProbabilityScoresFiniteAndBad) {
    const FitTarget state = StateFor(WorkedTable(), ModelKind::JC69);
    HKYModel model(state, 0.1, 1.0, 0.25, 0.25, 0.25);
    const double tiny[1] = {-40.0};  // 1 - exp(-bt) rounds to 0: transversions impossible
    const double atTiny = model.Objective(tiny, 1);
    EXPECT_TRUE(std::isfinite(atTiny));
    const double sensible[1] = {std::log(0.3)};
    EXPECT_GT(atTiny, model.Objective(sensible, 1) + 1000.0);
}

TEST(HKYModelObjective, ZeroCountCellsContributeNothing) {
    DivergenceCounts counts{};
    counts[A][A] = 10;
    const FitTarget state = StateFor(counts, ModelKind::JC69);
    HKYModel model(state, 0.2, 1.0, 0.25, 0.25, 0.25);
    EXPECT_DOUBLE_EQ(model.LogLikelihood(), 10 * std::log(0.25 * model.ProbSame(A)));
}

using HKYModelDeathTest = ::testing::Test;

TEST_F(HKYModelDeathTest, FrequenciesLeavingNoRoomForPiTFailTheAssertion) {
    const FitTarget state = StateFor(WorkedTable(), ModelKind::HKY85);
    EXPECT_EXIT(HKYModel(state, 0.1, 1.0, 0.5, 0.3, 0.2), ::testing::ExitedWithCode(3),
                "Assertion failed: pi\\[T\\] < 1.0 && pi\\[T\\] > 0.0, file hkymodel, line [0-9]+\n"
                "Abnormal program termination");
}

}  // namespace
}  // namespace dyvern
