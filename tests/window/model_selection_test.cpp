// Model kinds and criteria as a user switches them: fixed values, enabled
// fields and commands, and what Solve does to the gauge.
#include "support/app_fixture.h"

namespace dyvern::testing {
namespace {

// A table whose base composition is far from equal: A 0.4, C 0.1, G 0.2, T 0.3.
const char* kUnequalTable = "100\n36 1 2 1\n1 8 0 1\n2 0 18 0\n1 1 0 28\n";

class ModelSelection : public AppTest {
protected:
    void SetUp() override {
        WriteDataFile("sample.dat", kUnequalTable);
        Start();
    }
    // 1 when every control is enabled, 0 when none is, -1 when mixed.
    int EnabledState(std::initializer_list<int> ids) const {
        int on = 0;
        for (const int id : ids) on += Enabled(id) ? 1 : 0;
        return on == static_cast<int>(ids.size()) ? 1 : on == 0 ? 0 : -1;
    }
    int FrequencyCommands() const {
        const bool menu =
            window->menuEnabled.at(IDC_EQUAL) && window->menuEnabled.at(IDC_EMPIRICAL);
        EXPECT_EQ(menu, EnabledState({IDC_EQUAL, IDC_EMPIRICAL}) == 1);
        return menu;
    }
};

TEST_F(ModelSelection, EveryRowOfTheRulesUnderBothCriteria) {
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
        EXPECT_EQ(app->State().modelKind, static_cast<ModelKind>(row.kind));
        EXPECT_EQ(EnabledState({IDC_KAPPA_LABEL, IDC_KAPPA_EDIT, IDC_KAPPA_UP, IDC_KAPPA_DOWN}),
                  row.kappa);
        EXPECT_EQ(
            EnabledState({IDC_PIA_LABEL, IDC_PIA_LABEL2, IDC_PIA_EDIT, IDC_PIA_UP, IDC_PIA_DOWN,
                          IDC_PIC_EDIT, IDC_PIG_DOWN, IDC_PIT_LABEL, IDC_PIT_LABEL2, IDC_PIT_EDIT}),
            row.frequencies);
        EXPECT_EQ(FrequencyCommands(), row.commands);
        EXPECT_TRUE(Enabled(IDC_BETAT_EDIT));
        EXPECT_EQ(Text(IDC_BETAT_EDIT), "0.2");  // typed text is never rewritten
        EXPECT_EQ(Text(IDC_KAPPA_EDIT), "1.000000");
        EXPECT_EQ(Text(IDC_PIA_EDIT), row.empirical ? "0.400000" : "0.250000");
        EXPECT_EQ(Text(IDC_PIC_EDIT), row.empirical ? "0.100000" : "0.250000");
        EXPECT_EQ(Text(IDC_PIT_EDIT), row.empirical ? "0.300000" : "0.250000");
        const bool likelihood = row.criterion == IDC_LIKELIHOOD;
        EXPECT_EQ(Text(IDC_CRITERION_LABEL), likelihood ? "lnL =" : "SS =");
        EXPECT_EQ(window->Control(IDC_LIKELIHOOD).checked, likelihood);
        EXPECT_EQ(window->Control(IDC_LEAST_SQUARES).checked, !likelihood);
    }
}

TEST_F(ModelSelection, WhatASwitchKeeps) {
    window->ChooseModel(3);
    window->Type(IDC_PIA_EDIT, "0.3");
    window->Type(IDC_KAPPA_EDIT, "4.5");
    window->ChooseModel(2);  // frequencies reset, kappa kept
    EXPECT_EQ(Text(IDC_PIA_EDIT), "0.250000");
    EXPECT_EQ(Text(IDC_KAPPA_EDIT), "4.5");
    window->ChooseModel(1);
    EXPECT_EQ(Text(IDC_KAPPA_EDIT), "1.000000");
    // Empirical values of least squares stay as start values under likelihood.
    Press(IDC_LEAST_SQUARES);
    Press(IDC_LIKELIHOOD);
    EXPECT_EQ(Text(IDC_PIG_EDIT), "0.200000");
    // Under least squares a new data file keeps the old composition until a
    // model or criterion is chosen again.
    Press(IDC_LEAST_SQUARES);
    Open(WriteDataFile("other.dat", kWorkedTableFile));
    EXPECT_EQ(Text(IDC_PIG_EDIT), "0.200000");
    window->ChooseModel(3);
    EXPECT_EQ(Text(IDC_PIG_EDIT), "0.250000");
}

TEST_F(ModelSelection, SolveNeverMakesThingsWorseAndFillsTheLikelihoodGauge) {
    for (const int criterion : {IDC_LIKELIHOOD, IDC_LEAST_SQUARES}) {
        Press(criterion);
        const bool likelihood = criterion == IDC_LIKELIHOOD;
        for (int kind = 0; kind < 4; ++kind) {
            window->ChooseModel(kind);
            // Least squares scales the gauge to three times the current value.
            if (!likelihood) {
                EXPECT_EQ(GaugeFilled(), 75) << kind;
            }
            const double before = Number(IDC_CRITERION_VALUE);
            Press(IDC_SOLVE);
            const double after = Number(IDC_CRITERION_VALUE);
            EXPECT_TRUE(likelihood ? after >= before : after <= before) << kind;
            if (likelihood) {
                EXPECT_EQ(GaugeFilled(), 224) << kind;  // the maximum is the top
            }
        }
    }
}

}  // namespace
}  // namespace dyvern::testing
