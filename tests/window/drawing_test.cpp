// Each command draws each control at most once, and what it leaves on
// screen is what the fields stand for.
#include <functional>

#include "support/app_fixture.h"
#include "support/reference_model.h"
#include "support/test_tables.h"
#include "system/deferred_drawing.h"

namespace dyvern::testing {
namespace {

class OneDrawPerCommand : public SampleAppTest {
protected:
    // The expected grid against the counts the fields predict, from the reference model.
    void ExpectGridOfFieldsShown(const std::string& context) const {
        const double piA = Number(IDC_PIA_EDIT), piC = Number(IDC_PIC_EDIT),
                     piG = Number(IDC_PIG_EDIT);
        const DivergenceCounts joint = ReferenceJoint(
            Number(IDC_BETAT_EDIT), Number(IDC_KAPPA_EDIT), {piA, piC, piG, 1 - piA - piC - piG});
        for (int i = 0; i < 4; ++i)
            for (int j = 0; j < 4; ++j)
                EXPECT_NEAR(std::stod(GridCell(IDC_EXPECTED_GRID, i, j)), joint[i][j] * 895, 0.051)
                    << context << " cell " << i << j;
    }
};

TEST_F(OneDrawPerCommand, AndTheScreenShowsTheFieldsAtItsEnd) {
    const std::pair<const char*, std::function<void()>> commands[] = {
        {"solve JC69", [&] { Press(IDC_SOLVE); }},
        {"to HKY85", [&] { window->ChooseModel(3); }},
        {"solve HKY85", [&] { Press(IDC_SOLVE); }},
        {"least squares", [&] { Press(IDC_LEAST_SQUARES); }},
        {"solve by least squares", [&] { Press(IDC_SOLVE); }},
        {"likelihood", [&] { Press(IDC_LIKELIHOOD); }},
        {"equal", [&] { Press(IDC_EQUAL); }},
        {"empirical", [&] { Press(IDC_EMPIRICAL); }},
        {"typed kappa", [&] { window->Type(IDC_KAPPA_EDIT, "4"); }},
        {"step", [&] { Press(IDC_PIC_UP); }},
        {"refresh", [&] { Press(IDC_REFRESH); }},
        {"to K80", [&] { window->ChooseModel(2); }},
    };
    const int drawn[] = {IDC_EXPECTED_GRID, IDC_GAUGE,      IDC_CRITERION_VALUE, IDC_PIT_EDIT,
                         IDC_BETAT_EDIT,    IDC_KAPPA_EDIT, IDC_PIA_EDIT,        IDC_PIG_EDIT};
    for (const auto& [name, command] : commands) {
        window->draws.clear();
        command();
        for (const int id : drawn) EXPECT_LE(window->draws[id], 1) << name << " control " << id;
        ExpectGridOfFieldsShown(name);
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
