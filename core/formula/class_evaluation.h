// The class models' forms (class_forms.h) evaluated on Dual numbers: d with
// its gradient by the four class shares and, when the frequencies are the
// pair's own and so vary with the table, by the four frequencies too. Only
// as many variables as that are carried, for speed.
#pragma once

#include <array>

#include "formula/class_forms.h"
#include "formula/difference_shares.h"
#include "model/divergence.h"

namespace dyvern {

struct ClassEvaluation {
    double d = 0.0;
    std::array<double, 4> byShare{};      // purine, pyrimidine, weak-strong, amino-keto
    std::array<double, 4> byFrequency{};  // A C G T; 0 when they are held
    FormParameters parameters;
    bool saturated = false;  // a log term's argument <= 0, or d not finite
};

// Whether the model's form reads the frequencies.
bool UsesFrequencies(ModelKind model);

// For a class model whose form the frequencies pi define (frequency_needs.h).
ClassEvaluation EvaluateClassForm(ModelKind model, const DifferenceShares& shares,
                                  const std::array<double, 4>& pi, bool frequenciesVary,
                                  double gammaShape);

// d, the parameters and saturation alone (the gradients 0), at a fraction of
// the cost: the same d to the last bit.
ClassEvaluation EvaluateClassFormValue(ModelKind model, const DifferenceShares& shares,
                                       const std::array<double, 4>& pi, double gammaShape);

}  // namespace dyvern
