#include "align/record_list.h"

#include "align/iupac.h"
#include "align/text_lines.h"

namespace dyvern {
namespace {

char Upper(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

bool SameSymbol(char c, char symbol) { return symbol != '\0' && Upper(c) == Upper(symbol); }

}  // namespace

char CodeOf(char c, const SequenceSymbols& symbols) {
    // The file's own symbols come first: MISSING=N makes N missing data.
    if (SameSymbol(c, symbols.match)) return '.';
    if (SameSymbol(c, symbols.gap)) return '-';
    if (SameSymbol(c, symbols.missing)) return '?';
    return NormalizedCode(c);
}

bool IsSequenceText(std::string_view text, const SequenceSymbols& symbols) {
    for (const char c : text)
        if (!IsBlank(c) && CodeOf(c, symbols) == '\0') return false;
    return true;
}

std::size_t RecordList::Add(std::string name, int line) {
    if (name.empty()) throw InputError(source_, line, "missing sequence name");
    const auto [where, added] = indexOfName_.emplace(name, names_.size());
    if (!added)
        throw InputError(source_, line,
                         "duplicate sequence name " + QuotedName(name) + " (first on line " +
                             std::to_string(lines_[where->second]) + ")");
    names_.push_back(std::move(name));
    sequences_.emplace_back();
    lines_.push_back(line);
    return names_.size() - 1;
}

std::optional<std::size_t> RecordList::Find(const std::string& name) const {
    const auto found = indexOfName_.find(name);
    if (found == indexOfName_.end()) return std::nullopt;
    return found->second;
}

void RecordList::Append(std::size_t index, std::string_view chunk, int line, std::size_t column,
                        const SequenceSymbols& symbols) {
    std::string& sequence = sequences_[index];
    for (std::size_t i = 0; i < chunk.size(); ++i) {
        const char c = chunk[i];
        if (IsBlank(c)) continue;
        const char code = CodeOf(c, symbols);
        const auto where = [&] { return " at column " + std::to_string(column + i); };
        if (code == '\0')
            throw InputError(source_, line,
                             QuotedChar(c) + where() + " of sequence " + QuotedName(names_[index]) +
                                 " is not a nucleotide code");
        // The first sequence is what the matching character refers to.
        if (code == '.' && index == 0)
            throw InputError(source_, line,
                             "matching character " + QuotedChar(c) + where() +
                                 " is in the first sequence " + QuotedName(names_[index]) +
                                 ", which has nothing to match");
        sequence.push_back(code);
    }
}

InputError RecordList::LengthError(std::size_t index, std::size_t declared) const {
    return InputError(source_, lines_[index],
                      "sequence " + QuotedName(names_[index]) + " has " +
                          std::to_string(Length(index)) + " sites, not the " +
                          std::to_string(declared) + " declared");
}

Alignment RecordList::Finish(int endLine, std::optional<std::size_t> declaredLength) && {
    if (names_.empty()) throw InputError(source_, endLine, "no sequences");
    if (names_.size() == 1)
        throw InputError(
            source_, lines_[0],
            "only one sequence (" + QuotedName(names_[0]) + "); an alignment needs at least two");
    const std::size_t length = Length(0);
    for (std::size_t i = 0; i < Size(); ++i) {
        if (declaredLength && Length(i) != *declaredLength) throw LengthError(i, *declaredLength);
        if (Length(i) != length)
            throw InputError(source_, lines_[i],
                             "sequence " + QuotedName(names_[i]) + " has " +
                                 std::to_string(Length(i)) + " sites but " + QuotedName(names_[0]) +
                                 " has " + std::to_string(length));
    }
    if (length == 0)
        throw InputError(source_, lines_[0], "sequence " + QuotedName(names_[0]) + " has no sites");

    for (std::size_t i = 1; i < Size(); ++i)
        for (std::size_t site = 0; site < length; ++site)
            if (sequences_[i][site] == '.') sequences_[i][site] = sequences_[0][site];

    return Alignment{std::move(source_), std::move(names_), std::move(sequences_)};
}

}  // namespace dyvern
