#pragma once

#include "state/session.h"

namespace dyvern {

// File > Compare models: fits the four models by likelihood to the loaded
// table and writes the comparison beside the program as models.txt, asking
// before an earlier one is replaced, then opens it in the editor. Without
// data, or with a table that cannot be fitted, says so and writes nothing.
void CompareLoadedModels(Session& session);

}  // namespace dyvern
