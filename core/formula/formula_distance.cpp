#include "formula/formula_distance.h"

#include <cmath>
#include <limits>

#include "formula/base_composition.h"
#include "formula/class_evaluation.h"
#include "formula/delta_method.h"
#include "formula/determinant_distance.h"
#include "formula/frequency_needs.h"
#include "model/model_family.h"

namespace dyvern {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

FormulaDistance Unfittable(double sites, const char* problem) {
    FormulaDistance result;
    result.sites = sites;
    result.problem = problem;
    return result;
}

bool IsDeterminantModel(ModelKind model) {
    return model == ModelKind::LogDet || model == ModelKind::Paralinear;
}

const char* ModelProblem(ModelKind model, std::optional<double> gammaShape) {
    if (!Estimable(model, Estimation::Formula)) return "the model has no closed form";
    if (!gammaShape) return nullptr;
    if (!HasGammaForm(model)) return "the model has no closed form with gamma-distributed rates";
    if (!(*gammaShape > 0.0) || !std::isfinite(*gammaShape))
        return "the gamma shape is not a positive number";
    return nullptr;
}

// The cell sum n, or why the counts are no table.
const char* CountProblem(const DivergenceCounts& counts, double& n) {
    n = 0.0;
    for (const auto& row : counts) {
        for (const double cell : row) {
            if (!(cell >= 0.0) || !std::isfinite(cell))
                return "a count is negative or not a finite number";
            n += cell;
        }
    }
    if (!std::isfinite(n)) return "the counts add up beyond the range of numbers";
    return n > 0.0 ? nullptr : "no sites counted";
}

// With the pair's frequencies, g_ij is the class's derivative plus half the
// derivatives by pi_i and pi_j, since pi_k = (row k + column k) / 2.
double PairFrequencyVariance(const ClassEvaluation& e, const DivergenceCounts& counts, double n) {
    ShareTable<double> F, g;
    for (int i = 0; i < 4; ++i) {
        for (int j = 0; j < 4; ++j) {
            const int c = kDifferenceClassOfCell[i][j];
            F[i][j] = counts[i][j] / n;
            g[i][j] = (c < 0 ? 0.0 : e.byShare[c]) + 0.5 * (e.byFrequency[i] + e.byFrequency[j]);
        }
    }
    return CellVariance(F, g, n);
}

FitStatus StatusOf(ModelKind form, const DifferenceShares& s) {
    if (s.p() == 0.0) return FitStatus::Identical;
    const bool measuresKappa = form == ModelKind::K80 || form == ModelKind::TN93;
    return measuresKappa && s.Q() == 0.0 ? FitStatus::NoTransversions : FitStatus::Ok;
}

// `counts` given: the frequencies pi are the pair's and vary with it.
FormulaDistance ClassDistance(ModelKind model, const DifferenceShares& s,
                              const std::array<double, 4>& pi, const DivergenceCounts* counts,
                              double gammaShape, bool variance) {
    if (const char* problem = FrequencyProblem(model, pi)) return Unfittable(s.sites, problem);
    FormulaDistance result;
    result.sites = s.sites;
    result.kimuraFallback = KimuraFallback(model, pi);
    const ModelKind form = result.kimuraFallback ? ModelKind::K80 : model;
    const bool vary = counts && UsesFrequencies(form);
    const ClassEvaluation e = variance ? EvaluateClassForm(form, s, pi, vary, gammaShape)
                                       : EvaluateClassFormValue(form, s, pi, gammaShape);
    result.parameters = e.parameters;
    if (result.kimuraFallback) {
        result.parameters.kappaR = result.parameters.kappaY = result.parameters.kappa;
        result.parameters.kappa = kNaN;
    }
    if (e.saturated) {
        result.d = std::numeric_limits<double>::infinity();
        result.status = FitStatus::Saturated;
        return result;
    }
    result.d = e.d;
    if (variance)
        result.variance = vary ? PairFrequencyVariance(e, *counts, s.sites)
                               : ClassVariance(e.byShare, s.ByClass(), s.sites);
    result.status = StatusOf(form, s);
    return result;
}

}  // namespace

const char* SettingsProblem(ModelKind model, const FormulaSettings& settings) {
    if (const char* problem = ModelProblem(model, settings.gammaShape)) return problem;
    if (settings.origin != FrequencyOrigin::Given) return nullptr;
    if (model == ModelKind::Paralinear) {
        const char* problem = GivenFrequencyProblem(settings.sequence1);
        return problem ? problem : GivenFrequencyProblem(settings.sequence2);
    }
    return UsesFrequencies(model) ? GivenFrequencyProblem(settings.frequencies) : nullptr;
}

bool HasGammaForm(ModelKind model) {
    return Estimable(model, Estimation::Formula) && model != ModelKind::Raw &&
           !IsDeterminantModel(model);
}

FormulaDistance FormulaDistanceOf(ModelKind model, const DivergenceCounts& counts,
                                  const FormulaSettings& settings) {
    double n = 0.0;
    if (const char* problem = CountProblem(counts, n)) return Unfittable(n, problem);
    if (const char* problem = SettingsProblem(model, settings)) return Unfittable(n, problem);
    if (IsDeterminantModel(model)) return DeterminantDistance(model, counts, n, settings);
    const bool pair = settings.origin == FrequencyOrigin::Pair;
    const std::array<double, 4> pi = pair ? PairComposition(counts, n) : settings.frequencies;
    return ClassDistance(model, SharesOf(counts, n), pi, pair ? &counts : nullptr,
                         settings.gammaShape.value_or(0.0), settings.variance);
}

FormulaDistance FormulaDistanceOfShares(ModelKind model, const DifferenceShares& shares,
                                        const std::array<double, 4>& pi,
                                        std::optional<double> gammaShape, bool variance) {
    if (IsDeterminantModel(model))
        return Unfittable(shares.sites, "the determinant distances need the whole table");
    const char* problem = ModelProblem(model, gammaShape);
    if (!problem && UsesFrequencies(model)) problem = GivenFrequencyProblem(pi);
    if (!problem && !(shares.sites > 0.0)) problem = "no sites counted";
    if (problem) return Unfittable(shares.sites, problem);
    return ClassDistance(model, shares, pi, nullptr, gammaShape.value_or(0.0), variance);
}

}  // namespace dyvern
