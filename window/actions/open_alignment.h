#pragma once

#include <string>

#include "state/session.h"

namespace dyvern {

// File > Open of an alignment, told from a data file by content as the
// command line tells it. The user picks two sequences and what an ambiguity
// code counts as, and their table is loaded as a data file's is. Cancel, the
// same sequence twice, or an alignment that cannot be read (its reader's
// message is shown) change nothing. Returns false, doing nothing, for a file
// that is not an alignment: the data file reader takes it as ever.
bool OpenAlignment(Session& session, const std::string& path);

}  // namespace dyvern
