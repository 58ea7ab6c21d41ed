// Solve, Report and Compare models on the sample data against answers worked
// out another way: the figures of the README, closed forms, and the refined
// fit of the estimation library.
#include <cmath>

#include "estimate/closed_forms.h"
#include "estimate/pair_fit.h"
#include "support/app_fixture.h"

namespace dyvern::testing {
namespace {

class KnownAnswers : public SampleAppTest {
protected:
    const DivergenceCounts sample = SampleTable();
    const DifferenceShares shares = SharesOf(sample);
};

// After Solve, d is the distance of the fitted model: the closed forms for
// JC69 and K80, the library's refined fit for F81 and HKY85. The README's
// figures come from HKY85 solved from JC69's optimum, where Solve stops some
// 3e-6 short of the library's d; from K80's it comes within 2e-6.
TEST_F(KnownAnswers, SolveGivesTheReadmeFiguresAndTheModelsDistance) {
    const double none = std::nan("");
    const double P = shares.P, Q = shares.Q;
    const double jukesCantor = -0.75 * std::log(1 - 4 * (P + Q) / 3);
    const double kimura = -0.5 * std::log(1 - 2 * P - Q) - 0.25 * std::log(1 - 2 * Q);
    const struct {
        int model;
        double lnL, kappa, d;
        const char* statistic;  // in the report, "" when not checked
        const char* prob;
    } rows[] = {
        {0, -1594.692558, none, jukesCantor, "  chi-square test statistic = 277.971718",
         "  Prob =     0.000000"},
        {3, none, none, none, "  chi-square test statistic = 5.495241", "  Prob =     0.855741"},
        {1, none, none, FitPair(sample, 895, ModelKind::F81, Criterion::MaxLikelihood).d, "", ""},
        {2, -1530.006297, 32.37011, kimura, "", ""},
        {3, none, none, FitPair(sample, 895, ModelKind::HKY85, Criterion::MaxLikelihood).d, "", ""},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.model);
        window->ChooseModel(row.model);
        Press(IDC_SOLVE);
        const std::pair<int, double> figures[] = {
            {IDC_CRITERION_VALUE, row.lnL}, {IDC_KAPPA_EDIT, row.kappa}, {IDC_D_VALUE, row.d}};
        for (const auto& [id, known] : figures) {
            if (!std::isnan(known)) {
                EXPECT_NEAR(Number(id), known, id == IDC_D_VALUE ? 2e-6 : 1e-5) << id;
            }
        }
        if (!*row.statistic) continue;
        ReportReplacing();
        const std::vector<std::string> lines = ReportLines();
        ASSERT_EQ(lines.size(), 20u);
        EXPECT_EQ(lines[17], row.statistic);
        EXPECT_EQ(lines[19], row.prob);
    }
}

TEST_F(KnownAnswers, CompareModelsWritesModelsTxtBesideTheProgramAndOpensIt) {
    Press(IDM_COMPARE);
    const std::string path = (folder / "models.txt").string();
    EXPECT_EQ(window->started, std::vector<std::string>{"NOTEPAD.EXE " + path});
    // HKY85 gains some 70 log units over F81 and K80 with one or three parameters more.
    EXPECT_EQ(ReadLines(path).back(),
              "AIC prefers HKY85 (Hasegawa, Kishino & Yano 1985); "
              "BIC prefers HKY85 (Hasegawa, Kishino & Yano 1985).");
}

// Least squares of F81, from the composition, meets the share of differing
// sites exactly.
TEST_F(KnownAnswers, LeastSquaresOfFelsensteinMeetsTheDifferencesExactly) {
    Press(IDC_LEAST_SQUARES);
    window->ChooseModel(1);
    Press(IDC_SOLVE);
    double sumOfSquares = 0.0;
    for (const double share : Composition(sample)) sumOfSquares += share * share;
    EXPECT_NEAR(Number(IDC_BETAT_EDIT), -std::log(1 - shares.p() / (1 - sumOfSquares)), 1e-6);
    EXPECT_EQ(Text(IDC_CRITERION_VALUE), "0.000000");
}

}  // namespace
}  // namespace dyvern::testing
