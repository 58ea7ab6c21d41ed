// The ways the program ends itself: fatal stops and failed assertions, each
// with its message, from the units that raise them.
#include "base/stop.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <limits>

#include "model/hkymodel.h"
#include "stats/goodness_of_fit.h"
#include "stats/chi_square.h"
#include "support/test_tables.h"

namespace dyvern {
namespace {

constexpr int kAssertionLine = __LINE__ + 1;
void FailAnAssertion() { DYVERN_ASSERT(kAssertionLine < 0, "dyvern"); }

TEST(StopDeathTest, FailedAssertions) {
    EXPECT_EXIT(FailAnAssertion(), ::testing::ExitedWithCode(3),
                "^Assertion failed: kAssertionLine < 0, file dyvern, line " +
                    std::to_string(kAssertionLine) + "\nAbnormal program termination\n$");
    auto throughReporter = [] {
        SetAssertionReporter(
            [](const std::string& text) { std::fprintf(stderr, "[box] %s\n", text.c_str()); });
        DYVERN_ASSERT(1 + 1 == 3, "hkymodel");
    };
    EXPECT_EXIT(throughReporter(), ::testing::ExitedWithCode(3),
                "^\\[box\\] Assertion failed: 1 \\+ 1 == 3, file hkymodel, line [0-9]+\n"
                "Abnormal program termination\n$");
    int evaluated = 0;
    DYVERN_ASSERT(++evaluated == 1, "dyvern");  // a passing condition is evaluated once
    EXPECT_EQ(evaluated, 1);
}

TEST(StopDeathTest, InvalidArgumentsStopTheUnitsThatTakeThem) {
    const char* kInvalid = "^\nError in routine GAMMQ:  Invalid arguments\nProgram aborted.\n$";
    EXPECT_EXIT(ChiSquareProb(-1.0, 3.0), ::testing::ExitedWithCode(1), kInvalid);
    EXPECT_EXIT(ChiSquareProb(std::numeric_limits<double>::quiet_NaN(), 3.0),
                ::testing::ExitedWithCode(1), kInvalid);
    const DivergenceCounts table = testing::WorkedTable();
    EXPECT_EXIT(TestGoodnessOfFit(table, table, 0), ::testing::ExitedWithCode(3),
                "Assertion failed: df > 0, file dyvern");
    const FitTarget target = testing::TargetFor(table, ModelKind::HKY85);
    EXPECT_EXIT(HKYModel(target, 0.1, 1.0, 0.5, 0.3, 0.2), ::testing::ExitedWithCode(3),
                "Assertion failed: pi\\[T\\] < 1.0 && pi\\[T\\] > 0.0, file hkymodel, line [0-9]+\n"
                "Abnormal program termination");
}

}  // namespace
}  // namespace dyvern
