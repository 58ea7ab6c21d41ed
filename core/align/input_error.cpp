#include "align/input_error.h"

#include <cstdio>

namespace dyvern {

InputError::InputError(const std::string& source, int line, const std::string& message)
    : std::runtime_error(source + ":" + std::to_string(line) + ": " + message) {}

InputError::InputError(const std::string& source, const std::string& message)
    : std::runtime_error(source + ": " + message) {}

std::string QuotedChar(char c) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte >= 0x20 && byte < 0x7f) return std::string("'") + c + "'";
    char hex[8];
    std::snprintf(hex, sizeof hex, "'\\x%02X'", byte);
    return hex;
}

std::string EscapedText(std::string_view text) {
    std::string shown;
    shown.reserve(text.size());
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte >= 0x20 && byte != 0x7f) {
            shown.push_back(c);
            continue;
        }
        char hex[8];
        std::snprintf(hex, sizeof hex, "\\x%02X", byte);
        shown += hex;
    }
    return shown;
}

std::string QuotedName(std::string_view name) { return "'" + EscapedText(name) + "'"; }

}  // namespace dyvern
