// The report command writes what the window writes after Solve and Report.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "cli_runner.h"
#include "support/app_fixture.h"

namespace dyvern::testing {
namespace {

class ReportCommand : public SampleAppTest {};

TEST_F(ReportCommand, IsTheWindowsReportAfterSolveForEveryModel) {
    const char* const models[] = {"JC69", "F81", "K80", "HKY85"};
    for (int m = 0; m < 4; ++m) {
        MoveProgramTo("");  // a fresh window, from its start values
        Start();
        window->ChooseModel(m);
        Press(IDC_SOLVE);
        window->AnswerNextMessage(MessageAnswer::Yes);
        Press(IDC_REPORT);
        std::ifstream in(ReportPath());
        std::stringstream windowReport;
        windowReport << in.rdbuf();

        const CliResult cli = RunCli({"report", kSample, "--model", models[m]});
        EXPECT_EQ(cli.status, 0) << cli.err;
        EXPECT_EQ(cli.out, windowReport.str()) << models[m];
        const CliResult pair =
            RunCli({"report", kPrimates, "--pair", "Human", "Chimpanzee", "--model", models[m]});
        EXPECT_EQ(pair.status, 0) << pair.err;
        EXPECT_EQ(pair.out, cli.out) << models[m];
    }
}

}  // namespace
}  // namespace dyvern::testing
