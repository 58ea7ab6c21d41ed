// The Report command: the file beside the program, the question before an
// earlier report is replaced, and the editor.
#include <filesystem>
#include <fstream>

#include "support/app_fixture.h"

namespace dyvern::testing {
namespace {

class ReportCommand : public AppTest {
protected:
    void SetUp() override {
        WriteDataFile("sample.dat", kWorkedTableFile);
        Start();
    }
    std::string Cell(int line, int column) {
        return ReportLines().at(line).substr(12 * column, 12);
    }
};

TEST_F(ReportCommand, TheFirstIsWrittenWithoutAQuestionALaterOneReplacesItOnlyOnYes) {
    Press(IDC_REPORT);
    EXPECT_TRUE(window->messages.empty());
    EXPECT_EQ(window->started, std::vector<std::string>{"NOTEPAD.EXE " + ReportPath()});
    EXPECT_EQ(ReportLines().at(5), "   40.000000    2.000000    6.000000    2.000000");
    // Expected counts at bt = 0.1 under JC69: 200/16 (1 + 3 e^-0.1) on the diagonal.
    EXPECT_EQ(Cell(11, 0), "   46.431403");

    // The tables as they stand: after Solve and an invalid text the expected
    // table is still the optimum's, where each count is the mean of its kind.
    std::ofstream(ReportPath()) << "old report\n" << std::string(30, '\n');
    Press(IDC_SOLVE);
    window->Type(IDC_BETAT_EDIT, "abc");
    window->AnswerNextMessage(MessageAnswer::No);
    Press(IDC_REPORT);
    ASSERT_EQ(window->messages.size(), 1u);
    EXPECT_EQ(window->messages[0].text, "Replace it");
    EXPECT_EQ(window->messages[0].caption, "Report file already exists");
    EXPECT_EQ(window->messages[0].style, MessageStyle::Question);
    EXPECT_EQ(ReportLines().at(0), "old report");
    EXPECT_EQ(window->started.size(), 1u);
    window->AnswerNextMessage(MessageAnswer::Yes);
    Press(IDC_REPORT);
    EXPECT_EQ(ReportLines().size(), 20u);  // the longer old file is replaced whole
    EXPECT_EQ(window->started.size(), 2u);
    EXPECT_NEAR(std::stod(Cell(11, 0)), 40.0, 1e-5);
    EXPECT_NEAR(std::stod(Cell(11, 1)), 40.0 / 12, 1e-5);
}

TEST_F(ReportCommand, ModelNameAndDegreesOfFreedomFollowTheModelKindAlone) {
    const char* degrees[] = {"14", "11", "13", "10"};
    const char* names[] = {"Jukes & Cantor (1969)", "Felsenstein (1981)", "Kimura (1980)",
                           "Hasegawa, Kishino, & Yano (1985)"};
    for (const int criterion : {IDC_LIKELIHOOD, IDC_LEAST_SQUARES}) {
        Press(criterion);
        for (int kind = 0; kind < 4; ++kind) {
            window->ChooseModel(kind);
            window->AnswerNextMessage(MessageAnswer::Yes);
            Press(IDC_REPORT);
            EXPECT_EQ(ReportLines().at(2), std::string("Model: ") + names[kind]);
            EXPECT_EQ(ReportLines().at(18), std::string("  degrees of freedom = ") + degrees[kind]);
        }
    }
}

TEST_F(ReportCommand, AReportThatCannotBeWrittenIsReportedAndNotOpened) {
    std::filesystem::create_directory(ReportPath());  // a folder where the file should go
    window->AnswerNextMessage(MessageAnswer::Yes);
    Press(IDC_REPORT);
    ASSERT_FALSE(window->messages.empty());
    const ShownMessage& last = window->messages.back();
    EXPECT_EQ(last.text, "Could not write the report file '" + ReportPath() + "'");
    EXPECT_EQ(last.caption, "Dyvern error");
    EXPECT_EQ(last.style, MessageStyle::Error);
    EXPECT_TRUE(window->started.empty());
}

using ReportWithoutData = AppTest;

TEST_F(ReportWithoutData, SaysTheStatisticIsNotDefined) {
    Start();  // no sample: every expected count is zero
    Press(IDC_REPORT);
    EXPECT_EQ(ReportLines().at(17),
              "  chi-square test statistic = not defined (an expected count is zero)");
    EXPECT_EQ(window->started.size(), 1u);
}

}  // namespace
}  // namespace dyvern::testing
