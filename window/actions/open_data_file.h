#pragma once

#include <optional>
#include <string>

#include "state/session.h"

namespace dyvern {

// Loads a data file into the analysis state and brings the window up to date:
// observed grid, title, gauge scale and criterion. Without a path the user
// picks one; a cancelled choice changes nothing. A file that cannot be opened
// is reported and changes nothing else.
void OpenDataFile(Session& session, const std::optional<std::string>& path);

}  // namespace dyvern
