// Turning the current field values into numbers: the criterion, the expected
// table, the estimates and the gauge's scale.
#pragma once

#include "solve/powell_fit.h"
#include "model/model_family.h"
#include "state/session.h"

namespace dyvern {

// The five adjustable fields' values (each re-read from its text).
ParameterValues FieldValues(Session& session);

// Scores the fields under the current model kind and criterion and, unless
// quiet, writes piT and shows the value. Returns lnL or SS (0 before any data).
double Evaluate(Session& session, bool quiet);

// Fills the expected table from the field values.
void ComputeExpected(Session& session);

// Whether Solve can estimate anything: data loaded, room for piT, and a table
// with non-negative finite counts, some sites and a finite criterion.
bool CanSolve(Session& session);

// Estimates the free parameters and, unless quiet, writes them into the
// fields and shows the optimum. Returns -lnL or SS at the optimum; 0 when
// there is nothing it can solve, changing nothing.
double Solve(Session& session, bool quiet);

// Sets the gauge's range so that it shows how far the criterion is from the
// best attainable value.
void ScaleGauge(Session& session);

// Shows a criterion value and d with their validity marks, moves the gauge
// and redraws the expected grid.
void ShowCriterion(Session& session, double v);

}  // namespace dyvern
