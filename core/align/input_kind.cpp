#include "align/input_kind.h"

#include <cstddef>

#include "align/text_lines.h"
#include "base/byte_order_mark.h"

namespace dyvern {
namespace {

bool IsNexusStart(std::string_view text) {
    constexpr std::string_view kWord = "#NEXUS";
    if (text.size() < kWord.size()) return false;
    for (std::size_t i = 0; i < kWord.size(); ++i) {
        const char c = text[i];
        const char upper = (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
        if (upper != kWord[i]) return false;
    }
    return text.size() == kWord.size() || IsBlank(text[kWord.size()]) || text[kWord.size()] == '[';
}

// The next blank-separated word at or after `pos`, which moves past it.
std::string_view NextWord(std::string_view text, std::size_t& pos) {
    const std::size_t begin = SkipBlanks(text, pos);
    std::size_t end = begin;
    while (end < text.size() && !IsBlank(text[end])) ++end;
    pos = end;
    return text.substr(begin, end - begin);
}

bool IsNumberWord(std::string_view word) {
    return word.find_first_not_of("0123456789+-.eE") == std::string_view::npos;
}

bool IsPositiveCount(std::string_view word) {
    std::size_t value = 0;
    return ParseCount(word, value) && value > 0;
}

// A first line of two counts, then more than numbers (a data file with a
// two-number first line holds numbers only).
bool IsPhylipStart(std::string_view text) {
    const std::size_t end = text.find('\n');
    const std::string_view first = text.substr(0, end);
    std::size_t pos = 0;
    const std::string_view taxa = NextWord(first, pos);
    const std::string_view sites = NextWord(first, pos);
    if (!IsPositiveCount(taxa) || !IsPositiveCount(sites) || !IsBlankText(first.substr(pos)))
        return false;
    if (end == std::string_view::npos) return false;
    const std::string_view rest = text.substr(end + 1);
    for (pos = 0; pos < rest.size();) {
        const std::string_view word = NextWord(rest, pos);
        if (!word.empty() && !IsNumberWord(word)) return true;
    }
    return false;
}

}  // namespace

InputKind DetectInputKind(std::string_view text) {
    text = WithoutByteOrderMark(text);
    const std::size_t start = SkipBlanks(text, 0);
    if (start == text.size()) return InputKind::DataFile;
    // From the start of the first non-blank line.
    const std::size_t lineStart = text.rfind('\n', start);
    const std::string_view body =
        text.substr(lineStart == std::string_view::npos ? 0 : lineStart + 1);
    if (text[start] == '>') return InputKind::Fasta;
    if (IsNexusStart(text.substr(start))) return InputKind::Nexus;
    if (IsPhylipStart(body)) return InputKind::Phylip;
    return InputKind::DataFile;
}

}  // namespace dyvern
