#include "cluster/csv_fields.h"

#include <algorithm>
#include <stdexcept>

namespace dyvern {
namespace {

std::string& NextField(std::vector<std::string>& fields, std::size_t& count) {
    if (count == fields.size()) fields.emplace_back();
    std::string& field = fields[count++];
    field.clear();
    return field;
}

// A quoted field from just past its opening quote; returns where it ends,
// past the closing quote.
std::size_t QuotedField(std::string_view line, std::size_t at, std::string& field) {
    for (;;) {
        const std::size_t quote = line.find('"', at);
        if (quote == std::string_view::npos)
            throw std::invalid_argument("a quoted field without its closing quote");
        field.append(line.substr(at, quote - at));
        if (quote + 1 < line.size() && line[quote + 1] == '"') {
            field += '"';
            at = quote + 2;
            continue;
        }
        return quote + 1;
    }
}

}  // namespace

void SplitCsvLine(std::string_view line, std::vector<std::string>& fields) {
    std::size_t count = 0;
    std::size_t at = 0;
    for (;;) {
        std::string& field = NextField(fields, count);
        std::size_t end = 0;
        if (at < line.size() && line[at] == '"') {
            end = QuotedField(line, at + 1, field);
            if (end < line.size() && line[end] != ',')
                throw std::invalid_argument("text after the closing quote of a field");
        } else {
            end = std::min(line.find(',', at), line.size());
            field.assign(line.substr(at, end - at));
            if (field.find('"') != std::string::npos)
                throw std::invalid_argument("a quote inside a field not in quotes");
        }
        if (end >= line.size()) break;
        at = end + 1;
    }
    fields.resize(count);
}

void SplitTabLine(std::string_view line, std::vector<std::string>& fields) {
    std::size_t count = 0;
    std::size_t at = 0;
    for (;;) {
        const std::size_t end = std::min(line.find('\t', at), line.size());
        NextField(fields, count).assign(line.substr(at, end - at));
        if (end >= line.size()) break;
        at = end + 1;
    }
    fields.resize(count);
}

}  // namespace dyvern
