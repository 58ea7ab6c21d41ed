// Each command draws each control at most once, and what it leaves on
// screen is what the fields stand for.
#include <functional>

#include "support/app_fixture.h"
#include "support/reference_model.h"
#include "support/test_tables.h"
#include "system/deferred_drawing.h"

namespace dyvern::testing {
namespace {

class EveryCommand : public SampleAppTest {
protected:
    // The joint probabilities of the fields shown, from the reference model,
    // piT the remainder (its field is never read).
    DivergenceCounts JointOfFieldsShown() const {
        const double piA = Number(IDC_PIA_EDIT), piC = Number(IDC_PIC_EDIT),
                     piG = Number(IDC_PIG_EDIT);
        return ReferenceJoint(Number(IDC_BETAT_EDIT), Number(IDC_KAPPA_EDIT),
                              {piA, piC, piG, 1 - piA - piC - piG});
    }
};

TEST_F(EveryCommand, DrawsOnceAndLeavesTheCriterionAndGridOfTheFieldsShown) {
    const std::pair<const char*, std::function<void()>> commands[] = {
        {"start-up", [] {}},
        {"step", [&] { Press(IDC_BETAT_UP); }},
        {"solve JC69", [&] { Press(IDC_SOLVE); }},
        {"to K80", [&] { window->ChooseModel(2); }},
        {"kappa step", [&] { Press(IDC_KAPPA_UP); }},
        {"solve K80", [&] { Press(IDC_SOLVE); }},
        {"back to JC69", [&] { window->ChooseModel(0); }},
        {"to HKY85", [&] { window->ChooseModel(3); }},
        {"empirical", [&] { Press(IDC_EMPIRICAL); }},
        {"typed kappa", [&] { window->Type(IDC_KAPPA_EDIT, "2"); }},
        {"solve HKY85", [&] { Press(IDC_SOLVE); }},
        {"equal", [&] { Press(IDC_EQUAL); }},
        {"frequency step", [&] { Press(IDC_PIA_DOWN); }},
        {"typed piT", [&] { window->Type(IDC_PIT_EDIT, "0.3"); }},
        {"least squares", [&] { Press(IDC_LEAST_SQUARES); }},
        {"solve by least squares", [&] { Press(IDC_SOLVE); }},
        {"likelihood", [&] { Press(IDC_LIKELIHOOD); }},
        {"refresh", [&] { Press(IDC_REFRESH); }},
        {"to F81", [&] { window->ChooseModel(1); }},
    };
    const int drawn[] = {IDC_EXPECTED_GRID, IDC_GAUGE,      IDC_CRITERION_VALUE, IDC_PIT_EDIT,
                         IDC_BETAT_EDIT,    IDC_KAPPA_EDIT, IDC_PIA_EDIT,        IDC_PIG_EDIT};
    for (const auto& [name, command] : commands) {
        SCOPED_TRACE(name);
        window->draws.clear();
        command();
        for (const int id : drawn) EXPECT_LE(window->draws[id], 1) << "control " << id;
        const DivergenceCounts joint = JointOfFieldsShown();
        if (window->Control(IDC_LIKELIHOOD).checked) {
            EXPECT_NEAR(Number(IDC_CRITERION_VALUE), ReferenceLnL(SampleTable(), joint), 2e-6);
        }
        for (int i = 0; i < 4; ++i)
            for (int j = 0; j < 4; ++j)
                EXPECT_NEAR(std::stod(GridCell(IDC_EXPECTED_GRID, i, j)), joint[i][j] * 895, 0.051)
                    << "cell " << i << j;
    }
}

TEST(DeferredDrawing, HoldsTheLastRequestUntilTheOutermostReleaseOrAModalWindow) {
    FakeWindow window("dyvern.exe");
    DeferredDrawing screen(window, {IDC_CRITERION_VALUE});
    const Picture first = {Shape{Shape::Kind::Frame, {0, 0, 4, 4}, FillColour::Blue, "", {}}};
    screen.Hold();
    screen.Hold();
    screen.Paint(IDC_GAUGE, first, true);
    screen.Paint(IDC_GAUGE, {}, false);
    screen.SetControlText(IDC_CRITERION_VALUE, "1.0");
    screen.SetControlText(IDC_MODEL_LABEL, "shown at once");
    screen.Release();
    EXPECT_EQ(screen.ControlText(IDC_CRITERION_VALUE), "1.0");
    EXPECT_EQ(window.draws, (std::map<int, int>{{IDC_MODEL_LABEL, 1}}));
    screen.ShowMessage("", "", MessageStyle::Error);
    EXPECT_EQ(window.Control(IDC_CRITERION_VALUE).text, "1.0");
    EXPECT_TRUE(window.pictures.at(IDC_GAUGE).empty());
    EXPECT_TRUE(window.erased.at(IDC_GAUGE));  // an erase asked for within the batch stays
    screen.Paint(IDC_GAUGE, first, false);
    screen.Release();
    EXPECT_EQ(window.pictures.at(IDC_GAUGE).size(), 1u);
    EXPECT_EQ(window.draws[IDC_GAUGE], 2);
    // Enabling twice in one state reaches the window once.
    const int changes = window.changes;
    for (const bool on : {false, false, true, true}) screen.EnableControl(IDC_SOLVE, on);
    EXPECT_EQ(window.changes, changes + 2);
    EXPECT_TRUE(window.Control(IDC_SOLVE).enabled);
}

}  // namespace
}  // namespace dyvern::testing
