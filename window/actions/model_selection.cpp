#include "actions/model_selection.h"

#include "actions/evaluation.h"
#include "actions/parameter_rules.h"
#include "model/model_family.h"
#include "system/control_ids.h"

namespace dyvern {
namespace {

void EnableFrequencyFields(const ParameterFields& f, bool on) {
    f.EnableRole(FieldRole::Frequency, on);
    f.EnableRole(FieldRole::Remainder, on);
}

// Frequencies fixed at 0.25, Equal and Empirical off.
void HoldEqualFrequencies(Session& session) {
    EnableFrequencyCommands(session, false);
    EnableFrequencyFields(session.fields, false);
    SetEqualFrequencies(session);
}

// Free under maximum likelihood; fixed at the empirical values under least squares.
void ApplyFrequencyRole(Session& session) {
    if (session.state.criterion == Criterion::MaxLikelihood) {
        EnableFrequencyCommands(session, true);
        EnableFrequencyFields(session.fields, true);
    } else {
        SetEmpiricalFrequencies(session);
        EnableFrequencyCommands(session, false);
        EnableFrequencyFields(session.fields, false);
    }
}

}  // namespace

void EnableFrequencyCommands(Session& session, bool on) {
    WindowSystem& window = session.window;
    window.EnableMenuItem(IDC_EQUAL, on);
    window.EnableControl(IDC_EQUAL, on);
    window.EnableMenuItem(IDC_EMPIRICAL, on);
    window.EnableControl(IDC_EMPIRICAL, on);
}

void SelectModel(Session& session, int kind) {
    if (kind < static_cast<int>(ModelKind::JC69) || kind > static_cast<int>(ModelKind::HKY85))
        return;
    session.state.modelKind = static_cast<ModelKind>(kind);
    const ModelFacts& facts = FactsOf(session.state.modelKind);
    FixedParam& kappaField = session.fields.kappa();
    if (facts.kappaFree) {
        kappaField.Enable();
    } else {
        kappaField.SetValue(1.0);
        kappaField.Disable();
    }
    if (facts.frequencies == FrequencyRule::Equal)
        HoldEqualFrequencies(session);
    else
        ApplyFrequencyRole(session);
    ScaleGauge(session);
    Evaluate(session, false);
}

void SelectCriterion(Session& session, Criterion criterion) {
    session.state.criterion = criterion;
    const bool likelihood = criterion == Criterion::MaxLikelihood;
    WindowSystem& window = session.window;
    window.SetControlText(IDC_CRITERION_LABEL, likelihood ? "lnL =" : "SS =");
    // The pair of criterion buttons shows the choice however it was made.
    window.SetCheck(IDC_LIKELIHOOD, likelihood);
    window.SetCheck(IDC_LEAST_SQUARES, !likelihood);
    SelectModel(session, static_cast<int>(session.state.modelKind));
}

}  // namespace dyvern
