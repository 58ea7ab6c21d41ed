#include "model/hkymodel.h"

#include <gtest/gtest.h>

#include <cmath>

#include "support/reference_model.h"
#include "support/test_tables.h"

namespace dyvern {
namespace {

using testing::TargetFor;
using testing::WorkedTable;

TEST(HKYModel, JointProbabilitiesAndLikelihoodMatchTheRateMatrixExponential) {
    const struct {
        ModelKind kind;
        double bt, kappa;
        testing::Frequencies pi;
    } cases[] = {
        {ModelKind::JC69, 0.1, 1.0, testing::kEqualFrequencies},
        {ModelKind::K80, 0.004, 60.0, testing::kEqualFrequencies},
        {ModelKind::HKY85, 0.37, 4.2, {0.1, 0.2, 0.3, 0.4}},
        {ModelKind::HKY85, 1.3, 0.2, {0.45, 0.05, 0.15, 0.35}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message() << "bt " << c.bt << " kappa " << c.kappa);
        const FitTarget target = TargetFor(WorkedTable(), c.kind);
        HKYModel model(target, c.bt, c.kappa, c.pi[A], c.pi[C], c.pi[G]);
        const DivergenceCounts joint = testing::ReferenceJoint(c.bt, c.kappa, c.pi);
        double expP = 0.0, expQ = 0.0;
        for (int i = 0; i < 4; ++i) {
            for (int j = 0; j < 4; ++j) {
                EXPECT_NEAR(model.JointProbability(i, j), joint[i][j], 1e-14) << i << j;
                if (KindOfPair(i, j) == PairKind::Transition) expP += joint[i][j];
                if (KindOfPair(i, j) == PairKind::Transversion) expQ += joint[i][j];
            }
        }
        EXPECT_NEAR(model.CriterionValue(), testing::ReferenceLnL(WorkedTable(), joint), 1e-11);
        EXPECT_NEAR(model.ExpectedTransitions(), expP, 1e-14);
        EXPECT_NEAR(model.ExpectedTransversions(), expQ, 1e-14);
    }
}

TEST(HKYModel, SumOfSquaresComparesTransitionsAndTransversionsOnlyWhenKappaIsFree) {
    // Worked table: P = 24/200, Q = 16/200; at bt = 0.1 and kappa 1 the model
    // expects 1/4 (1 - e^-bt) of transitions and twice that of transversions.
    const double expP = 0.25 * (1 - std::exp(-0.1)), expQ = 2 * expP;
    const double totalOnly = std::pow(expP + expQ - 0.2, 2);
    const double separate = std::pow(expP - 0.12, 2) + std::pow(expQ - 0.08, 2);
    const double expected[] = {totalOnly, totalOnly, separate, separate};
    for (const ModelKind kind : kAllModels) {
        const FitTarget target = TargetFor(WorkedTable(), kind, Criterion::LeastSquares);
        HKYModel model(target, 0.1, 1.0, 0.25, 0.25, 0.25);
        EXPECT_NEAR(model.CriterionValue(), expected[static_cast<int>(kind)], 1e-15);
        EXPECT_EQ(model.Objective(nullptr, 0), model.CriterionValue());
    }
    // The observed proportions are of the declared site count, not of the cell sum.
    const FitTarget target = TargetFor(WorkedTable(), ModelKind::K80, Criterion::LeastSquares, 400);
    const HKYModel model(target, 0.1, 1.0, 0.25, 0.25, 0.25);
    EXPECT_DOUBLE_EQ(model.obsP, 0.06);
    EXPECT_DOUBLE_EQ(model.obsQ, 0.04);
}

TEST(HKYModelVector, FreeParametersByKindAndCriterion) {
    const int likelihood[] = {1, 4, 2, 5};
    const int leastSquares[] = {1, 1, 2, 2};  // frequencies stay where they are put
    for (const ModelKind kind : kAllModels) {
        for (const Criterion criterion : {Criterion::MaxLikelihood, Criterion::LeastSquares}) {
            const FitTarget target = TargetFor(WorkedTable(), kind, criterion);
            HKYModel model(target, 0.0123, 7.5, 0.41, 0.07, 0.33);
            const HKYModel before = model;
            double x[kMaxFreeParameters];
            const int length = model.GetVector(x);
            const bool ml = criterion == Criterion::MaxLikelihood;
            EXPECT_EQ(length, (ml ? likelihood : leastSquares)[static_cast<int>(kind)]);
            model.SetVector(x);  // back unchanged
            EXPECT_NEAR(model.bt, before.bt, 1e-15);
            EXPECT_NEAR(model.kappa, before.kappa, 1e-13);
            for (int b = 0; b < 4; ++b) EXPECT_NEAR(model.pi[b], before.pi[b], 1e-14);
            // Moving every coordinate moves the free parameters only.
            for (int k = 0; k < length; ++k) x[k] += 0.3;
            model.SetVector(x);
            EXPECT_NEAR(model.bt, before.bt * std::exp(0.3), 1e-15);
            EXPECT_EQ(model.kappa == before.kappa, length == 1 || length == 4);
            EXPECT_EQ(model.pi[A] == before.pi[A], length < 4);
        }
    }
}

TEST(HKYModelDeathTest, FrequenciesLeavingNoRoomForPiTFailTheAssertion) {
    const FitTarget target = TargetFor(WorkedTable(), ModelKind::HKY85);
    EXPECT_EXIT(HKYModel(target, 0.1, 1.0, 0.5, 0.3, 0.2), ::testing::ExitedWithCode(3),
                "Assertion failed: pi\\[T\\] < 1.0 && pi\\[T\\] > 0.0, file hkymodel, line [0-9]+\n"
                "Abnormal program termination");
}

}  // namespace
}  // namespace dyvern
