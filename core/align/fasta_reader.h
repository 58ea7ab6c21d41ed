// Reading a FASTA alignment.
#pragma once

#include <string>
#include <string_view>

#include "align/alignment.h"

namespace dyvern {

// Records of a '>' header line (the name is its first word; the rest is a
// description) and sequence lines; blank lines, blanks within lines and
// "\r\n" line ends are allowed. '.' reads as a gap, as many aligners write it.
// Throws InputError "SOURCE:LINE: ..." for anything an alignment cannot hold.
Alignment ReadFasta(std::string_view text, const std::string& source);

}  // namespace dyvern
