// The sequences a reader has met so far and the checks every reader makes:
// names present and distinct, characters that are nucleotide codes, lengths
// that agree, at least two sequences. Each failure is an InputError naming
// the line at fault.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "align/alignment.h"
#include "align/input_error.h"

namespace dyvern {

// Characters a file uses of its own for a gap, missing data and "same as
// the first sequence"; '\0' for none. Letters match in either case.
struct SequenceSymbols {
    char gap = '-';
    char missing = '?';
    char match = '\0';
};

class RecordList {
public:
    explicit RecordList(std::string source) : source_(std::move(source)) {}

    // A new sequence that begins on `line`; its index.
    std::size_t Add(std::string name, int line);
    std::optional<std::size_t> Find(const std::string& name) const;
    // Where messages about a sequence point: the line its data starts on,
    // for a sequence named earlier than that.
    void MoveLine(std::size_t index, int line) { lines_[index] = line; }

    std::size_t Size() const { return names_.size(); }
    const std::string& Name(std::size_t index) const { return names_[index]; }
    std::size_t Length(std::size_t index) const { return sequences_[index].size(); }
    const std::string& Source() const { return source_; }

    // Appends the codes of `chunk` to a sequence, blanks skipped; `column`
    // is where the chunk starts on `line`, counted from 1.
    void Append(std::size_t index, std::string_view chunk, int line, std::size_t column,
                const SequenceSymbols& symbols);

    // The error for a sequence whose length is not the one the file declares.
    InputError LengthError(std::size_t index, std::size_t declared) const;

    // The checked alignment, the matching characters resolved; `endLine` is
    // where a file with fewer than two sequences ends.
    Alignment Finish(int endLine, std::optional<std::size_t> declaredLength) &&;

private:
    std::string source_;
    std::vector<std::string> names_;
    std::vector<std::string> sequences_;
    std::vector<int> lines_;
    std::unordered_map<std::string, std::size_t> indexOfName_;
};

// The stored code of `c` under `symbols`: '.' for the matching character,
// '\0' when it is not a sequence character.
char CodeOf(char c, const SequenceSymbols& symbols);

// Whether every non-blank character of `text` is a sequence character.
bool IsSequenceText(std::string_view text, const SequenceSymbols& symbols);

}  // namespace dyvern
