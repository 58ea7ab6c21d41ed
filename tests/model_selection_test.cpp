// Model kinds and criteria as a user switches them: fixed values, enabled
// fields and commands, and Solve's estimates.
#include <cmath>

#include "tests/app_fixture.h"

namespace dyvern::testing {
namespace {

class ModelSelection : public AppTest {
protected:
    void StartWith(const std::string& data) {
        WriteDataFile("sample.dat", data);
        Start();
    }
    bool FrequencyCommandsEnabled() const {
        const bool menu =
            window->menuEnabled.at(IDC_EQUAL) && window->menuEnabled.at(IDC_EMPIRICAL);
        EXPECT_EQ(menu, Enabled(IDC_EQUAL) && Enabled(IDC_EMPIRICAL));
        return menu;
    }
    // Every control of the four frequency fields is enabled (1), disabled (0) or mixed (-1).
    int FrequencyFieldsEnabled() const {
        int on = 0, all = 0;
        for (const int id : {IDC_PIA_LABEL, IDC_PIA_LABEL2, IDC_PIA_EDIT, IDC_PIA_UP, IDC_PIA_DOWN,
                             IDC_PIC_EDIT, IDC_PIC_UP, IDC_PIG_EDIT, IDC_PIG_DOWN, IDC_PIT_LABEL,
                             IDC_PIT_LABEL2, IDC_PIT_EDIT}) {
            on += Enabled(id);
            ++all;
        }
        return on == all ? 1 : on == 0 ? 0 : -1;
    }
    bool KappaEnabled() const {
        return Enabled(IDC_KAPPA_EDIT) && Enabled(IDC_KAPPA_UP) && Enabled(IDC_KAPPA_DOWN) &&
               Enabled(IDC_KAPPA_LABEL);
    }
};

// A table whose base composition is far from equal: A 0.4, C 0.1, G 0.2, T 0.3.
const char* kUnequalTable = "100\n36 1 2 1\n1 8 0 1\n2 0 18 0\n1 1 0 28\n";

TEST_F(ModelSelection, EveryRowOfTheRulesUnderBothCriteria) {
    StartWith(kUnequalTable);
    struct Row {
        int kind;
        Criterion criterion;
        bool kappaFree;
        int frequenciesFree;
        bool commands;
        bool empirical;  // the frequencies are the data's composition
    };
    const Row rows[] = {
        {0, Criterion::MaxLikelihood, false, 0, false, false},
        {1, Criterion::MaxLikelihood, false, 1, true, false},
        {2, Criterion::MaxLikelihood, true, 0, false, false},
        {3, Criterion::MaxLikelihood, true, 1, true, false},
        {0, Criterion::LeastSquares, false, 0, false, false},
        {1, Criterion::LeastSquares, false, 0, false, true},
        {2, Criterion::LeastSquares, true, 0, false, false},
        {3, Criterion::LeastSquares, true, 0, false, true},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(::testing::Message()
                     << "kind " << row.kind << " criterion " << static_cast<int>(row.criterion));
        Press(row.criterion == Criterion::MaxLikelihood ? IDC_LIKELIHOOD : IDC_LEAST_SQUARES);
        window->Type(IDC_BETAT_EDIT, "0.2");
        window->ChooseModel(0);  // from equal frequencies and kappa 1 each time
        window->ChooseModel(row.kind);
        EXPECT_EQ(KappaEnabled(), row.kappaFree);
        EXPECT_TRUE(Enabled(IDC_BETAT_EDIT));
        EXPECT_EQ(FrequencyFieldsEnabled(), row.frequenciesFree);
        EXPECT_EQ(FrequencyCommandsEnabled(), row.commands);
        EXPECT_EQ(Text(IDC_KAPPA_EDIT), "1.000000");
        EXPECT_EQ(Text(IDC_BETAT_EDIT), "0.2");  // typed text is never rewritten
        EXPECT_EQ(Text(IDC_PIA_EDIT), row.empirical ? "0.400000" : "0.250000");
        EXPECT_EQ(Text(IDC_PIC_EDIT), row.empirical ? "0.100000" : "0.250000");
        EXPECT_EQ(Text(IDC_PIT_EDIT), row.empirical ? "0.300000" : "0.250000");
        EXPECT_EQ(app->State().modelKind, static_cast<ModelKind>(row.kind));
    }
}

TEST_F(ModelSelection, KimuraAfterHasegawaResetsFrequenciesKeepsKappa) {
    StartWith(kUnequalTable);
    window->ChooseModel(3);
    window->Type(IDC_PIA_EDIT, "0.3");
    window->Type(IDC_KAPPA_EDIT, "4.5");
    window->ChooseModel(2);
    EXPECT_EQ(Text(IDC_PIA_EDIT), "0.250000");
    EXPECT_EQ(Text(IDC_KAPPA_EDIT), "4.5");
    window->ChooseModel(1);
    EXPECT_EQ(Text(IDC_KAPPA_EDIT), "1.000000");
    EXPECT_EQ(Text(IDC_PIA_EDIT), "0.250000");  // free again, but not reset
}

TEST_F(ModelSelection, LeastSquaresEmpiricalValuesStayAsStartValuesUnderLikelihood) {
    StartWith(kUnequalTable);
    Press(IDC_LEAST_SQUARES);
    EXPECT_EQ(Text(IDC_CRITERION_LABEL), "SS =");
    EXPECT_TRUE(window->controls.at(IDC_LEAST_SQUARES).checked);
    window->ChooseModel(3);
    EXPECT_EQ(Text(IDC_PIG_EDIT), "0.200000");
    Press(IDC_LIKELIHOOD);
    EXPECT_EQ(Text(IDC_CRITERION_LABEL), "lnL =");
    EXPECT_TRUE(window->controls.at(IDC_LIKELIHOOD).checked);
    EXPECT_EQ(Text(IDC_PIG_EDIT), "0.200000");
    EXPECT_EQ(FrequencyFieldsEnabled(), 1);

    // Under least squares a new data file keeps the old composition until a
    // model or criterion is chosen again.
    Press(IDC_LEAST_SQUARES);
    Open(WriteDataFile("other.dat", kWorkedTableFile));
    EXPECT_EQ(Text(IDC_PIG_EDIT), "0.200000");
    window->ChooseModel(3);
    EXPECT_EQ(Text(IDC_PIG_EDIT), "0.250000");
}

TEST_F(ModelSelection, SolveOnTheWorkedTable) {
    StartWith(kWorkedTableFile);
    Press(IDC_SOLVE);
    EXPECT_EQ(Text(IDC_BETAT_EDIT), "0.310155");  // -ln(1 - 4/3 * 0.2)
    EXPECT_EQ(Text(IDC_KAPPA_EDIT), "1.000000");
    EXPECT_EQ(Text(IDC_PIA_EDIT), "0.250000");
    EXPECT_NEAR(Number(IDC_CRITERION_VALUE), -421.284, 5e-4);

    window->ChooseModel(2);
    Press(IDC_SOLVE);
    EXPECT_NEAR(Number(IDC_BETAT_EDIT), -std::log(0.84), 2e-6);
    EXPECT_NEAR(Number(IDC_KAPPA_EDIT), 2 * std::log(0.68) / std::log(0.84) - 1, 1e-4);
    EXPECT_NEAR(Number(IDC_CRITERION_VALUE), -415.350, 5e-4);
    EXPECT_FALSE(app->State().invalid);
}

TEST_F(ModelSelection, SolveUnderEveryKindAndCriterionNeverMakesThingsWorse) {
    StartWith(kUnequalTable);
    for (const int criterion : {IDC_LIKELIHOOD, IDC_LEAST_SQUARES}) {
        Press(criterion);
        const bool likelihood = criterion == IDC_LIKELIHOOD;
        for (int kind = 0; kind < 4; ++kind) {
            window->ChooseModel(kind);
            const double before = Number(IDC_CRITERION_VALUE);
            Press(IDC_SOLVE);
            const double after = Number(IDC_CRITERION_VALUE);
            EXPECT_TRUE(likelihood ? after >= before : after <= before) << kind;
            // The maximum is the top of the likelihood gauge.
            if (likelihood) {
                EXPECT_EQ(GaugeFilled(), 224) << kind;
            }
        }
    }
}

TEST_F(ModelSelection, LeastSquaresGaugeRunsToThreeTimesTheCurrentValue) {
    StartWith(kWorkedTableFile);
    window->ChooseModel(2);
    Press(IDC_LEAST_SQUARES);
    // Scale 0 .. 3 SS: the current value stands a third of the way up.
    EXPECT_EQ(GaugeFilled(), static_cast<int>(224.0 / 3 + 0.5));
}

}  // namespace
}  // namespace dyvern::testing
