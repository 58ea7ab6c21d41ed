#include "formula/determinant_distance.h"

#include <cmath>
#include <limits>

#include "base/dual.h"
#include "formula/delta_method.h"
#include "formula/determinant_forms.h"
#include "formula/frequency_needs.h"

namespace dyvern {
namespace {

using Cell = Dual<16>;

// fx, fy: the table's margins, or the compositions given, held fixed.
Cell Evaluate(ModelKind model, const ShareTable<Cell>& F, const FormulaSettings& settings,
              LogTerm& L) {
    if (model == ModelKind::LogDet) return LogDetForm(F, L);
    std::array<Cell, 4> fx, fy;
    for (int k = 0; k < 4; ++k) {
        if (settings.origin == FrequencyOrigin::Given) {
            fx[k] = Cell(settings.sequence1[k]);
            fy[k] = Cell(settings.sequence2[k]);
        } else {
            fx[k] = F[k][A] + F[k][C] + F[k][G] + F[k][T];
            fy[k] = F[A][k] + F[C][k] + F[G][k] + F[T][k];
        }
    }
    return ParalinearForm(F, fx, fy, L);
}

bool NoDifferences(const DivergenceCounts& counts) {
    for (int i = 0; i < 4; ++i)
        for (int j = 0; j < 4; ++j)
            if (i != j && counts[i][j] != 0.0) return false;
    return true;
}

}  // namespace

FormulaDistance DeterminantDistance(ModelKind model, const DivergenceCounts& counts, double n,
                                    const FormulaSettings& settings) {
    FormulaDistance result;
    result.sites = n;
    ShareTable<double> F;
    ShareTable<Cell> x;
    std::array<double, 4> rows{}, columns{};
    for (int i = 0; i < 4; ++i) {
        for (int j = 0; j < 4; ++j) {
            F[i][j] = counts[i][j] / n;
            x[i][j] = DualVariable<16>(F[i][j], 4 * i + j);
            rows[i] += F[i][j];
            columns[j] += F[i][j];
        }
    }
    result.problem = CompositionProblem(rows, columns);
    if (!result.problem && model == ModelKind::Paralinear &&
        settings.origin == FrequencyOrigin::Given)
        result.problem = CompositionProblem(settings.sequence1, settings.sequence2);
    if (result.problem) return result;
    LogTerm L;
    const Cell d = Evaluate(model, x, settings, L);
    if (L.Saturated() || !std::isfinite(d.value)) {
        result.d = std::numeric_limits<double>::infinity();
        result.status = FitStatus::Saturated;
        return result;
    }
    ShareTable<double> g;
    for (int i = 0; i < 4; ++i)
        for (int j = 0; j < 4; ++j) g[i][j] = d.gradient[4 * i + j];
    result.d = d.value;
    result.variance = CellVariance(F, g, n);
    result.status = NoDifferences(counts) ? FitStatus::Identical : FitStatus::Ok;
    return result;
}

}  // namespace dyvern
