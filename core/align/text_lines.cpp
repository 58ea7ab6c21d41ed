#include "align/text_lines.h"

#include <climits>

namespace dyvern {

bool LineSplitter::Next(std::string_view& line) {
    if (done_) return false;
    const std::size_t end = rest_.find('\n');
    line = rest_.substr(0, end);
    if (end == std::string_view::npos) {
        done_ = true;
        // Text ending in '\n' has no further, empty line.
        if (line.empty()) return false;
    } else {
        rest_.remove_prefix(end + 1);
    }
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    ++number_;
    return true;
}

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f';
}

bool IsBlankText(std::string_view text) { return SkipBlanks(text, 0) == text.size(); }

std::string_view Trimmed(std::string_view text) {
    const std::size_t begin = SkipBlanks(text, 0);
    std::size_t end = text.size();
    while (end > begin && IsBlank(text[end - 1])) --end;
    return text.substr(begin, end - begin);
}

std::size_t SkipBlanks(std::string_view text, std::size_t from) {
    while (from < text.size() && IsBlank(text[from])) ++from;
    return from;
}

bool ParseCount(std::string_view word, std::size_t& value) {
    if (word.empty()) return false;
    std::size_t parsed = 0;
    for (const char c : word) {
        if (c < '0' || c > '9') return false;
        parsed = parsed * 10 + static_cast<std::size_t>(c - '0');
        if (parsed > static_cast<std::size_t>(INT_MAX)) return false;
    }
    value = parsed;
    return true;
}

}  // namespace dyvern
