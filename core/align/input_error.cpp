#include "align/input_error.h"

#include <cstdio>

namespace dyvern {

InputError::InputError(const std::string& source, int line, const std::string& message)
    : std::runtime_error(source + ":" + std::to_string(line) + ": " + message), line_(line) {}

InputError::InputError(const std::string& source, const std::string& message)
    : std::runtime_error(source + ": " + message) {}

std::string QuotedChar(char c) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte >= 0x20 && byte < 0x7f) return std::string("'") + c + "'";
    char hex[8];
    std::snprintf(hex, sizeof hex, "'\\x%02X'", byte);
    return hex;
}

}  // namespace dyvern
