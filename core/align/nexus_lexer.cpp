#include "align/nexus_lexer.h"

#include "align/input_error.h"
#include "align/text_lines.h"

namespace dyvern {
namespace {

bool IsPunctuation(char c) { return c == ';' || c == '=' || c == ','; }
bool IsQuote(char c) { return c == '\'' || c == '"'; }

}  // namespace

std::string UpperCase(std::string_view word) {
    std::string upper(word);
    for (char& c : upper)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return upper;
}

bool NexusToken::IsWord(std::string_view upperWord) const {
    return !quoted && UpperCase(text) == upperWord;
}

NexusLexer::NexusLexer(std::string_view text, std::string source)
    : text_(text), source_(std::move(source)) {}

char NexusLexer::Advance() {
    const char c = text_[pos_++];
    if (c == '\n') {
        ++line_;
        lineStart_ = pos_;
    }
    return c;
}

void NexusLexer::SkipComment() {
    const int openLine = line_;
    int depth = 0;
    do {
        if (pos_ == text_.size())
            throw InputError(source_, openLine, "comment '[' is never closed");
        const char c = Advance();
        if (c == '[') ++depth;
        if (c == ']') --depth;
    } while (depth > 0);
}

void NexusLexer::SkipBlanksAndComments() {
    while (pos_ < text_.size()) {
        if (text_[pos_] == '[')
            SkipComment();
        else if (IsBlank(text_[pos_]))
            Advance();
        else
            return;
    }
}

NexusToken NexusLexer::Begin() const {
    NexusToken token;
    token.line = line_;
    token.column = pos_ - lineStart_ + 1;
    token.firstOnLine = line_ != lastTokenLine_;
    return token;
}

NexusToken NexusLexer::ReadQuoted() {
    NexusToken token = Begin();
    token.quoted = true;
    const char quote = Advance();
    for (;;) {
        if (pos_ == text_.size())
            throw InputError(source_, token.line,
                             "quote " + QuotedChar(quote) + " is never closed");
        const char c = Advance();
        if (c != quote) {
            token.text.push_back(c);
        } else if (pos_ < text_.size() && text_[pos_] == quote) {
            token.text.push_back(Advance());
        } else {
            return token;
        }
    }
}

std::optional<NexusToken> NexusLexer::Read() {
    SkipBlanksAndComments();
    if (pos_ == text_.size()) return std::nullopt;
    NexusToken token;
    if (IsQuote(text_[pos_])) {
        token = ReadQuoted();
    } else {
        token = Begin();
        if (IsPunctuation(text_[pos_])) {
            token.text.push_back(Advance());
        } else {
            while (pos_ < text_.size()) {
                const char c = text_[pos_];
                if (IsBlank(c) || c == '[' || IsQuote(c) || IsPunctuation(c)) break;
                token.text.push_back(Advance());
            }
        }
    }
    lastTokenLine_ = line_;
    return token;
}

std::optional<NexusToken> NexusLexer::Next() {
    if (hasPeeked_) {
        hasPeeked_ = false;
        return std::move(peeked_);
    }
    return Read();
}

const NexusToken* NexusLexer::Peek() {
    if (!hasPeeked_) {
        peeked_ = Read();
        hasPeeked_ = true;
    }
    return peeked_ ? &*peeked_ : nullptr;
}

}  // namespace dyvern
