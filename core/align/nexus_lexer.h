// The tokens of a NEXUS text: words, quoted words and the punctuation the
// commands use, with [comments] (nested or not) passed over.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace dyvern {

struct NexusToken {
    std::string text;  // quotes removed, '' read as one quote
    int line = 0;
    std::size_t column = 0;  // from 1
    bool quoted = false;
    bool firstOnLine = false;  // no token before it on its line

    // Whether it is the unquoted punctuation mark `mark`.
    bool Is(char mark) const { return !quoted && text.size() == 1 && text[0] == mark; }
    // Whether it is the unquoted word `upperWord`, in any case.
    bool IsWord(std::string_view upperWord) const;
};

class NexusLexer {
public:
    NexusLexer(std::string_view text, std::string source);

    // The next token; none at the end of the text. Throws InputError for a
    // comment or a quote that is never closed.
    std::optional<NexusToken> Next();
    // The token Next will give, left in place; nullptr at the end.
    const NexusToken* Peek();
    // The line of the last token read, where a text that ends too soon ends.
    int LastLine() const { return lastTokenLine_ > 0 ? lastTokenLine_ : 1; }
    const std::string& Source() const { return source_; }

private:
    std::optional<NexusToken> Read();
    void SkipBlanksAndComments();
    void SkipComment();
    char Advance();
    NexusToken Begin() const;
    NexusToken ReadQuoted();

    std::string_view text_;
    std::string source_;
    std::size_t pos_ = 0;
    int line_ = 1;
    std::size_t lineStart_ = 0;
    int lastTokenLine_ = 0;
    std::optional<NexusToken> peeked_;
    bool hasPeeked_ = false;
};

// The word in upper case, for comparing keywords.
std::string UpperCase(std::string_view word);

}  // namespace dyvern
