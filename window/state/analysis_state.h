// The program's one piece of application state: the loaded table, the chosen
// model and criterion, the expected table and the display's validity.
// Parameter values are not here: they live in the window's parameter fields.
#pragma once

#include <string>

#include "model/divergence.h"

namespace dyvern {

struct AnalysisState : FitTarget {
    bool dataLoaded = false;
    DivergenceCounts expected{};
    double lastValue = 0.0;  // last criterion value computed by Evaluate
    bool invalid = false;    // a free field out of range, or no room for piT
    std::string source;      // the file the table was read from
    std::string pair;        // "NAME1, NAME2" when two sequences of an alignment gave it
};

}  // namespace dyvern
