// Model kinds, criteria and parameter fields as a user switches, types and
// steps them: what is fixed, what is enabled, when the marks show.
#include "support/app_fixture.h"

namespace dyvern::testing {
namespace {

// A composition far from equal, over a site count twice the cell sum: A 0.2,
// C 0.05, G 0.1, and T the rest.
const char* kUnequalTable = "200\n36 1 2 1\n1 8 0 1\n2 0 18 0\n1 1 0 28\n";

class Fields : public AppTest {
protected:
    void SetUp() override {
        WriteDataFile("sample.dat", kUnequalTable);
        Start();
    }
    // 1 when every control is enabled, 0 when none is, -1 when mixed.
    int EnabledState(std::initializer_list<int> ids) const {
        int on = 0;
        for (const int id : ids) on += window->controls.at(id).enabled ? 1 : 0;
        return on == static_cast<int>(ids.size()) ? 1 : on == 0 ? 0 : -1;
    }
    // d shows the marks exactly when the criterion does.
    bool ShowsMarks() const {
        const bool marks = Text(IDC_CRITERION_VALUE) == "*****";
        EXPECT_EQ(Text(IDC_D_VALUE) == "*****", marks);
        EXPECT_EQ(app->State().invalid, marks);
        return marks;
    }
};

TEST_F(Fields, EveryRowOfTheRulesUnderBothCriteria) {
    const struct {
        int kind, criterion;
        int kappa, frequencies, commands;  // enabled
        bool empirical;                    // the frequencies are the data's composition
    } rows[] = {
        {0, IDC_LIKELIHOOD, 0, 0, 0, false},    {1, IDC_LIKELIHOOD, 0, 1, 1, false},
        {2, IDC_LIKELIHOOD, 1, 0, 0, false},    {3, IDC_LIKELIHOOD, 1, 1, 1, false},
        {0, IDC_LEAST_SQUARES, 0, 0, 0, false}, {1, IDC_LEAST_SQUARES, 0, 0, 0, true},
        {2, IDC_LEAST_SQUARES, 1, 0, 0, false}, {3, IDC_LEAST_SQUARES, 1, 0, 0, true},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(::testing::Message() << "kind " << row.kind << " criterion " << row.criterion);
        Press(row.criterion);
        window->Type(IDC_BETAT_EDIT, "0.2");
        window->ChooseModel(0);  // from equal frequencies and kappa 1 each time
        window->ChooseModel(row.kind);
        EXPECT_EQ(EnabledState({IDC_KAPPA_LABEL, IDC_KAPPA_EDIT, IDC_KAPPA_UP, IDC_KAPPA_DOWN}),
                  row.kappa);
        EXPECT_EQ(
            EnabledState({IDC_PIA_LABEL, IDC_PIA_LABEL2, IDC_PIA_EDIT, IDC_PIA_UP, IDC_PIA_DOWN,
                          IDC_PIC_EDIT, IDC_PIG_DOWN, IDC_PIT_LABEL, IDC_PIT_LABEL2, IDC_PIT_EDIT}),
            row.frequencies);
        EXPECT_EQ(EnabledState({IDC_EQUAL, IDC_EMPIRICAL}), row.commands);
        EXPECT_EQ(window->menuEnabled.at(IDC_EQUAL), row.commands == 1);
        EXPECT_EQ(window->menuEnabled.at(IDC_EMPIRICAL), row.commands == 1);
        EXPECT_EQ(Text(IDC_BETAT_EDIT), "0.2");  // typed text is never rewritten
        EXPECT_EQ(Text(IDC_KAPPA_EDIT), "1.000000");
        EXPECT_EQ(Text(IDC_PIA_EDIT), row.empirical ? "0.200000" : "0.250000");
        EXPECT_EQ(Text(IDC_PIC_EDIT), row.empirical ? "0.050000" : "0.250000");
        EXPECT_EQ(Text(IDC_PIT_EDIT), row.empirical ? "0.650000" : "0.250000");
        const bool likelihood = row.criterion == IDC_LIKELIHOOD;
        EXPECT_EQ(Text(IDC_CRITERION_LABEL), likelihood ? "lnL =" : "SS =");
    }
}

// Each row types into one field, perhaps steps it, then types back the text
// it had: the marks show exactly while a value is out of range or leaves no
// room for piT, and the mended field gives the start's criterion again.
TEST_F(Fields, TheMarksShowWhileAValueIsOutOfRangeAndStepsStayInIt) {
    window->ChooseModel(3);  // every field free
    window->Type(IDC_KAPPA_EDIT, "2.5");
    window->Type(IDC_PIG_EDIT, "0.49");  // piT 0.01
    const std::string start = Text(IDC_CRITERION_VALUE);
    const struct {
        int edit;
        std::string typed;
        bool marks;
        int step = 0;                 // the button then pressed, 0 for none
        const char* shown = nullptr;  // the field after the step, else piT
    } rows[] = {
        // Texts without a leading number read as 0; only the first 29 characters count.
        {IDC_KAPPA_EDIT, "abc", true},
        {IDC_KAPPA_EDIT, "nan", true},
        {IDC_KAPPA_EDIT, "100.0001", true},
        {IDC_KAPPA_EDIT, std::string(29, ' ') + "7", true},
        {IDC_KAPPA_EDIT, "2.5abc", false},
        {IDC_KAPPA_EDIT, std::string(26, ' ') + "2.5", false},
        {IDC_BETAT_EDIT, "100", false, IDC_BETAT_UP, "100.000000"},  // bounds are inclusive
        {IDC_BETAT_EDIT, "0.001", false, IDC_BETAT_DOWN, "0.001000"},
        // A step starts from the last accepted value, not from the text.
        {IDC_BETAT_EDIT, "100.0001", true, IDC_BETAT_DOWN, "0.099000"},
        {IDC_KAPPA_EDIT, "abc", true, IDC_KAPPA_UP, "2.550000"},
        {IDC_PIA_EDIT, "0.2", false, IDC_PIA_UP, "0.210000"},
        // A frequency step leaving no room for piT is taken back; a typed
        // frequency is not, and piT shows the remainder.
        {IDC_PIA_EDIT, "0.255", false, IDC_PIA_UP, "0.255000"},
        {IDC_PIG_EDIT, "0.52", true, 0, "-0.020000"},
        {IDC_PIG_EDIT, "0.4", false, 0, "0.100000"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE("\"" + row.typed + "\"");
        const std::string before = Text(row.edit);
        window->Type(row.edit, row.typed);
        EXPECT_EQ(ShowsMarks(), row.marks);
        if (row.marks) {
            EXPECT_EQ(GridCell(IDC_EXPECTED_GRID, C, G), "***");
            EXPECT_EQ(GridCell(IDC_OBSERVED_GRID, A, A), "36.0");
        }
        if (row.step != 0) {
            window->SetControlText(IDC_CRITERION_VALUE, "stale");
            Press(row.step);
            EXPECT_EQ(Text(row.edit), row.shown);
            EXPECT_FALSE(ShowsMarks());
            EXPECT_NE(Text(IDC_CRITERION_VALUE), "stale");  // a step always evaluates
        } else if (row.shown) {
            EXPECT_EQ(Text(IDC_PIT_EDIT), row.shown);
        }
        window->Type(row.edit, before);
        EXPECT_EQ(Text(IDC_CRITERION_VALUE), start);
    }
}

}  // namespace
}  // namespace dyvern::testing
