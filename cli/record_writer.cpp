#include "record_writer.h"

#include <cmath>
#include <cstdio>

namespace dyvern::cli {

std::string JsonString(const std::string& text) {
    std::string quoted = "\"";
    for (const char c : text) {
        const unsigned char u = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            quoted += '\\';
            quoted += c;
        } else if (u < 0x20) {
            char escape[8];
            std::snprintf(escape, sizeof escape, "\\u%04x", u);
            quoted += escape;
        } else {
            quoted += c;
        }
    }
    return quoted + "\"";
}

std::string Value::Tsv() const {
    switch (kind) {
        case Kind::Missing:
            return "NA";
        case Kind::Text:
            return text;
        case Kind::Whole:
            return std::to_string(static_cast<long long>(number));
        case Kind::Number:
            break;
    }
    if (std::isnan(number)) return "NA";
    if (std::isinf(number)) return number > 0 ? "inf" : "-inf";
    return FormatNumber(number);
}

std::string Value::Json() const {
    switch (kind) {
        case Kind::Missing:
            return "null";
        case Kind::Text:
            return JsonString(text);
        case Kind::Whole:
            return std::to_string(static_cast<long long>(number));
        case Kind::Number:
            break;
    }
    return std::isfinite(number) ? FormatNumber(number) : "null";
}

RecordWriter::RecordWriter(std::ostream& out, RecordFormat format, std::vector<std::string> columns)
    : out(out), format(format), columns(std::move(columns)) {
    if (format == RecordFormat::Json) {
        out << "[";
        return;
    }
    for (std::size_t c = 0; c < this->columns.size(); ++c)
        out << (c ? "\t" : "") << this->columns[c];
    out << "\n";
}

RecordWriter::~RecordWriter() { Finish(); }

void RecordWriter::Write(const std::vector<Value>& row) {
    if (format == RecordFormat::Tsv) {
        for (std::size_t c = 0; c < row.size(); ++c) {
            if (c) buffer += '\t';
            buffer += row[c].Tsv();
        }
        buffer += '\n';
    } else {
        buffer += any ? ",\n  {" : "\n  {";
        for (std::size_t c = 0; c < row.size() && c < columns.size(); ++c) {
            if (c) buffer += ", ";
            buffer += JsonString(columns[c]) + ": " + row[c].Json();
        }
        buffer += '}';
    }
    any = true;
    if (buffer.size() >= kBufferSize) Flush();
}

void RecordWriter::Flush() {
    out.write(buffer.data(), static_cast<std::streamsize>(buffer.size()));
    buffer.clear();
}

void RecordWriter::Finish() {
    if (finished) return;
    finished = true;
    if (format == RecordFormat::Json) buffer += any ? "\n]" : "]";
    Flush();
}

}  // namespace dyvern::cli
