// The edge list that network tools read: a line `ID1,ID2,Distance`, then one
// line per pair with the distance to six significant digits, as printf's %g
// writes it. A name holding a comma, a double quote or a line break is quoted
// as CSV requires (inside quotes, a quote is doubled).
#pragma once

#include <string>
#include <string_view>

namespace dyvern::cli {

inline constexpr const char* kCsvHeader = "ID1,ID2,Distance\n";

// `text` as one CSV field.
void AppendCsvField(std::string& out, std::string_view text);
// What printf("%g") writes: 6 significant digits, an exponent below 1e-4.
void AppendShortNumber(std::string& out, double value);
// One line of the list.
void AppendCsvPair(std::string& out, std::string_view name1, std::string_view name2, double d);

}  // namespace dyvern::cli
