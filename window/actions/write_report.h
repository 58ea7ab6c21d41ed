#pragma once

#include "state/session.h"

namespace dyvern {

// Writes the report beside the program, asking first before an earlier one
// is replaced, and opens it in the text editor.
void WriteReport(Session& session);

}  // namespace dyvern
