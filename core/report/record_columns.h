// A record's columns, each a name with the getter of its value, in one table
// that every output of the record reads: the command line's TSV and JSON and
// the window's models.txt. A column cannot be written without its value, and
// a new column is one line of its record's table.
#pragma once

#include <array>
#include <cstddef>
#include <stdexcept>
#include <string_view>

#include "report/record_value.h"

namespace dyvern {

// The pair a record is about, named as the output names it.
struct PairNames {
    std::string_view seq1;  // the table's rows
    std::string_view seq2;  // its columns
};

template <class Record>
struct Column {
    const char* name;  // the TSV header's word and the JSON key
    Value (*value)(const Record&);
    const char* label = nullptr;              // models.txt's heading, where it differs from name
    Value (*shown)(const Record&) = nullptr;  // models.txt's cell, where it differs from value

    constexpr const char* Label() const { return label ? label : name; }
    Value Shown(const Record& record) const { return (shown ? shown : value)(record); }
};

// A record's table, as writers take it.
template <class Record>
class Columns {
public:
    template <std::size_t N>
    constexpr Columns(const Column<Record> (&table)[N]) : first(table), count(N) {}  // NOLINT

    constexpr const Column<Record>* begin() const { return first; }
    constexpr const Column<Record>* end() const { return first + count; }

private:
    const Column<Record>* first;
    std::size_t count;
};

// The column called `name`. Used where a constant is needed, a name that is
// not in the table does not compile.
template <class Record, std::size_t N>
constexpr const Column<Record>& ColumnNamed(const Column<Record> (&table)[N],
                                            std::string_view name) {
    for (const Column<Record>& column : table)
        if (name == column.name) return column;
    throw std::invalid_argument("no such column");
}

// Some of a table's columns in an order of their own: the sections of models.txt.
template <class Record, std::size_t M>
using ColumnPick = std::array<const Column<Record>*, M>;

template <class Record, std::size_t N, std::size_t M>
constexpr ColumnPick<Record, M> PickColumns(const Column<Record> (&table)[N],
                                            const char* const (&names)[M]) {
    ColumnPick<Record, M> picked{};
    for (std::size_t c = 0; c < M; ++c) picked[c] = &ColumnNamed(table, names[c]);
    return picked;
}

}  // namespace dyvern
