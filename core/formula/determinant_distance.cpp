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

// fx, fy: the table's margins, or the compositions given, held fixed. On
// Cells, d with its gradient; on doubles, the same d alone.
template <class Number>
Number Evaluate(ModelKind model, const ShareTable<Number>& F, const FormulaSettings& settings,
                LogTerm& L) {
    if (model == ModelKind::LogDet) return LogDetForm(F, L);
    std::array<Number, 4> fx, fy;
    for (int k = 0; k < 4; ++k) {
        if (settings.origin == FrequencyOrigin::Given) {
            fx[k] = Number(settings.sequence1[k]);
            fy[k] = Number(settings.sequence2[k]);
        } else {
            fx[k] = F[k][A] + F[k][C] + F[k][G] + F[k][T];
            fy[k] = F[A][k] + F[C][k] + F[G][k] + F[T][k];
        }
    }
    return ParalinearForm(F, fx, fy, L);
}

Cell WithGradient(ModelKind model, const ShareTable<double>& F, const FormulaSettings& settings,
                  LogTerm& L) {
    ShareTable<Cell> x;
    for (int i = 0; i < 4; ++i)
        for (int j = 0; j < 4; ++j) x[i][j] = DualVariable<16>(F[i][j], 4 * i + j);
    return Evaluate(model, x, settings, L);
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
    std::array<double, 4> rows{}, columns{};
    for (int i = 0; i < 4; ++i) {
        for (int j = 0; j < 4; ++j) {
            F[i][j] = counts[i][j] / n;
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
    const Cell d = settings.variance ? WithGradient(model, F, settings, L)
                                     : Cell(Evaluate(model, F, settings, L));
    if (L.Saturated() || !std::isfinite(d.value)) {
        result.d = std::numeric_limits<double>::infinity();
        result.status = FitStatus::Saturated;
        return result;
    }
    result.d = d.value;
    result.status = NoDifferences(counts) ? FitStatus::Identical : FitStatus::Ok;
    if (!settings.variance) return result;
    ShareTable<double> g;
    for (int i = 0; i < 4; ++i)
        for (int j = 0; j < 4; ++j) g[i][j] = d.gradient[4 * i + j];
    result.variance = CellVariance(F, g, n);
    return result;
}

}  // namespace dyvern
