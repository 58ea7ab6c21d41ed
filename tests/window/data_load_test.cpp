// Loading data files through File > Open, and what a load leaves alone.
#include <filesystem>

#include "support/app_fixture.h"

namespace dyvern::testing {
namespace {

using DataLoad = SampleAppTest;

TEST_F(DataLoad, ALoadShowsTheFileAndKeepsModelAndParameters) {
    window->ChooseModel(3);
    window->Type(IDC_PIA_EDIT, "0.4");
    window->Type(IDC_KAPPA_EDIT, "3");
    const std::string path = WriteDataFile("p.dat",
                                           "200 0.2 0.01 0.03 0.01 0.01 0.2 0.01 0.03 "
                                           "0.03 0.01 0.2 0.01 0.01 0.03 0.01 0.2");
    Open(path);
    EXPECT_EQ(window->dialogInitialNames, std::vector<std::string>{"dyvern.dat"});
    EXPECT_EQ(window->title, "Dyvern - " + path);
    EXPECT_EQ(GridCell(IDC_OBSERVED_GRID, A, A), "40.0");  // proportions of n = 200
    EXPECT_EQ(GridCell(IDC_OBSERVED_GRID, T, C), "6.0");
    EXPECT_TRUE(window->messages.empty());
    EXPECT_EQ(app->State().modelKind, ModelKind::HKY85);
    EXPECT_EQ(Text(IDC_PIA_EDIT), "0.4");
    EXPECT_EQ(Text(IDC_KAPPA_EDIT), "3");
}

TEST_F(DataLoad, CancellingTheDialogChangesNothing) {
    const int changes = window->changes;
    // A file named like the dialog's default in the current directory must
    // not be loaded behind the user's back.
    window->AnswerNextFileDialog(std::nullopt);
    Press(IDM_OPEN);
    EXPECT_EQ(window->changes, changes);
    EXPECT_TRUE(app->State().dataLoaded);
    EXPECT_TRUE(window->messages.empty());
    // The data on screen still answer.
    window->Type(IDC_BETAT_EDIT, "0.2");
    EXPECT_NE(Text(IDC_CRITERION_VALUE), "******");
    const std::string before = Text(IDC_BETAT_EDIT);
    Press(IDC_SOLVE);
    EXPECT_NE(Text(IDC_BETAT_EDIT), before);
}

TEST_F(DataLoad, AMissingFileIsReportedAndAFileWithoutASiteCountKeepsTheLoadedOne) {
    const std::string missing = (folder / "new.dat").string();
    const std::string title = window->title;
    Open(missing);
    ASSERT_EQ(window->messages.size(), 1u);
    EXPECT_EQ(window->messages[0].text, "Could not open file '" + missing + "'");
    EXPECT_FALSE(std::filesystem::exists(missing));
    EXPECT_EQ(window->title, title);
    EXPECT_EQ(GridCell(IDC_OBSERVED_GRID, A, A), "262.0");
    Open(WriteDataFile("words.dat", "x 1 2 3"));
    EXPECT_EQ(app->State().siteCount, 895);
    EXPECT_EQ(GridCell(IDC_OBSERVED_GRID, A, A), "0.0");
}

}  // namespace
}  // namespace dyvern::testing
