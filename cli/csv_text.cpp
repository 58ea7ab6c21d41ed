#include "csv_text.h"

#include <charconv>

namespace dyvern::cli {
namespace {

constexpr int kShortDigits = 6;
constexpr int kNumberChars = 32;

bool NeedsQuotes(std::string_view text) {
    return text.find_first_of(",\"\r\n") != std::string_view::npos;
}

}  // namespace

void AppendCsvField(std::string& out, std::string_view text) {
    if (!NeedsQuotes(text)) {
        out += text;
        return;
    }
    out += '"';
    for (const char c : text) {
        if (c == '"') out += '"';
        out += c;
    }
    out += '"';
}

void AppendShortNumber(std::string& out, double value) {
    if (value == 0.0) value = 0.0;  // no "-0"
    char text[kNumberChars];
    const auto written =
        std::to_chars(text, text + kNumberChars, value, std::chars_format::general, kShortDigits);
    out.append(text, written.ptr);
}

void AppendCsvPair(std::string& out, std::string_view name1, std::string_view name2, double d) {
    AppendCsvField(out, name1);
    out += ',';
    AppendCsvField(out, name2);
    out += ',';
    AppendShortNumber(out, d);
    out += '\n';
}

}  // namespace dyvern::cli
