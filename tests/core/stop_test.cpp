#include "base/stop.h"

#include <gtest/gtest.h>

#include <cstdio>

namespace dyvern {
namespace {

void ReportWithPrefix(const std::string& text) { std::fprintf(stderr, "[box] %s\n", text.c_str()); }

constexpr int kAssertionLine = __LINE__ + 1;
void FailAnAssertion() { DYVERN_ASSERT(kAssertionLine < 0, "dyvern"); }

TEST(StopDeathTest, FatalStopsAndFailedAssertions) {
    EXPECT_EXIT(FatalStop("Something failed.", kAbortedLine), ::testing::ExitedWithCode(1),
                "^\nSomething failed.\nProgram aborted.\n$");
    EXPECT_EXIT(FailAnAssertion(), ::testing::ExitedWithCode(3),
                "^Assertion failed: kAssertionLine < 0, file dyvern, line " +
                    std::to_string(kAssertionLine) + "\nAbnormal program termination\n$");
    auto throughReporter = [] {
        SetAssertionReporter(ReportWithPrefix);
        DYVERN_ASSERT(1 + 1 == 3, "hkymodel");
    };
    EXPECT_EXIT(throughReporter(), ::testing::ExitedWithCode(3),
                "^\\[box\\] Assertion failed: 1 \\+ 1 == 3, file hkymodel, line [0-9]+\n"
                "Abnormal program termination\n$");
}

TEST(Stop, APassingAssertionEvaluatesItsConditionOnce) {
    int evaluated = 0;
    DYVERN_ASSERT(++evaluated == 1, "dyvern");
    EXPECT_EQ(evaluated, 1);
}

}  // namespace
}  // namespace dyvern
