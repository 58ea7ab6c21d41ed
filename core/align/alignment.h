// An alignment as the readers give it: named sequences of equal length.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace dyvern {

struct Alignment {
    std::string source;                  // the file it was read from, for messages
    std::vector<std::string> names;      // distinct, in file order
    std::vector<std::string> sequences;  // one per name, all of one length, at least
                                         // two; codes as NormalizedCode gives them
};

// The index of the sequence called `name` (exact, case-sensitive match).
// Throws InputError "SOURCE: no sequence named 'NAME'" when there is none.
std::size_t IndexOfName(const Alignment& alignment, const std::string& name);

}  // namespace dyvern
