// A record as the command line writes it, from its table of columns: a
// tab-separated line under a header of the column names, or a JSON object
// keyed by them. A value that does not apply is "NA" in TSV and null in
// JSON; so is an infinity in JSON, which cannot hold one (TSV writes "inf"):
// the row's status column says why.
#pragma once

#include <string>
#include <string_view>

#include "report/record_columns.h"

namespace dyvern::cli {

void AppendTsv(std::string& out, const Value& value);
void AppendJson(std::string& out, const Value& value);
// A JSON string literal.
void AppendJsonString(std::string& out, std::string_view text);

// `Table` is a record's table or a Columns view of it.
template <class Table>
std::string TsvHeader(const Table& columns) {
    std::string header;
    bool first = true;
    for (const auto& column : columns) {
        if (!first) header += '\t';
        first = false;
        header += column.name;
    }
    return header + '\n';
}

template <class Table, class Record>
void AppendTsvLine(std::string& out, const Table& columns, const Record& record) {
    bool first = true;
    for (const auto& column : columns) {
        if (!first) out += '\t';
        first = false;
        AppendTsv(out, column.value(record));
    }
    out += '\n';
}

template <class Table, class Record>
void AppendJsonObject(std::string& out, const Table& columns, const Record& record) {
    out += '{';
    bool first = true;
    for (const auto& column : columns) {
        if (!first) out += ", ";
        first = false;
        AppendJsonString(out, column.name);
        out += ": ";
        AppendJson(out, column.value(record));
    }
    out += '}';
}

}  // namespace dyvern::cli
