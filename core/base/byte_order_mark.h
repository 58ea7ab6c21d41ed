// The UTF-8 byte order mark that Windows editors may write at the start of a
// text file. Every reader passes over it, so a file saved that way reads as
// the same file without it.
#pragma once

#include <istream>
#include <string_view>

namespace dyvern {

inline constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

// `text` without the mark that may open it.
std::string_view WithoutByteOrderMark(std::string_view text);

// Passes over the mark at the stream's position. False when the stream opens
// with only a part of it, whose bytes are then read: no reader makes sense of
// such a text, with them or without them.
bool SkipByteOrderMark(std::istream& in);

}  // namespace dyvern
