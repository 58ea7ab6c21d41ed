#include "analysis/model_fit.h"

#include <array>

#include "minimize/powell.h"
#include "model/hkymodel.h"

namespace dyvern {
namespace {

constexpr double kFractionalTolerance = 1e-8;

}  // namespace

ModelFit FitModel(const AnalysisState& state, const ParameterValues& start) {
    HKYModel model(state, start.betat, start.kappa, start.piA, start.piC, start.piG);

    // Unit vectors as the starting directions; Powell uses the leading block.
    std::array<std::array<double, kMaxFreeParameters>, kMaxFreeParameters> matrix{};
    std::array<double*, kMaxFreeParameters> rows{};
    for (int i = 0; i < kMaxFreeParameters; ++i) {
        matrix[i][i] = 1.0;
        rows[i] = matrix[i].data();
    }
    ModelFit fit;
    fit.length = model.GetVector(fit.point.data());
    Powell powell(fit.point.data(), rows.data(), fit.length, kFractionalTolerance, &fit.sweeps,
                  &fit.minimum, &model);
    powell.Run();
    // The model holds the last point tried, not necessarily the minimum.
    model.SetVector(fit.point.data());
    fit.estimates = {model.bt, model.kappa, model.pi[A], model.pi[C], model.pi[G]};
    return fit;
}

}  // namespace dyvern
