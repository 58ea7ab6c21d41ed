#include "model/hkymodel.h"

#include <gtest/gtest.h>

#include <cmath>

#include "support/reference_model.h"
#include "support/test_tables.h"

namespace dyvern {
namespace {

using testing::TargetFor;
using testing::WorkedTable;

// Both criteria from the exponential of the rate matrix. The worked table has
// 24 transitions and 16 transversions; least squares takes their shares over
// the declared 400 sites, not the cell sum, and compares transitions and
// transversions apart only when kappa is free.
TEST(HKYModel, CriteriaMatchTheRateMatrixExponential) {
    const struct {
        ModelKind kind;
        double bt, kappa;
        testing::Frequencies pi;
    } cases[] = {
        {ModelKind::JC69, 0.1, 1.0, testing::kEqualFrequencies},
        {ModelKind::F81, 0.6, 1.0, {0.3, 0.2, 0.1, 0.4}},
        {ModelKind::K80, 0.004, 60.0, testing::kEqualFrequencies},
        {ModelKind::HKY85, 0.37, 4.2, {0.1, 0.2, 0.3, 0.4}},
        {ModelKind::HKY85, 1.3, 0.2, {0.45, 0.05, 0.15, 0.35}},
    };
    const double obsP = 24.0 / 400, obsQ = 16.0 / 400;
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message() << "bt " << c.bt << " kappa " << c.kappa);
        const FitTarget likelihood = TargetFor(WorkedTable(), c.kind);
        HKYModel ml(likelihood, c.bt, c.kappa, c.pi[A], c.pi[C], c.pi[G]);
        const DivergenceCounts joint = testing::ReferenceJoint(c.bt, c.kappa, c.pi);
        double expP = 0.0, expQ = 0.0;
        for (int i = 0; i < 4; ++i) {
            for (int j = 0; j < 4; ++j) {
                EXPECT_NEAR(ml.JointProbability(i, j), joint[i][j], 1e-14) << i << j;
                if (KindOfPair(i, j) == PairKind::Transition) expP += joint[i][j];
                if (KindOfPair(i, j) == PairKind::Transversion) expQ += joint[i][j];
            }
        }
        EXPECT_NEAR(ml.CriterionValue(), testing::ReferenceLnL(WorkedTable(), joint), 1e-11);

        const FitTarget target = TargetFor(WorkedTable(), c.kind, Criterion::LeastSquares, 400);
        HKYModel ls(target, c.bt, c.kappa, c.pi[A], c.pi[C], c.pi[G]);
        const bool kappaFree = c.kind == ModelKind::K80 || c.kind == ModelKind::HKY85;
        const double ss = kappaFree ? std::pow(expP - obsP, 2) + std::pow(expQ - obsQ, 2)
                                    : std::pow(expP + expQ - obsP - obsQ, 2);
        EXPECT_NEAR(ls.CriterionValue(), ss, 1e-15);
        EXPECT_EQ(ls.Objective(nullptr, 0), ls.CriterionValue());
    }
}

}  // namespace
}  // namespace dyvern
