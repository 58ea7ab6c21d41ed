#include "report/report.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <limits>
#include <sstream>
#include <string>
#include <vector>

namespace dyvern {
namespace {

std::string ReadText(const std::string& path) {
    std::ifstream in(path);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::string Golden(const std::string& name) {
    const std::string text = ReadText(std::string(DYVERN_GOLDEN_DIR) + "/" + name);
    EXPECT_FALSE(text.empty()) << "missing golden file " << name;
    return text;
}

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

// A report's two inputs: what was fitted and the expected table.
struct ReportInput : FitTarget {
    DivergenceCounts expected{};
};

DivergenceCounts Filled(double value) {
    DivergenceCounts table;
    for (auto& row : table) row.fill(value);
    return table;
}

// A table whose statistic is easy by hand: expected 22 on the diagonal and 1
// elsewhere (n = 100); observed off by 2 on three diagonal cells (3 * 4/22)
// and by 1 or 2 on five others (1 + 4 + 1 + 1 + 1), so X2 = 8 + 6/11.
ReportInput HandTable(ModelKind kind) {
    ReportInput state;
    state.modelKind = kind;
    state.siteCount = 100;
    state.observed = {{{20, 0, 3, 1}, {1, 24, 1, 2}, {2, 1, 20, 1}, {1, 1, 0, 22}}};
    state.expected = {{{22, 1, 1, 1}, {1, 22, 1, 1}, {1, 1, 22, 1}, {1, 1, 1, 22}}};
    return state;
}

struct ModelCase {
    ModelKind kind;
    const char* golden;
    double prob;  // closed-form chi-square tail at 94/11
};

// Tails from the closed forms for even df (exp(-x/2) * sum (x/2)^i / i!)
// and odd df (erfc plus the half-integer series), not from ChiSquareProb.
const ModelCase kModelCases[] = {
    {ModelKind::JC69, "report_jc69.txt", 0.8590213333},
    {ModelKind::F81, "report_f81.txt", 0.6637687857},
    {ModelKind::K80, "report_k80.txt", 0.8063417296},
    {ModelKind::HKY85, "report_hky85.txt", 0.5757143703},
};

TEST(ReportText, MatchesGoldenReportForEachModel) {
    for (const ModelCase& c : kModelCases) {
        SCOPED_TRACE(c.golden);
        EXPECT_EQ(ReportText(HandTable(c.kind), HandTable(c.kind).expected), Golden(c.golden));
    }
}

TEST(GoodnessOfFit, StatisticAndTailAgreeWithClosedForms) {
    for (const ModelCase& c : kModelCases) {
        const ReportInput state = HandTable(c.kind);
        const GoodnessOfFit fit =
            TestGoodnessOfFit(state.observed, state.expected, DegreesOfFreedom(c.kind));
        ASSERT_TRUE(fit.defined);
        EXPECT_NEAR(fit.statistic, 94.0 / 11.0, 1e-12);
        EXPECT_NEAR(fit.prob, c.prob, 1e-7);
    }
}

TEST(ReportText, PerfectFitAndWideCells) {
    // 12345.5 fills its field exactly; 100000 and more push the line right.
    ReportInput state;
    state.modelKind = ModelKind::K80;
    state.observed = {
        {{12345.5, 100000, 0.25, 12}, {1234567.25, 1, 2, 3}, {4, 5, 6, 7}, {8, 9, 10, 11.5}}};
    state.expected = state.observed;
    EXPECT_EQ(ReportText(state, state.expected), Golden("report_perfect_fit_wide_cells.txt"));
}

TEST(ReportText, BeforeAnyDataSaysTheTestIsNotDefined) {
    EXPECT_EQ(ReportText(ReportInput{}, {}), Golden("report_no_data.txt"));
}

// Lines 18 and 20 of a report whose expected table is `expected`.
std::vector<std::string> TestLinesFor(const DivergenceCounts& observed,
                                      const DivergenceCounts& expected) {
    ReportInput state;
    state.modelKind = ModelKind::F81;
    state.observed = observed;
    state.expected = expected;
    const std::vector<std::string> lines = Lines(ReportText(state, state.expected));
    EXPECT_EQ(lines.size(), 20u);
    if (lines.size() < 20) return {};
    EXPECT_EQ(lines[18], "  degrees of freedom = 11");
    return {lines[17], lines[19]};
}

TEST(ReportText, UndefinedStatisticNamesItsReason) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    const std::string prefix = "  chi-square test statistic = not defined (";
    struct Case {
        DivergenceCounts observed;
        DivergenceCounts expected;
        const char* reason;
    };
    DivergenceCounts oneZero = Filled(5.0);
    oneZero[3][3] = 0.0;
    DivergenceCounts oneNan = Filled(5.0);
    oneNan[1][2] = nan;
    const Case cases[] = {
        {Filled(5.0), oneZero, "an expected count is zero"},
        // A negative site count makes every expected count negative.
        {Filled(-5.0), Filled(-5.0), "an expected count is negative or not a number"},
        {Filled(5.0), oneNan, "an expected count is negative or not a number"},
        {Filled(5.0), Filled(inf), "an expected count is infinite"},
        {Filled(nan), Filled(5.0), "the statistic is not a finite number"},
        {Filled(1e300), Filled(1e-300), "the statistic is not a finite number"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.reason);
        const std::vector<std::string> lines = TestLinesFor(c.observed, c.expected);
        ASSERT_EQ(lines.size(), 2u);
        EXPECT_EQ(lines[0], prefix + c.reason + ")");
        EXPECT_EQ(lines[1], "  Prob = not defined");
    }
}

TEST(ReportText, HugeStatisticGivesZeroProbability) {
    // O = 2^270 against E = 1 in all 16 cells: X2 = 16 * 2^540 = 2^544 exactly
    // (2^270 - 1 rounds to 2^270), far beyond what the tail routine can take.
    const DivergenceCounts observed = Filled(std::ldexp(1.0, 270));
    const GoodnessOfFit fit = TestGoodnessOfFit(observed, Filled(1.0), 11);
    ASSERT_TRUE(fit.defined);
    EXPECT_EQ(fit.statistic, std::ldexp(1.0, 544));
    EXPECT_EQ(fit.prob, 0.0);
    const std::vector<std::string> lines = TestLinesFor(observed, Filled(1.0));
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[1], "  Prob =     0.000000");
}

TEST(GoodnessOfFitDeathTest, DegreesOfFreedomBelowOneStop) {
    const DivergenceCounts table = Filled(1.0);
    EXPECT_EXIT(TestGoodnessOfFit(table, table, 0), ::testing::ExitedWithCode(3),
                "Assertion failed: df > 0, file dyvern");
}

class ReportFileTest : public ::testing::Test {
protected:
    void TearDown() override { std::remove(path_.c_str()); }
    const std::string path_ = ::testing::TempDir() + "dyvern_report_test.txt";
};

TEST_F(ReportFileTest, WritesAndReplacesTheWholeFile) {
    std::remove(path_.c_str());
    EXPECT_FALSE(FileExists(path_));
    ASSERT_TRUE(WriteReportFile(path_, "first line\nsecond line\n"));
    EXPECT_TRUE(FileExists(path_));
    ASSERT_TRUE(WriteReportFile(path_, "short\n"));
    EXPECT_EQ(ReadText(path_), "short\n");
}

TEST_F(ReportFileTest, ReportsAFileThatCannotBeCreated) {
    const std::string inMissingDirectory = path_ + ".missing/report.txt";
    EXPECT_FALSE(WriteReportFile(inMissingDirectory, "text\n"));
    EXPECT_FALSE(FileExists(inMissingDirectory));
}

}  // namespace
}  // namespace dyvern
