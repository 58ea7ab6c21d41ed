// Start-up, shut-down and the commands that need no model work, driven
// through the command table as the window delivers them.
#include "support/app_fixture.h"

namespace dyvern::testing {
namespace {

using StartUp = SampleAppTest;

TEST_F(StartUp, TheGaugeStandsAThirdUpAndRefreshRedrawsItAndBothGrids) {
    // The current value stands a third of the way up whenever the gap to the
    // maximum is at least 4/3 (here about 9 log units).
    EXPECT_EQ(GaugeFilled(), 75);
    EXPECT_EQ(window->Control(IDC_BETAT_LABEL).font, FontRole::Symbol);
    window->pictures.clear();
    Press(IDC_REFRESH);
    EXPECT_EQ(GaugeFilled(), 75);
    EXPECT_EQ(GridCell(IDC_OBSERVED_GRID, G, A), "14.0");
    EXPECT_EQ(GridCell(IDC_EXPECTED_GRID, G, A), "5.3");  // 895/16 (1 - e^-0.1)
    EXPECT_TRUE(window->erased.at(IDC_OBSERVED_GRID));
    EXPECT_TRUE(window->erased.at(IDC_EXPECTED_GRID));
}

TEST_F(StartUp, UnknownCommandsDoNothingAndExitReleasesEverythingOnce) {
    int changes = window->changes;
    app->Command(999, 0);
    app->Command(IDC_BETAT_EDIT, 0x300);           // EN_CHANGE
    app->Command(IDC_MODEL_COMBO, 7);              // not a selection
    app->Command(IDC_PIT_EDIT, DYVERN_EN_UPDATE);  // piT is shown, never read
    app->Command(IDM_INIT, 0);                     // start-up runs once
    EXPECT_EQ(window->changes, changes);
    Press(IDM_ABOUT);
    EXPECT_EQ(window->aboutBoxes, 1);
    Press(IDM_EXIT);
    EXPECT_EQ(window->quitCode, 0);
    EXPECT_EQ(window->fontReleases, 3);
    EXPECT_TRUE(window->fonts.empty());
    app->CleanUp();  // the window's destruction follows Exit
    EXPECT_EQ(window->fontReleases, 3);
    changes = window->changes;
    Press(IDC_SOLVE);
    Press(IDC_REFRESH);
    window->ChooseModel(3);
    EXPECT_EQ(window->changes, changes);
}

// The help file wins when it is there; the guide stands in for it.
TEST_F(StartUp, HelpOpensTheHelpFileOrElseTheGuideOrSaysNeitherIsThere) {
    const struct {
        bool helpFile, guide;
        std::vector<std::string> viewer, editor;
    } rows[] = {
        {true, true, {"dyvern32.hlp"}, {}},
        {true, false, {"dyvern32.hlp"}, {}},
        {false, true, {}, {"NOTEPAD.EXE " + (folder / "guide.txt").string()}},
        {false, false, {}, {}},
    };
    for (const auto& row : rows) {
        std::filesystem::remove(folder / "dyvern32.hlp");
        std::filesystem::remove(folder / "guide.txt");
        if (row.helpFile) WriteDataFile("dyvern32.hlp", "?");
        if (row.guide) WriteDataFile("guide.txt", "Dyvern\n");
        window->helpOpened.clear();
        window->started.clear();
        window->messages.clear();
        Press(IDM_HELP_CONTENTS);
        EXPECT_EQ(window->helpOpened, row.viewer) << row.helpFile << row.guide;
        EXPECT_EQ(window->started, row.editor) << row.helpFile << row.guide;
        const bool told =
            !window->messages.empty() && window->messages[0].caption == "Dyvern error";
        EXPECT_EQ(told, !row.helpFile && !row.guide) << row.helpFile << row.guide;
    }
}

using StartUpWithoutSample = AppTest;

TEST_F(StartUpWithoutSample, ReportsItAndWaitsWithEmptyTables) {
    Start();
    ASSERT_EQ(window->messages.size(), 1u);
    EXPECT_EQ(window->messages[0].style, MessageStyle::Error);
    Press(IDC_REFRESH);
    EXPECT_EQ(GridCell(IDC_OBSERVED_GRID, A, A), "0.0");
    EXPECT_EQ(GridCell(IDC_EXPECTED_GRID, T, T), "0.0");
    EXPECT_EQ(GaugeFilled(), -1);  // no scale yet: the gauge stays empty
    // Solve, a step and a model switch evaluate nothing without data.
    Press(IDC_SOLVE);
    Press(IDC_BETAT_UP);
    window->ChooseModel(3);
    EXPECT_EQ(Text(IDC_CRITERION_VALUE), "******");
    EXPECT_EQ(Text(IDC_BETAT_EDIT), "0.101000");
}

}  // namespace
}  // namespace dyvern::testing
