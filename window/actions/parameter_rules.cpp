#include "actions/parameter_rules.h"

#include <array>
#include <cmath>

#include "model/table_checks.h"

namespace dyvern {

void SetEqualFrequencies(Session& session) {
    ParameterFields& f = session.fields;
    f.piA().SetValue(0.25);
    f.piC().SetValue(0.25);
    f.piG().SetValue(0.25);
    f.piT().SetValue(0.25);
}

void SetEmpiricalFrequencies(Session& session) {
    const AnalysisState& state = session.state;
    if (state.siteCount <= 0) return;
    const std::array<double, 4> sum = BaseShares(state.observed, state.siteCount);
    for (const double s : sum)
        if (!std::isfinite(s)) return;
    ParameterFields& f = session.fields;
    f.piA().SetValue(sum[A]);
    f.piC().SetValue(sum[C]);
    f.piG().SetValue(sum[G]);
    f.piT().SetValue(sum[T]);
}

bool CheckFrequencies(Session& session, FixedParam* field, int direction) {
    ParameterFields& f = session.fields;
    const double r = 1.0 - f.piA().GetValue() - f.piC().GetValue() - f.piG().GetValue();
    if (0.0 < r && r < 1.0) return true;
    if (field) field->SetValue(field->GetValue() + direction * field->GetStep());
    return false;
}

}  // namespace dyvern
