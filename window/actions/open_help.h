#pragma once

#include "state/session.h"

namespace dyvern {

// Help > Contents: the help file when it lies beside the program, as it
// always was; otherwise the plain-text guide that ships there, in the text
// editor, since current Windows has no viewer for the help file's format.
void OpenHelp(Session& session);

}  // namespace dyvern
