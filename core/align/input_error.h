// The one error the alignment readers throw: a single line naming the file
// and, where there is one, the line at fault.
#pragma once

#include <stdexcept>
#include <string>
#include <string_view>

namespace dyvern {

class InputError : public std::runtime_error {
public:
    // what() is "SOURCE:LINE: MESSAGE".
    InputError(const std::string& source, int line, const std::string& message);
    // what() is "SOURCE: MESSAGE", for faults of the whole file.
    InputError(const std::string& source, const std::string& message);
};

// A character as messages quote it: 'X' when printable, '\xHH' otherwise.
std::string QuotedChar(char c);

// Text from a file as messages show it: each control character (such as a
// line break in a quoted NEXUS name) written \xHH, so that the message stays
// one line; other bytes as they are, for text in UTF-8.
std::string EscapedText(std::string_view text);
// A name as messages quote it: 'NAME', escaped.
std::string QuotedName(std::string_view name);

}  // namespace dyvern
