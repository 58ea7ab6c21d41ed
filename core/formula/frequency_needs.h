// What the closed forms need of the frequencies they divide by, so that a
// form the frequencies leave undefined is reported as such instead of
// passing on a NaN from 0/0.
#pragma once

#include <array>

#include "model/divergence.h"

namespace dyvern {

// Why the model's form is undefined at frequencies pi, or nullptr: F81
// needs two bases, T92 both G + C and A + T, F84 a purine, a pyrimidine,
// and both purines or both pyrimidines. TN93 needs every base, but falls
// back instead (KimuraFallback).
const char* FrequencyProblem(ModelKind model, const std::array<double, 4>& pi);

// TN93 with a frequency 0, which the tn93 program computes by K80's formula.
bool KimuraFallback(ModelKind model, const std::array<double, 4>& pi);

// Why frequencies given from outside cannot be used: one negative or not
// finite, or none above 0.
const char* GivenFrequencyProblem(const std::array<double, 4>& pi);

// LogDet and paralinear: every base must occur in both sequences, or det F
// is 0 and so, for paralinear, is a composition.
const char* CompositionProblem(const std::array<double, 4>& sequence1,
                               const std::array<double, 4>& sequence2);

}  // namespace dyvern
