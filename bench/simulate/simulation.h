// One whole simulated alignment, and its FASTA text.
#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "simulate_options.h"

namespace dyvern {

// The tips' sequences for the options: a random joining tree from the seed's
// tree stream, bases from its base stream, gaps and codes from its noise stream.
std::vector<std::string> SimulateAlignment(const SimulateOptions& options);

// S0001 for index 0; wider past 9999.
std::string SequenceName(int index);

// Each sequence as ">name" and its letters, lineWidth to a line (0: one line).
void WriteFasta(std::ostream& out, const std::vector<std::string>& sequences, int lineWidth);

}  // namespace dyvern
