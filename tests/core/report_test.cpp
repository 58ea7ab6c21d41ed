#include "model/model_family.h"
#include "report/report.h"
#include "stats/goodness_of_fit.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <sstream>
#include <string>
#include <vector>

#include "support/test_tables.h"

namespace dyvern {
namespace {

using testing::Golden;

DivergenceCounts Filled(double value) {
    DivergenceCounts table;
    for (auto& row : table) row.fill(value);
    return table;
}

TEST(ReportText, EachModelAgainstGoldenFilesAndClosedFormTails) {
    // Expected 22 on the diagonal and 1 elsewhere (n = 100); observed off by 2
    // on three diagonal cells (3 * 4/22) and by 1 or 2 on five others
    // (1 + 4 + 1 + 1 + 1), so X2 = 8 + 6/11. The tails come from the closed
    // forms for even df (exp(-x/2) sum (x/2)^i / i!) and odd df (erfc plus the
    // half-integer series).
    FitTarget target;
    target.siteCount = 100;
    target.observed = {{{20, 0, 3, 1}, {1, 24, 1, 2}, {2, 1, 20, 1}, {1, 1, 0, 22}}};
    const DivergenceCounts expected = {
        {{22, 1, 1, 1}, {1, 22, 1, 1}, {1, 1, 22, 1}, {1, 1, 1, 22}}};
    const struct {
        ModelKind kind;
        const char* golden;
        double prob;
    } cases[] = {
        {ModelKind::JC69, "report_jc69.txt", 0.8590213333},
        {ModelKind::F81, "report_f81.txt", 0.6637687857},
        {ModelKind::K80, "report_k80.txt", 0.8063417296},
        {ModelKind::HKY85, "report_hky85.txt", 0.5757143703},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.golden);
        target.modelKind = c.kind;
        EXPECT_EQ(ReportText(target, expected), Golden(c.golden));
        const GoodnessOfFit fit =
            TestGoodnessOfFit(target.observed, expected, FitTestDegreesOfFreedom(c.kind));
        ASSERT_TRUE(fit.defined);
        EXPECT_NEAR(fit.statistic, 94.0 / 11.0, 1e-12);
        EXPECT_NEAR(fit.prob, c.prob, 1e-7);
    }
    // 12345.5 fills its field exactly; 100000 and more push the line right.
    target.modelKind = ModelKind::K80;
    target.observed = {
        {{12345.5, 100000, 0.25, 12}, {1234567.25, 1, 2, 3}, {4, 5, 6, 7}, {8, 9, 10, 11.5}}};
    EXPECT_EQ(ReportText(target, target.observed), Golden("report_perfect_fit_wide_cells.txt"));
    EXPECT_EQ(ReportText(FitTarget{}, {}), Golden("report_no_data.txt"));
}

TEST(ReportText, StatisticsBeyondReachNameTheirReason) {
    DivergenceCounts oneZero = Filled(5.0), oneNan = Filled(5.0);
    oneZero[3][3] = 0.0;
    oneNan[1][2] = std::numeric_limits<double>::quiet_NaN();
    // O = 2^270 against E = 1 in all 16 cells: X2 = 16 * 2^540 = 2^544 exactly
    // (2^270 - 1 rounds to 2^270), far beyond what the tail routine can take.
    const DivergenceCounts huge = Filled(std::ldexp(1.0, 270));
    const struct {
        DivergenceCounts observed, expected;
        const char* reason;  // nullptr: defined, with probability 0
    } cases[] = {
        {Filled(5.0), oneZero, "an expected count is zero"},
        {Filled(5.0), oneNan, "an expected count is negative or not a number"},
        {Filled(5.0), Filled(std::numeric_limits<double>::infinity()),
         "an expected count is infinite"},
        {Filled(1e300), Filled(1e-300), "the statistic is not a finite number"},
        {huge, Filled(1.0), nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.reason ? c.reason : "huge");
        FitTarget target;
        target.modelKind = ModelKind::F81;
        target.observed = c.observed;
        std::istringstream text(ReportText(target, c.expected));
        std::vector<std::string> lines;
        for (std::string line; std::getline(text, line);) lines.push_back(line);
        ASSERT_EQ(lines.size(), 20u);
        const GoodnessOfFit fit = TestGoodnessOfFit(c.observed, c.expected, 11);
        EXPECT_EQ(fit.defined, c.reason == nullptr);
        if (c.reason) {
            EXPECT_EQ(lines[17],
                      std::string("  chi-square test statistic = not defined (") + c.reason + ")");
            EXPECT_EQ(lines[19], "  Prob = not defined");
        } else {
            EXPECT_EQ(fit.statistic, std::ldexp(1.0, 544));
            EXPECT_EQ(fit.prob, 0.0);
            EXPECT_EQ(lines[19], "  Prob =     0.000000");
        }
    }
}

}  // namespace
}  // namespace dyvern
