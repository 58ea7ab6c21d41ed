// Start-up, shut-down and the number of evaluations each command causes,
// driven through the command table as the window delivers them.
#include <algorithm>
#include <cmath>

#include "tests/app_fixture.h"

namespace dyvern::testing {
namespace {

using StartUp = AppTest;

TEST_F(StartUp, WithTheSampleShowsFieldsTitleCriterionAndGauge) {
    PlaceSample();
    Start();
    EXPECT_EQ(Text(IDC_BETAT_EDIT), "0.100000");
    EXPECT_EQ(Text(IDC_KAPPA_EDIT), "1.000000");
    for (const int id : {IDC_PIA_EDIT, IDC_PIC_EDIT, IDC_PIG_EDIT, IDC_PIT_EDIT})
        EXPECT_EQ(Text(id), "0.250000");
    EXPECT_EQ(window->title, "Dyvern - " + (folder / "sample.dat").string());
    EXPECT_EQ(Text(IDC_CRITERION_LABEL), "lnL =");
    // JC69 at bt = 0.1 on the sample: 79 of 895 sites differ.
    const double e = std::exp(-0.1);
    const double expected =
        816 * std::log(0.25 * (0.25 + 0.75 * e)) + 79 * std::log(0.25 * 0.25 * (1 - e));
    EXPECT_NEAR(Number(IDC_CRITERION_VALUE), expected, 5e-7);
    EXPECT_EQ(window->listItems,
              (std::vector<std::string>{"Jukes & Cantor (1969)", "Felsenstein (1981)",
                                        "Kimura (1980)", "Hasegawa et al. (1985)"}));
    EXPECT_EQ(window->selectedItem, 0);
    EXPECT_EQ(GridCell(IDC_OBSERVED_GRID, A, A), "262.0");
    EXPECT_EQ(GridCell(IDC_OBSERVED_GRID, C, T), "29.0");
    // The current value stands a third of the way up whenever the gap to the
    // maximum is at least 4/3 (here about 9 log units).
    EXPECT_EQ(GaugeFilled(), static_cast<int>(224.0 / 3 + 0.5));
    EXPECT_TRUE(window->controls.at(IDC_LIKELIHOOD).checked);
    EXPECT_FALSE(window->controls.at(IDC_LEAST_SQUARES).checked);
    // "******" at start-up, then the one evaluation that ends the load.
    EXPECT_EQ(window->criterionShows, 2);
}

TEST_F(StartUp, BuildsInOrderFieldsModelGaugeFontsThenData) {
    PlaceSample();
    Start();
    const auto& log = window->log;
    auto at = [&](const std::string& entry) {
        return std::find(log.begin(), log.end(), entry) - log.begin();
    };
    EXPECT_LT(at("text 33 0.100000"), at("select 0"));
    EXPECT_LT(at("select 0"), at("paint 121 erase"));
    EXPECT_LT(at("paint 121 erase"), at("text 92 ******"));
    EXPECT_LT(at("text 92 ******"), at("paint 102"));
    EXPECT_EQ(window->fonts.at(FontRole::Small), "Arial 10");
    EXPECT_EQ(window->fonts.at(FontRole::Symbol), "Symbol 14");
    EXPECT_EQ(window->fonts.at(FontRole::Variables), "Tms Rmn 14");
    EXPECT_EQ(window->Control(IDC_BETAT_LABEL).font, FontRole::Symbol);
    EXPECT_EQ(window->Control(IDC_PIT_LABEL2).font, FontRole::Variables);
    EXPECT_EQ(window->Control(IDC_EQUAL).font, FontRole::Small);
}

TEST_F(StartUp, WithoutTheSampleReportsItAndWaitsWithEmptyTables) {
    Start();
    ASSERT_EQ(window->messages.size(), 1u);
    EXPECT_EQ(window->messages[0].text,
              "Could not open file '" + (folder / "sample.dat").string() + "'");
    EXPECT_EQ(window->messages[0].caption, "Dyvern error");
    EXPECT_EQ(window->messages[0].style, MessageStyle::Error);
    EXPECT_EQ(Text(IDC_CRITERION_VALUE), "******");
    EXPECT_EQ(window->title, "Dyvern");
    EXPECT_EQ(window->pictures.count(IDC_OBSERVED_GRID), 0u);
    EXPECT_EQ(GaugeFilled(), -1);

    Press(IDC_REFRESH);
    for (const int grid : {IDC_OBSERVED_GRID, IDC_EXPECTED_GRID})
        for (int i = 0; i < 4; ++i)
            for (int j = 0; j < 4; ++j) EXPECT_EQ(GridCell(grid, i, j), "0.0");
    EXPECT_EQ(GaugeFilled(), -1);  // no scale yet: the gauge stays empty
    EXPECT_EQ(Text(IDC_CRITERION_VALUE), "******");

    // Solve, a step and a model switch do nothing without data.
    Press(IDC_SOLVE);
    Press(IDC_BETAT_UP);
    window->ChooseModel(3);
    EXPECT_EQ(Text(IDC_CRITERION_VALUE), "******");
    EXPECT_EQ(Text(IDC_BETAT_EDIT), "0.101000");
}

TEST_F(StartUp, EvaluationsPerCommandFollowTheNestedPath) {
    PlaceSample();
    Start();
    auto shows = [&](auto&& command) {
        const int before = window->criterionShows;
        command();
        return window->criterionShows - before;
    };
    // A step writes one field; Solve writes five and then shows the optimum.
    EXPECT_EQ(shows([&] { Press(IDC_BETAT_UP); }), 1);
    EXPECT_EQ(shows([&] { Press(IDC_SOLVE); }), 6);
    // To K80: three frequencies and the final evaluation; back to JC69: kappa too.
    EXPECT_EQ(shows([&] { window->ChooseModel(2); }), 4);
    EXPECT_EQ(shows([&] { window->ChooseModel(0); }), 5);
    window->ChooseModel(3);
    EXPECT_EQ(shows([&] { Press(IDC_EQUAL); }), 4);
    EXPECT_EQ(shows([&] { Press(IDC_EMPIRICAL); }), 4);
    EXPECT_EQ(shows([&] { window->Type(IDC_KAPPA_EDIT, "2"); }), 1);
    // piT raises nothing.
    EXPECT_EQ(shows([&] { window->Type(IDC_PIT_EDIT, "0.3"); }), 0);
}

TEST_F(StartUp, RefreshRedrawsBothGridsAndTheGaugeAtItsValue) {
    PlaceSample();
    Start();
    const int filled = GaugeFilled();
    const int before = window->paints[IDC_OBSERVED_GRID];
    window->pictures.clear();
    Press(IDC_REFRESH);
    EXPECT_EQ(window->paints[IDC_OBSERVED_GRID], before + 1);
    EXPECT_EQ(window->log[window->log.size() - 3], "paint 112 erase");
    EXPECT_EQ(window->log[window->log.size() - 2], "paint 102 erase");
    EXPECT_EQ(GaugeFilled(), filled);
    EXPECT_EQ(GridCell(IDC_OBSERVED_GRID, G, A), "14.0");
}

TEST_F(StartUp, ExitAndCloseReleaseEverythingOnce) {
    PlaceSample();
    Start();
    Press(IDM_EXIT);
    EXPECT_EQ(window->quitCode, 0);
    EXPECT_EQ(window->fontsDeleted, 3);
    EXPECT_TRUE(window->fonts.empty());
    app->CleanUp();  // the window's destruction follows Exit
    EXPECT_EQ(window->fontsDeleted, 3);
    // Commands after shut-down reach nothing.
    Press(IDC_SOLVE);
    Press(IDC_REFRESH);
}

TEST_F(StartUp, UnknownIdsAndNotificationsDoNothing) {
    PlaceSample();
    Start();
    const auto log = window->log;
    app->Command(999, 0);
    app->Command(IDC_BETAT_EDIT, 0x300);  // EN_CHANGE
    app->Command(IDC_MODEL_COMBO, 7);     // a combo notification other than a selection
    app->Command(IDM_INIT, 0);            // start-up runs once
    EXPECT_EQ(window->log, log);
}

TEST_F(StartUp, HelpAboutAndReportReachTheWindowSystem) {
    PlaceSample();
    Start();
    Press(IDM_HELP_CONTENTS);
    Press(IDM_ABOUT);
    EXPECT_EQ(window->helpOpened, std::vector<std::string>{"dyvern32.hlp"});
    EXPECT_EQ(window->aboutBoxes, 1);
}

}  // namespace
}  // namespace dyvern::testing
