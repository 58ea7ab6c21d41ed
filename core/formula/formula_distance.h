// The published closed-form distances of a pair table, with their
// large-sample variances: what `--criterion formula` reports. The models:
// raw (the share of differing sites), JC69, K80, F81, T92, K81, F84, TN93,
// LogDet (Gu and Li 1996: -1/4 ln det F - ln 4) and paralinear (Lake 1994).
//
// Each distance is written once (class_forms.h, determinant_forms.h) and
// evaluated on Dual numbers; its variance is the delta method on the
// multinomial table (delta_method.h) with that exact gradient, so nothing
// inherits the faults of hand-derived variances.
//
// Frequencies (F81, T92, F84, TN93; paralinear's two compositions):
//   Pair:  the pair's own composition, (row + column sums) / 2n, which
//          varies with the table, and the variance says so; paralinear's
//          are the table's row and column sums.
//   Given: from outside, held fixed in the variance: for the class models
//          one set (the whole alignment's composition, say, as ape takes
//          it), for paralinear each sequence's own composition (over its
//          own known sites, as ape takes them). Used as given, not
//          renormalised.
//
// Continuous gamma rates (shape alpha, mean 1) replace every -ln w by
// alpha (w^(-1/alpha) - 1) (log_term.h); every class model but raw has that
// form, and raw, LogDet and paralinear have none (HasGammaForm).
//
// Edges, by status (estimate/fit_status.h):
//   unfittable  no sites; a count negative or not finite; no closed form
//               for the model, or none with gamma; a bad gamma shape or
//               frequency; or the form undefined for the frequencies: F81
//               with a single base, T92 without G + C or without A + T,
//               F84 without a purine or a pyrimidine, or with neither both
//               purines nor both pyrimidines, LogDet and paralinear with a
//               base absent from a sequence (det F = 0). `problem` says
//               which; d and the variance are NaN.
//   saturated   a logarithm's argument (or det F) <= 0: d = +inf, variance NaN.
//   identical   no differences: d as the form gives it (0, but for LogDet
//               at unequal composition), variance as the delta method
//               gives it (0 for the class models).
//   no-transversions  K80 and TN93 with transitions but no transversions:
//               d finite, the kappas they measure +inf.
//   ok          otherwise.
// TN93 with a frequency exactly 0 is computed by K80's formula, as the tn93
// program does (its k1 or k2 would be 0): `kimuraFallback` says so, and
// kappaR = kappaY = K80's kappa.
#pragma once

#include <array>
#include <limits>
#include <optional>

#include "formula/class_forms.h"
#include "formula/difference_shares.h"
#include "model/divergence.h"
#include "model/fit_status.h"

namespace dyvern {

enum class FrequencyOrigin { Pair, Given };

struct FormulaSettings {
    std::optional<double> gammaShape;  // none: one rate for every site
    FrequencyOrigin origin = FrequencyOrigin::Pair;
    std::array<double, 4> frequencies{};  // Given, class models: A C G T
    std::array<double, 4> sequence1{};    // Given, paralinear: sequence 1's composition
    std::array<double, 4> sequence2{};    // and sequence 2's
    // false: d and the status alone, the variance NaN; d is the same bits.
    bool variance = true;
};

struct FormulaDistance {
    double sites = 0.0;  // n, the table's cell sum
    double d = std::numeric_limits<double>::quiet_NaN();
    double variance = std::numeric_limits<double>::quiet_NaN();
    FormParameters parameters;  // kappa (K80), gc (T92), kappaR and kappaY (TN93)
    FitStatus status = FitStatus::Unfittable;
    const char* problem = nullptr;  // why, when unfittable
    bool kimuraFallback = false;    // TN93 by K80's formula
};

// Why the model's form cannot take these settings (a gamma shape it has no
// form for, given frequencies that are no frequencies), or nullptr: every
// pair is unfittable under them.
const char* SettingsProblem(ModelKind model, const FormulaSettings& settings);

// Whether the model's distance has the form with gamma-distributed rates.
bool HasGammaForm(ModelKind model);

FormulaDistance FormulaDistanceOf(ModelKind model, const DivergenceCounts& counts,
                                  const FormulaSettings& settings);

// A class model from the shares alone, with the frequencies held at pi
// (ignored by the models without frequencies): the fast paths, which have
// their totals already. With the pair's own composition as pi, d and the
// status are FormulaDistanceOf's, to the bit, on any table with these
// shares; the variance is not (it varies with the frequencies there).
FormulaDistance FormulaDistanceOfShares(ModelKind model, const DifferenceShares& shares,
                                        const std::array<double, 4>& pi = {0.25, 0.25, 0.25, 0.25},
                                        std::optional<double> gammaShape = std::nullopt,
                                        bool variance = true);

}  // namespace dyvern
