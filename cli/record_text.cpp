#include "record_text.h"

#include <charconv>
#include <cmath>
#include <cstdio>

#include "number_text.h"

namespace dyvern::cli {
namespace {

void AppendWhole(std::string& out, long long whole) {
    char text[24];
    out.append(text, std::to_chars(text, text + sizeof text, whole).ptr);
}

}  // namespace

void AppendJsonString(std::string& out, std::string_view text) {
    out += '"';
    for (const char c : text) {
        const unsigned char u = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (u < 0x20) {
            char escape[8];
            std::snprintf(escape, sizeof escape, "\\u%04x", u);
            out += escape;
        } else {
            out += c;
        }
    }
    out += '"';
}

void AppendTsv(std::string& out, const Value& value) {
    switch (value.Kind()) {
        case ValueKind::Missing:
            out += "NA";
            return;
        case ValueKind::Text:
            out += value.Text();
            return;
        case ValueKind::Whole:
            return AppendWhole(out, value.Whole());
        case ValueKind::Number:
            break;
    }
    const double number = value.Number();
    if (std::isnan(number))
        out += "NA";
    else if (std::isinf(number))
        out += number > 0 ? "inf" : "-inf";
    else
        AppendNumber(out, number);
}

void AppendJson(std::string& out, const Value& value) {
    switch (value.Kind()) {
        case ValueKind::Missing:
            out += "null";
            return;
        case ValueKind::Text:
            return AppendJsonString(out, value.Text());
        case ValueKind::Whole:
            return AppendWhole(out, value.Whole());
        case ValueKind::Number:
            break;
    }
    if (std::isfinite(value.Number()))
        AppendNumber(out, value.Number());
    else
        out += "null";
}

}  // namespace dyvern::cli
