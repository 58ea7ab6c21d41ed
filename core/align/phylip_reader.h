// Reading a PHYLIP alignment.
#pragma once

#include <string>
#include <string_view>

#include "align/alignment.h"

namespace dyvern {

// A first line with the number of sequences and of sites, then the records,
// sequential (each sequence whole, over one line or more) or interleaved
// (a block of one line per sequence, then blocks of sequence only, blank
// lines between blocks optional). Names are relaxed (a first word, then
// blanks) or strict (exactly the first 10 characters, blanks allowed, glued
// to the sequence or not). Blanks within sequence lines are ignored, and '.'
// means "the same as the first sequence at that site".
//
// Every layout and naming is tried, in the order the text suggests
// (interleaved first when blank lines part it into blocks of one line per
// sequence, or when the first record's lines stop short of the declared
// sites; relaxed names first when the first line reads as a name and bases),
// and the first that yields the declared counts wins. When none does, the
// error is the one the first tried found. Throws InputError "SOURCE:LINE: ...".
Alignment ReadPhylip(std::string_view text, const std::string& source);

}  // namespace dyvern
