#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>
#include <vector>

#include "minimize/linemin.h"
#include "minimize/powell.h"

namespace dyvern {
namespace {

// An objective given by a function of the point; counts its evaluations and
// keeps the last point, as a real model does.
class FunctionObjective final : public Minimize {
public:
    explicit FunctionObjective(std::function<double(const std::vector<double>&)> f)
        : f(std::move(f)) {}
    double Objective(const double* point, int n) override {
        ++evaluations;
        if (point) current.assign(point, point + n);
        return f(current);
    }
    std::function<double(const std::vector<double>&)> f;
    std::vector<double> current;
    int evaluations = 0;
};

double Shifted(const std::vector<double>& x) { return (x[0] - 1.0) * (x[0] - 1.0) + 1.0; }

struct PowellRun {
    std::vector<double> point;
    std::vector<std::vector<double>> matrix;
    std::vector<double*> rows;
    int sweeps = 0;
    double value = 0.0;

    PowellRun(std::vector<double> start, Minimize& objective, double ftol = 1e-8)
        : point(std::move(start)), matrix(point.size(), std::vector<double>(point.size())) {
        for (std::size_t i = 0; i < point.size(); ++i) {
            matrix[i][i] = 1.0;
            rows.push_back(matrix[i].data());
        }
        Powell powell(point.data(), rows.data(), static_cast<int>(point.size()), ftol, &sweeps,
                      &value, &objective);
        powell.Run();
    }
};

TEST(LineMinBracket, ConstantFunctionReturnsTheFirstGoldenStep) {
    FunctionObjective constant([](const std::vector<double>&) { return 3.0; });
    double point[1] = {0.5}, direction[1] = {1.0}, value = 0.0;
    LineMin line(point, direction, 1, &value, &constant);
    double ta = 0.0, tb = 1.0, tc, fa, fb, fc;
    line.Bracket(ta, tb, tc, fa, fb, fc);
    EXPECT_EQ(ta, 0.0);
    EXPECT_EQ(tb, 1.0);
    EXPECT_DOUBLE_EQ(tc, 2.618034);
}

TEST(LineMinBracket, RisingFunctionIsSearchedTowardsNegativeT) {
    FunctionObjective f([](const std::vector<double>& x) { return (x[0] + 2.0) * (x[0] + 2.0); });
    double point[1] = {0.0}, direction[1] = {1.0}, value = 0.0;
    LineMin line(point, direction, 1, &value, &f);
    double ta = 0.0, tb = 1.0, tc, fa, fb, fc;
    line.Bracket(ta, tb, tc, fa, fb, fc);
    EXPECT_DOUBLE_EQ(ta, -1.618034);
    EXPECT_DOUBLE_EQ(tb, -2.0);
    EXPECT_NEAR(tc, -2.618, 1e-3);
    EXPECT_EQ(fb, 0.0);

    line.Run();
    EXPECT_NEAR(point[0], -2.0, 1e-6);
    EXPECT_NEAR(direction[0], -2.0, 1e-6);
    EXPECT_NEAR(value, 0.0, 1e-12);
}

TEST(LineMinRun, ConstantFunctionMovesAboutTwoPointSixOneSeven) {
    FunctionObjective constant([](const std::vector<double>&) { return 3.0; });
    double point[2] = {1.0, -1.0}, direction[2] = {1.0, 2.0}, value = 0.0;
    LineMin(point, direction, 2, &value, &constant).Run();
    EXPECT_NEAR(point[0], 1.0 + 2.617, 2e-3);
    EXPECT_NEAR(point[1], -1.0 + 2 * 2.617, 4e-3);
    EXPECT_EQ(value, 3.0);
}

TEST(LineMinRun, ZeroDirectionAndMinimumAtStartLeaveThePoint) {
    FunctionObjective bowl([](const std::vector<double>& x) { return x[0] * x[0] + 4.0; });
    double point[1] = {0.0}, direction[1] = {0.0}, value = 0.0;
    LineMin(point, direction, 1, &value, &bowl).Run();
    EXPECT_EQ(point[0], 0.0);
    EXPECT_EQ(direction[0], 0.0);
    EXPECT_EQ(value, 4.0);

    double direction2[1] = {1.0};
    LineMin(point, direction2, 1, &value, &bowl).Run();
    EXPECT_NEAR(point[0], 0.0, 1e-7);  // within the line search's position tolerance
    EXPECT_NEAR(direction2[0], 0.0, 1e-7);
    EXPECT_NEAR(value, 4.0, 1e-15);
}

TEST(LineMinRun, ReportedValueIsTheValueAtTheReturnedPoint) {
    FunctionObjective f([](const std::vector<double>& x) {
        return std::cos(3 * x[0]) + 0.1 * (x[0] - 0.3) * (x[0] - 0.3) + std::sin(x[1]);
    });
    double point[2] = {0.2, -0.4}, direction[2] = {0.6, -0.3}, value = 0.0;
    LineMin(point, direction, 2, &value, &f).Run();
    EXPECT_EQ(value, f.f({point[0], point[1]}));
}

TEST(PowellRunTest, ConstantFunctionStopsAfterOneSweepHavingMoved) {
    FunctionObjective constant([](const std::vector<double>&) { return 7.0; });
    const PowellRun run({0.0, 0.0, 0.0}, constant);
    EXPECT_EQ(run.sweeps, 1);
    for (const double coordinate : run.point) EXPECT_NEAR(coordinate, 2.617, 2e-3);
}

TEST(PowellRunTest, ShiftedParabolaConvergesInTwoSweeps) {
    FunctionObjective f(Shifted);
    const PowellRun run({0.0}, f);
    EXPECT_EQ(run.sweeps, 2);
    EXPECT_NEAR(run.point[0], 1.0, 1e-6);
    EXPECT_DOUBLE_EQ(run.value, 1.0);
}

TEST(PowellRunTest, ExactZeroInTwoSweepsMeetsTheStoppingTest) {
    // Zero on the whole interval [-0.5, 0.5].
    FunctionObjective f([](const std::vector<double>& x) {
        const double outside = std::fmax(0.0, std::fabs(x[0]) - 0.5);
        return outside * outside;
    });
    const PowellRun run({2.0}, f);
    EXPECT_EQ(run.value, 0.0);
    EXPECT_EQ(run.sweeps, 2);
}

TEST(PowellRunTest, NoParametersMeansOneEvaluation) {
    FunctionObjective f([](const std::vector<double>&) { return 2.5; });
    const PowellRun run({}, f);
    EXPECT_EQ(f.evaluations, 1);
    EXPECT_EQ(run.sweeps, 1);
    EXPECT_EQ(run.value, 2.5);
}

TEST(PowellRunTest, FindsTheMinimumOfACorrelatedValley) {
    FunctionObjective rosenbrock([](const std::vector<double>& x) {
        return 100 * (x[1] - x[0] * x[0]) * (x[1] - x[0] * x[0]) + (1 - x[0]) * (1 - x[0]);
    });
    const PowellRun run({-1.2, 1.0}, rosenbrock, 1e-12);
    EXPECT_NEAR(run.point[0], 1.0, 1e-3);
    EXPECT_NEAR(run.point[1], 1.0, 2e-3);
    EXPECT_LT(run.value, 1e-6);
}

TEST(PowellRunTest, DirectionSetComesBackChanged) {
    FunctionObjective f([](const std::vector<double>& x) {
        return (x[0] + x[1] - 1) * (x[0] + x[1] - 1) + 0.01 * (x[0] - x[1]) * (x[0] - x[1]);
    });
    const PowellRun run({3.0, -2.0}, f);
    const bool identity = run.matrix[0][0] == 1.0 && run.matrix[0][1] == 0.0 &&
                          run.matrix[1][0] == 0.0 && run.matrix[1][1] == 1.0;
    EXPECT_FALSE(identity);
    EXPECT_NEAR(run.point[0], 0.5, 1e-3);
    EXPECT_NEAR(run.point[1], 0.5, 1e-3);
}

TEST(PowellRunTest, SweepLimitCanReturnInsteadOfStopping) {
    FunctionObjective f(Shifted);
    double point[1] = {0.0}, row[1] = {1.0}, value = 0.0;
    double* rows[1] = {row};
    int sweeps = 0;
    Powell powell(point, rows, 1, -1.0, &sweeps, &value, &f);  // a tolerance never met
    powell.stopProgramAtSweepLimit = false;
    powell.Run();
    EXPECT_EQ(sweeps, Powell::kSweepLimit + 1);
    EXPECT_NEAR(point[0], 1.0, 1e-6);
    EXPECT_DOUBLE_EQ(value, 1.0);
}

using MinimizerDeathTest = ::testing::Test;

TEST_F(MinimizerDeathTest, SweepLimitStopsTheProgram) {
    FunctionObjective f(Shifted);
    // A negative tolerance can never be met, so every sweep runs.
    EXPECT_EXIT(PowellRun({0.0}, f, -1.0), ::testing::ExitedWithCode(1),
                "^\nToo many iterations in Powell::Run function.\nProgram aborting.\n$");
}

TEST_F(MinimizerDeathTest, BrentIterationLimitStopsTheProgram) {
    FunctionObjective f(Shifted);
    double point[1] = {0.0}, direction[1] = {1.0}, value = 0.0;
    LineMin line(point, direction, 1, &value, &f);
    double tmin = 0.0;
    // A bracket end that is not a number never lets the interval close.
    EXPECT_EXIT(line.Brent(0.0, 0.5, std::numeric_limits<double>::quiet_NaN(), tmin),
                ::testing::ExitedWithCode(1),
                "^\nToo many iterations in Powell::Run function.\nProgram aborting.\n$");
}

}  // namespace
}  // namespace dyvern
