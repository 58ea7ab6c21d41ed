#include "minimize/powell.h"

#include <cmath>

#include "minimize/iteration_limit.h"
#include "minimize/linemin.h"

namespace dyvern {
namespace {

constexpr double kStopFactor = 2.0;  // of the stopping test, with no absolute floor

}  // namespace

Powell::Powell(double* point, double* const* directions, int n, double ftol, int* iterations,
               double* minValue, Minimize* objective)
    : objective(objective),
      n(n),
      iterations(iterations),
      ftol(ftol),
      minValue(minValue),
      point(point),
      directions(directions),
      sweepStart(n + 1),
      extrapolated(n + 1),
      lineDirection(n + 1) {}

void Powell::RunLineMin() {
    LineMin line(point, lineDirection.data(), n, minValue, objective);
    line.Run();
}

// Drops direction ibest, moves the last direction into its place and makes
// the sweep's displacement (now in lineDirection) the last direction.
void Powell::ReplaceLargestDecrease(int ibest) {
    for (int j = 0; j < n; ++j) {
        directions[j][ibest] = directions[j][n - 1];
        directions[j][n - 1] = lineDirection[j];
    }
}

void Powell::Run() {
    double& fcur = *minValue;
    fcur = objective->Objective(point, n);
    for (int j = 0; j < n; ++j) sweepStart[j] = point[j];
    for (*iterations = 1;; ++*iterations) {
        const double fstart = fcur;
        int ibest = 0;       // direction of the largest decrease in this sweep
        double dbest = 0.0;  // that decrease
        for (int i = 0; i < n; ++i) {
            for (int j = 0; j < n; ++j) lineDirection[j] = directions[j][i];
            const double fbefore = fcur;
            RunLineMin();
            if (std::fabs(fbefore - fcur) > dbest) {  // of equal decreases the earlier wins
                dbest = std::fabs(fbefore - fcur);
                ibest = i;
            }
        }
        if (kStopFactor * std::fabs(fstart - fcur) <= ftol * (std::fabs(fstart) + std::fabs(fcur)))
            return;
        if (*iterations > kSweepLimit) {
            if (stopProgramAtSweepLimit) StopForIterationLimit();
            return;
        }
        for (int j = 0; j < n; ++j) {
            extrapolated[j] = 2.0 * point[j] - sweepStart[j];
            lineDirection[j] = point[j] - sweepStart[j];
            sweepStart[j] = point[j];
        }
        const double fext = objective->Objective(extrapolated.data(), n);
        if (fext < fstart) {
            const double crit = 2.0 * (fstart - 2.0 * fcur + fext) * (fstart - fcur - dbest) *
                                    (fstart - fcur - dbest) -
                                dbest * (fstart - fext) * (fstart - fext);
            if (crit < 0.0) {  // the displacement is worth keeping as a direction
                RunLineMin();
                ReplaceLargestDecrease(ibest);
            }
        }
    }
}

}  // namespace dyvern
