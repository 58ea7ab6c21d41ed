// Applying a model kind: fixed values into their fields, free fields enabled,
// fixed ones disabled, then a new gauge scale and a new evaluation.
#pragma once

#include "state/session.h"

namespace dyvern {

// Kinds outside JC69..HKY85 are ignored.
void SelectModel(Session& session, int kind);

// Menu items and buttons "Equal" and "Empirical".
void EnableFrequencyCommands(Session& session, bool on);

// Sets the criterion and its label, then applies the model kind again: the
// criterion decides which frequencies are free.
void SelectCriterion(Session& session, Criterion criterion);

}  // namespace dyvern
