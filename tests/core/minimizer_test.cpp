#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>
#include <vector>

#include "minimize/linemin.h"
#include "minimize/powell.h"

namespace dyvern {
namespace {

using Function = std::function<double(const std::vector<double>&)>;

// An objective given by a function of the point; it keeps the last point, as
// a real model does.
class FunctionObjective final : public Minimize {
public:
    explicit FunctionObjective(Function f) : f(std::move(f)) {}
    double Objective(const double* point, int n) override {
        if (point) current.assign(point, point + n);
        return f(current);
    }
    Function f;
    std::vector<double> current;
};

double Shifted(const std::vector<double>& x) { return (x[0] - 1.0) * (x[0] - 1.0) + 1.0; }

// Powell's method from `point` along the unit directions.
int RunPowell(std::vector<double>& point, Minimize& objective, double ftol, double& value) {
    const std::size_t n = point.size();
    std::vector<std::vector<double>> matrix(n, std::vector<double>(n));
    std::vector<double*> rows;
    for (std::size_t i = 0; i < n; ++i) {
        matrix[i][i] = 1.0;
        rows.push_back(matrix[i].data());
    }
    int sweeps = 0;
    Powell powell(point.data(), rows.data(), static_cast<int>(n), ftol, &sweeps, &value,
                  &objective);
    powell.Run();
    return sweeps;
}

TEST(Powell, FindsMinimaOfKnownFunctions) {
    const struct {
        const char* name;
        Function f;
        std::vector<double> start, minimum;
        double value;
    } cases[] = {
        {"shifted parabola", Shifted, {0.0}, {1.0}, 1.0},
        {"correlated valley",
         [](const std::vector<double>& x) {
             return 100 * std::pow(x[1] - x[0] * x[0], 2) + std::pow(1 - x[0], 2);
         },
         {-1.2, 1.0},
         {1.0, 1.0},
         0.0},
        // Zero on all of [-0.5, 0.5]: a fall of exactly 0 counts as converged.
        {"flat bottom",
         [](const std::vector<double>& x) {
             return std::pow(std::fmax(0.0, std::fabs(x[0]) - 0.5), 2);
         },
         {2.0},
         {},
         0.0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        FunctionObjective f(c.f);
        std::vector<double> point = c.start;
        double value = 0.0;
        EXPECT_LT(RunPowell(point, f, 1e-12, value), Powell::kSweepLimit);
        for (std::size_t k = 0; k < c.minimum.size(); ++k)
            EXPECT_NEAR(point[k], c.minimum[k], 2e-3);
        EXPECT_NEAR(value, c.value, 1e-6);
        EXPECT_EQ(value, c.f(point));
    }
}

TEST(MinimizerDeathTest, IterationLimitsStopTheProgram) {
    const char* kMessage = "^\nToo many iterations in Powell::Run function.\nProgram aborting.\n$";
    FunctionObjective f(Shifted);
    std::vector<double> point = {0.0};
    double value = 0.0, direction[1] = {1.0}, tmin = 0.0;
    EXPECT_EXIT(RunPowell(point, f, -1.0, value), ::testing::ExitedWithCode(1), kMessage);
    LineMin line(point.data(), direction, 1, &value, &f);
    // A bracket end that is not a number never lets Brent's interval close.
    EXPECT_EXIT(line.Brent(0.0, 0.5, std::numeric_limits<double>::quiet_NaN(), tmin),
                ::testing::ExitedWithCode(1), kMessage);
}

}  // namespace
}  // namespace dyvern
