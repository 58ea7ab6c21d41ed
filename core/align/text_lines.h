// Walking a text line by line, and the small character tests the readers share.
#pragma once

#include <cstddef>
#include <string_view>

namespace dyvern {

// Hands out the lines of a text numbered from 1, each without its '\n' or a
// '\r' before it, so files written on Windows read the same.
class LineSplitter {
public:
    explicit LineSplitter(std::string_view text) : rest_(text) {}

    // The next line; false after the last.
    bool Next(std::string_view& line);
    // The number of the line Next gave last.
    int Number() const { return number_; }

private:
    std::string_view rest_;
    bool done_ = false;
    int number_ = 0;
};

// Space, tab and the other white space a text editor may leave.
bool IsBlank(char c);
// Whether the text holds only blanks.
bool IsBlankText(std::string_view text);
// The text without the blanks that open and close it.
std::string_view Trimmed(std::string_view text);
// The index of the first non-blank character at or after `from`, or the size.
std::size_t SkipBlanks(std::string_view text, std::size_t from);

// The value of a word made only of decimal digits, up to the largest int;
// false for anything else, so counts never overflow what a table can hold.
bool ParseCount(std::string_view word, std::size_t& value);

}  // namespace dyvern
