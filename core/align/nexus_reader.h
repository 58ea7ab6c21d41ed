// Reading a NEXUS alignment.
#pragma once

#include <string>
#include <string_view>

#include "align/alignment.h"

namespace dyvern {

// The first DATA or CHARACTERS block (keywords in any case): DIMENSIONS
// NTAX= NCHAR=, FORMAT DATATYPE=DNA|NUCLEOTIDE|RNA MISSING= GAP= MATCHCHAR=
// INTERLEAVE, then MATRIX up to ';'. A TAXA block before it, if any, gives
// the order of the names (and NTAX when the block leaves it out). Names may
// be quoted ('...', '' for a quote) and are kept as written, underscores
// included. [Comments] are skipped anywhere; other blocks and commands are
// passed over. The matching character stands for the first taxon's base at
// that site; the declared missing and gap symbols read as '?' and '-'.
// Throws InputError "SOURCE:LINE: ...".
Alignment ReadNexus(std::string_view text, const std::string& source);

}  // namespace dyvern
