#include "align/fasta_reader.h"

#include <optional>

#include "align/record_list.h"
#include "align/text_lines.h"

namespace dyvern {
namespace {

constexpr SequenceSymbols kFastaSymbols{'.', '?', '\0'};

std::string FirstWord(std::string_view text) {
    const std::size_t begin = SkipBlanks(text, 0);
    std::size_t end = begin;
    while (end < text.size() && !IsBlank(text[end])) ++end;
    return std::string(text.substr(begin, end - begin));
}

}  // namespace

Alignment ReadFasta(std::string_view text, const std::string& source) {
    RecordList records(source);
    std::optional<std::size_t> current;
    LineSplitter lines(text);
    std::string_view line;
    while (lines.Next(line)) {
        const std::size_t start = SkipBlanks(line, 0);
        if (start == line.size()) continue;
        if (line[start] == '>') {
            current = records.Add(FirstWord(line.substr(start + 1)), lines.Number());
        } else if (!current) {
            throw InputError(source, lines.Number(), "sequence data before the first '>' header");
        } else {
            records.Append(*current, line, lines.Number(), 1, kFastaSymbols);
        }
    }
    return std::move(records).Finish(lines.Number(), std::nullopt);
}

}  // namespace dyvern
