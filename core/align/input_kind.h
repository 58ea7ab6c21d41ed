// Telling the kind of an input text from its content alone.
#pragma once

#include <string_view>

namespace dyvern {

enum class InputKind { DataFile, Fasta, Phylip, Nexus };

// FASTA when the first non-blank character is '>'; NEXUS when the first
// word is #NEXUS in any case; PHYLIP when the first non-blank line is
// exactly two positive integers and something after it is not a number;
// otherwise the window's data file (which reads anything, so every text
// that reads as a data file today still does). A UTF-8 byte order mark is
// passed over.
InputKind DetectInputKind(std::string_view text);

}  // namespace dyvern
