#pragma once

#include <optional>
#include <string>

#include "data/data_file.h"
#include "state/session.h"

namespace dyvern {

// Loads a data file into the analysis state and brings the window up to date:
// observed grid, title, gauge scale and criterion. Without a path the user
// picks one, which may also be an alignment (see OpenAlignment); a cancelled
// choice changes nothing. A file that cannot be opened is reported and
// changes nothing else.
void OpenDataFile(Session& session, const std::optional<std::string>& path);

// What loading does once a table is read: `source` names the file in the
// title, followed by "(NAME1, NAME2)" when a pair of an alignment gave it.
void LoadTable(Session& session, const DataFileTable& table, const std::string& source,
               const std::string& pair);

}  // namespace dyvern
