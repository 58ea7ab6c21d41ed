// The fields of one line of CSV or of tab-separated text. In CSV a field in
// double quotes may hold commas, and "" stands for a quote inside it; a quote
// elsewhere is an error. The fields' strings are reused from line to line,
// so that reading millions of lines allocates almost nothing.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace dyvern {

// Splits `line` into `fields` (resized to the count). Throws
// std::invalid_argument saying what is wrong with the quotes.
void SplitCsvLine(std::string_view line, std::vector<std::string>& fields);
void SplitTabLine(std::string_view line, std::vector<std::string>& fields);

}  // namespace dyvern
