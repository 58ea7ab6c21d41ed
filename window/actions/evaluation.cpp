#include "actions/evaluation.h"

#include <cmath>

#include "actions/parameter_rules.h"
#include "base/format.h"
#include "base/stop.h"
#include "controls/count_grid.h"
#include "model/hkymodel.h"
#include "model/substitution_rates.h"
#include "model/table_checks.h"
#include "system/control_ids.h"

namespace dyvern {
namespace {

constexpr int kCriterionDecimals = 6;
constexpr const char* kInvalidMarks = "*****";
constexpr double kGaugeFloor = 0.0001;        // least top of the least-squares scale
constexpr double kGaugeLikelihoodSpan = 2.0;  // least span of the likelihood scale

HKYModel ModelFromFields(Session& session) {
    const ParameterValues p = FieldValues(session);
    return HKYModel(session.state, p.betat, p.kappa, p.piA, p.piC, p.piG);
}

// Substitutions per site of the model's parameters.
double SubstitutionsPerSite(const HKYModel& m) {
    return Distance(RatesOf(m.bt, m.kappa, {m.pi[A], m.pi[C], m.pi[G], m.pi[T]}));
}

}  // namespace

ParameterValues FieldValues(Session& session) {
    ParameterFields& f = session.fields;
    return {f.betat().GetValue(), f.kappa().GetValue(), f.piA().GetValue(),
            f.piC().GetValue(), f.piG().GetValue()};
}

double Evaluate(Session& session, bool quiet) {
    AnalysisState& state = session.state;
    if (!state.dataLoaded) return 0.0;
    if (CheckFrequencies(session)) state.lastValue = ModelFromFields(session).CriterionValue();
    if (quiet) return state.lastValue;
    ParameterFields& f = session.fields;
    f.piT().SetValue(1.0 - f.piA().GetValue() - f.piC().GetValue() -
                         f.piG().GetValue());
    ShowCriterion(session, state.lastValue);
    return state.lastValue;
}

void ComputeExpected(Session& session) {
    const HKYModel model = ModelFromFields(session);
    const double n = session.state.siteCount;
    for (int i = 0; i < 4; ++i)
        for (int j = 0; j < 4; ++j) session.state.expected[i][j] = model.JointProbability(i, j) * n;
}

bool CanSolve(Session& session) {
    const AnalysisState& state = session.state;
    return state.dataLoaded && CheckFrequencies(session) &&
           !TableProblem(state.observed, state.siteCount) &&
           std::isfinite(ModelFromFields(session).CriterionValue());
}

double Solve(Session& session, bool quiet) {
    if (!CanSolve(session)) return 0.0;
    const ModelFit fit = FitModel(session.state, FieldValues(session));
    if (!quiet) {
        ParameterFields& f = session.fields;
        f.betat().SetValue(fit.estimates.betat);
        f.kappa().SetValue(fit.estimates.kappa);
        f.piA().SetValue(fit.estimates.piA);
        f.piC().SetValue(fit.estimates.piC);
        f.piG().SetValue(fit.estimates.piG);
        const bool likelihood = session.state.criterion == Criterion::MaxLikelihood;
        ShowCriterion(session, likelihood ? -fit.minimum : fit.minimum);
    }
    return fit.minimum;
}

void ScaleGauge(Session& session) {
    if (!session.state.dataLoaded) return;
    const double a = Evaluate(session, true);
    double low = 0.0;
    double high = 3.0 * a;
    if (!(high >= kGaugeFloor)) high = kGaugeFloor;
    if (session.state.criterion == Criterion::MaxLikelihood) {
        // Without an attainable maximum the gauge keeps the scale it has.
        if (!CanSolve(session)) return;
        const double h = -Solve(session, true);
        low = a - std::fabs(h - a) * 0.5;
        high = h;
        if (h - low < kGaugeLikelihoodSpan) low = h - kGaugeLikelihoodSpan;
    }
    Thermometer& gauge = *session.thermometer;
    gauge.scaled = true;
    gauge.value = 0.0;
    gauge.low = low;
    gauge.high = high;
}

void ShowCriterion(Session& session, double v) {
    const std::unique_ptr<Thermometer>& thermometer = session.thermometer;
    DYVERN_ASSERT(thermometer, "dyvern");
    AnalysisState& state = session.state;
    state.invalid =
        session.fields.AnyInvalid() || !CheckFrequencies(session) || !std::isfinite(v);
    std::string text = kInvalidMarks;
    std::string d = kInvalidMarks;
    if (state.invalid) {
        thermometer->Update(thermometer->low);
    } else {
        text = FormatFixed(v, kCriterionDecimals);
        d = FormatFixed(SubstitutionsPerSite(ModelFromFields(session)), kCriterionDecimals);
        thermometer->Update(v);
        ComputeExpected(session);
    }
    session.window.SetControlText(IDC_CRITERION_VALUE, text);
    session.window.SetControlText(IDC_D_VALUE, d);
    DrawCountGrid(session.window, state, IDC_EXPECTED_GRID, false);
}

}  // namespace dyvern
