#include "solve/powell_fit.h"

#include <array>

#include "minimize/powell.h"
#include "model/hkymodel.h"

namespace dyvern {
namespace {

constexpr double kFractionalTolerance = 1e-8;

// A direction set can collapse until its directions are nearly parallel, and
// then the search creeps along a valley without meeting the stopping test
// (least squares, whose minimum is often exactly 0, shows it most). Such a
// search starts again from where it stands with fresh unit directions,
// instead of ending the program.
constexpr int kRestarts = 10;

int RunPowell(HKYModel& model, ModelFit& fit) {
    std::array<std::array<double, kMaxFreeParameters>, kMaxFreeParameters> matrix{};
    std::array<double*, kMaxFreeParameters> rows{};
    for (int i = 0; i < kMaxFreeParameters; ++i) {
        matrix[i][i] = 1.0;
        rows[i] = matrix[i].data();
    }
    int sweeps = 0;
    Powell powell(fit.point.data(), rows.data(), fit.length, kFractionalTolerance, &sweeps,
                  &fit.minimum, &model);
    powell.stopProgramAtSweepLimit = false;
    powell.Run();
    return sweeps;
}

}  // namespace

ModelFit FitModel(const FitTarget& target, const ParameterValues& start) {
    HKYModel model(target, start.betat, start.kappa, start.piA, start.piC, start.piG);
    ModelFit fit;
    fit.length = model.GetVector(fit.point.data());
    for (int round = 0; round <= kRestarts; ++round) {
        const int sweeps = RunPowell(model, fit);
        fit.sweeps += sweeps;
        if (sweeps <= Powell::kSweepLimit) break;
    }
    // The model holds the last point tried, not necessarily the minimum.
    model.SetVector(fit.point.data());
    fit.estimates = {model.bt, model.kappa, model.pi[A], model.pi[C], model.pi[G]};
    return fit;
}

}  // namespace dyvern
