// Loading data files through File > Open, and what a load leaves alone.
#include <filesystem>

#include "tests/app_fixture.h"

namespace dyvern::testing {
namespace {

class DataLoad : public AppTest {
protected:
    void SetUp() override {
        PlaceSample();
        Start();
    }
};

TEST_F(DataLoad, TheDialogOffersTheDefaultNameAndTheTitleNamesTheFile) {
    const std::string path = WriteDataFile("worked.dat", kWorkedTableFile);
    Open(path);
    EXPECT_EQ(window->dialogInitialNames, std::vector<std::string>{"dyvern.dat"});
    EXPECT_EQ(window->title, "Dyvern - " + path);
    EXPECT_EQ(GridCell(IDC_OBSERVED_GRID, A, G), "6.0");
    EXPECT_EQ(app->State().siteCount, 200);
    EXPECT_TRUE(window->messages.empty());
}

TEST_F(DataLoad, ProportionsAreScaledAndTheSiteCountComesFromTheFile) {
    Open(WriteDataFile("p.dat",
                       "200 0.2 0.01 0.03 0.01 0.01 0.2 0.01 0.03 "
                       "0.03 0.01 0.2 0.01 0.01 0.03 0.01 0.2"));
    EXPECT_EQ(GridCell(IDC_OBSERVED_GRID, A, A), "40.0");
    EXPECT_EQ(GridCell(IDC_OBSERVED_GRID, T, C), "6.0");
    Open(WriteDataFile("shifted.dat", "100.0 5 6 7"));  // n reads as 100, ".0" is A-A
    EXPECT_EQ(app->State().siteCount, 100);
    EXPECT_EQ(GridCell(IDC_OBSERVED_GRID, A, A), "0.0");
    EXPECT_EQ(GridCell(IDC_OBSERVED_GRID, A, C), "5.0");
}

TEST_F(DataLoad, ALoadKeepsModelAndParameters) {
    window->ChooseModel(3);
    window->Type(IDC_PIA_EDIT, "0.4");
    window->Type(IDC_KAPPA_EDIT, "3");
    Open(WriteDataFile("worked.dat", kWorkedTableFile));
    EXPECT_EQ(app->State().modelKind, ModelKind::HKY85);
    EXPECT_EQ(Text(IDC_PIA_EDIT), "0.4");
    EXPECT_EQ(Text(IDC_KAPPA_EDIT), "3");
}

TEST_F(DataLoad, CancellingTheDialogChangesNothing) {
    const std::string title = window->title;
    const auto log = window->log;
    // A file named like the dialog's default in the current directory must
    // not be loaded behind the user's back.
    window->AnswerNextFileDialog(std::nullopt);
    Press(IDM_OPEN);
    EXPECT_EQ(window->log, log);
    EXPECT_EQ(window->title, title);
    EXPECT_TRUE(app->State().dataLoaded);
    EXPECT_TRUE(window->messages.empty());
    // The data on screen still answer.
    window->Type(IDC_BETAT_EDIT, "0.2");
    EXPECT_NE(Text(IDC_CRITERION_VALUE), "******");
    const std::string before = Text(IDC_BETAT_EDIT);
    Press(IDC_SOLVE);
    EXPECT_NE(Text(IDC_BETAT_EDIT), before);
}

TEST_F(DataLoad, AFileThatCannotBeOpenedIsReportedAndKeepsTheTable) {
    const std::string missing = (folder / "new.dat").string();
    const std::string title = window->title;
    Open(missing);
    ASSERT_EQ(window->messages.size(), 1u);
    EXPECT_EQ(window->messages[0].text, "Could not open file '" + missing + "'");
    EXPECT_FALSE(std::filesystem::exists(missing));
    EXPECT_EQ(window->title, title);
    EXPECT_EQ(app->State().siteCount, 895);
    EXPECT_TRUE(app->State().dataLoaded);
}

TEST_F(DataLoad, WordsOfAnyLengthAndTablesOfAnyShapeLoad) {
    const std::string longWord = "12" + std::string(5000, 'x');
    Open(WriteDataFile("long.dat", "50 " + longWord + " 3"));
    EXPECT_EQ(GridCell(IDC_OBSERVED_GRID, A, A), "12.0");
    EXPECT_EQ(GridCell(IDC_OBSERVED_GRID, A, C), "3.0");
    Open(WriteDataFile("words.dat", "x 1 2 3"));  // no site count: all zero, n kept
    EXPECT_EQ(app->State().siteCount, 50);
    EXPECT_EQ(GridCell(IDC_OBSERVED_GRID, A, C), "0.0");
}

TEST_F(DataLoad, ValuesTooLargeForADoubleShowAsMarksNotInf) {
    Open(WriteDataFile("huge.dat", "10 1e999 1 1 1"));
    EXPECT_EQ(GridCell(IDC_OBSERVED_GRID, A, A), "***");
    EXPECT_EQ(Text(IDC_CRITERION_VALUE), "*****");
    Press(IDC_SOLVE);
    EXPECT_EQ(Text(IDC_CRITERION_VALUE), "*****");
}

}  // namespace
}  // namespace dyvern::testing
