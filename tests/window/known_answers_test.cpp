// Solve and Report on the sample data against answers worked out another
// way: the figures of the README, closed forms of least squares, and a
// maximum-likelihood fit of F81 by expectation maximisation.
#include <cmath>

#include "estimate/closed_forms.h"
#include "estimate/pair_fit.h"
#include "support/app_fixture.h"
#include "support/reference_model.h"
#include "support/test_tables.h"

namespace dyvern::testing {
namespace {

class KnownAnswers : public SampleAppTest {
protected:
    void WriteReport() {
        window->AnswerNextMessage(MessageAnswer::Yes);
        Press(IDC_REPORT);
    }

    const DivergenceCounts sample = SampleTable();
    const double n = CellSum(sample);
    const double differing = 79;  // sites of the sample whose bases differ
};

TEST_F(KnownAnswers, ReportFiguresOfTheReadme) {
    const struct {
        int model;
        const char* statistic;
        const char* prob;
    } rows[] = {
        {0, "  chi-square test statistic = 277.971718", "  Prob =     0.000000"},
        {3, "  chi-square test statistic = 5.495241", "  Prob =     0.855741"},
    };
    for (const auto& row : rows) {
        window->ChooseModel(row.model);
        Press(IDC_SOLVE);
        WriteReport();
        const std::vector<std::string> lines = ReportLines();
        ASSERT_EQ(lines.size(), 20u);
        EXPECT_EQ(lines[17], row.statistic);
        EXPECT_EQ(lines[19], row.prob);
    }
}

TEST_F(KnownAnswers, LeastSquaresOfJukesCantorAndFelsensteinMeetTheDifferencesExactly) {
    const double p = differing / n;
    Press(IDC_LEAST_SQUARES);
    Press(IDC_SOLVE);
    EXPECT_NEAR(Number(IDC_BETAT_EDIT), -std::log(1 - 4 * p / 3), 1e-6);
    EXPECT_EQ(Text(IDC_CRITERION_VALUE), "0.000000");

    window->ChooseModel(1);
    const Frequencies composition = Composition(sample);
    const int fields[] = {IDC_PIA_EDIT, IDC_PIC_EDIT, IDC_PIG_EDIT, IDC_PIT_EDIT};
    double sumOfSquares = 0.0;
    for (int b = 0; b < 4; ++b) {
        EXPECT_NEAR(Number(fields[b]), composition[b], 5e-7) << b;
        sumOfSquares += Number(fields[b]) * Number(fields[b]);
    }
    Press(IDC_SOLVE);
    EXPECT_NEAR(Number(IDC_BETAT_EDIT), -std::log(1 - p / (1 - sumOfSquares)), 1e-6);
    EXPECT_EQ(Text(IDC_CRITERION_VALUE), "0.000000");
}

// After Solve, d is the distance of the fitted model: the closed forms for JC69
// and K80, the refined fit for F81 and HKY85.
TEST_F(KnownAnswers, DAfterSolveIsTheModelsDistance) {
    const DifferenceShares shares = SharesOf(sample);
    const double distances[] = {
        JukesCantorDistance(shares.p(), n).d,
        FitPair(sample, static_cast<int>(n), ModelKind::F81, Criterion::MaxLikelihood).d,
        KimuraDistance(shares.P, shares.Q, n).d,
        FitPair(sample, static_cast<int>(n), ModelKind::HKY85, Criterion::MaxLikelihood).d,
    };
    for (int model = 0; model < 4; ++model) {
        window->ChooseModel(model);
        Press(IDC_SOLVE);
        EXPECT_NEAR(Number(IDC_D_VALUE), distances[model], 2e-6) << "model " << model;
    }
}

struct F81Fit {
    double bt;
    Frequencies pi;
    double lnL;
};

// Maximum likelihood of F81 by expectation maximisation over whether a site
// saw a substitution event: without one (chance e^-bt) it shows one base
// twice, with one its second base is drawn afresh from pi. The joint
// probability of (i, j) is pi_i pi_j (1 - e^-bt) + [i = j] pi_i e^-bt.
F81Fit F81ByExpectationMaximisation(const DivergenceCounts& counts) {
    const double sites = CellSum(counts);
    double stay = 0.5;
    Frequencies pi = kEqualFrequencies;
    for (int iteration = 0; iteration < 1000000; ++iteration) {
        Frequencies draws{};
        double unchanged = 0.0;
        for (int i = 0; i < 4; ++i) {
            for (int j = 0; j < 4; ++j) {
                if (i != j) {
                    draws[i] += counts[i][j];
                    draws[j] += counts[i][j];
                    continue;
                }
                const double w = stay / (stay + (1 - stay) * pi[i]);  // share without an event
                unchanged += counts[i][i] * w;
                draws[i] += counts[i][i] * (2 - w);
            }
        }
        const double drawn = draws[A] + draws[C] + draws[G] + draws[T];
        double change = std::fabs(unchanged / sites - stay);
        stay = unchanged / sites;
        for (int b = 0; b < 4; ++b) {
            change = std::fmax(change, std::fabs(draws[b] / drawn - pi[b]));
            pi[b] = draws[b] / drawn;
        }
        if (change < 1e-15) break;
    }
    DivergenceCounts joint{};
    for (int i = 0; i < 4; ++i)
        for (int j = 0; j < 4; ++j)
            joint[i][j] = pi[i] * pi[j] * (1 - stay) + (i == j) * pi[i] * stay;
    return {-std::log(stay), pi, ReferenceLnL(counts, joint)};
}

TEST_F(KnownAnswers, FelsensteinMaximumLikelihoodAgreesWithExpectationMaximisation) {
    const F81Fit reference = F81ByExpectationMaximisation(sample);
    window->ChooseModel(1);
    Press(IDC_SOLVE);
    EXPECT_NEAR(Number(IDC_CRITERION_VALUE), reference.lnL, 1e-6);
    EXPECT_NEAR(Number(IDC_BETAT_EDIT), reference.bt, 1e-4);
    EXPECT_NEAR(Number(IDC_PIA_EDIT), reference.pi[A], 1e-4);
    EXPECT_NEAR(Number(IDC_PIC_EDIT), reference.pi[C], 1e-4);
    EXPECT_NEAR(Number(IDC_PIG_EDIT), reference.pi[G], 1e-4);
}

}  // namespace
}  // namespace dyvern::testing
