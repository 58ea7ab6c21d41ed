// The alignments dist reads: its operand's (a file, or standard input for
// "-"), and with --against FILE2 a second one whose sequences follow the
// first's, so that each pair of the two is a pair of one packed alignment.
#pragma once

#include <string>
#include <vector>

#include "align/alignment.h"
#include "arguments.h"

namespace dyvern::cli {

struct InputFacts {
    std::string file;  // as given; "-" for standard input
    int sequences = 0;
};

struct DistInputs {
    Alignment alignment;  // the operand's sequences, then --against's
    std::vector<InputFacts> files;
    int against = 0;  // with --against: the operand's sequences; 0 otherwise
};

// The alignment in `path`; `command` names who needs it when it is a data
// file. Throws UsageError or InputError.
Alignment ReadAlignmentOperand(const std::string& path, const std::string& command);

// The operand and --against, checked: one standard input at most, and the
// same sites in both. Throws UsageError or InputError.
DistInputs ReadDistInputs(const Arguments& arguments);

}  // namespace dyvern::cli
