// Rows of named columns written as they come: tab-separated with a header
// line, or a JSON array of objects. A value that does not apply is "NA" in
// TSV and null in JSON; so is an infinity in JSON, which cannot hold one
// (TSV writes "inf"): the row's status column says why.
#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "number_text.h"

namespace dyvern::cli {

enum class RecordFormat { Tsv, Json };

class Value {
public:
    Value() = default;                                            // does not apply
    Value(double number) : kind(Kind::Number), number(number) {}  // NOLINT: plain numbers read best
    Value(int whole) : kind(Kind::Whole), number(whole) {}        // NOLINT
    Value(std::string text) : kind(Kind::Text), text(std::move(text)) {}  // NOLINT
    Value(const char* text) : kind(Kind::Text), text(text) {}             // NOLINT

    std::string Tsv() const;
    std::string Json() const;

private:
    enum class Kind { Missing, Number, Whole, Text };
    Kind kind = Kind::Missing;
    double number = 0.0;
    std::string text;
};

class RecordWriter {
public:
    RecordWriter(std::ostream& out, RecordFormat format, std::vector<std::string> columns);
    RecordWriter(const RecordWriter&) = delete;
    RecordWriter& operator=(const RecordWriter&) = delete;
    ~RecordWriter();  // closes the JSON array if Finish was not called

    void Write(const std::vector<Value>& row);
    void Finish();

private:
    // Rows are gathered and written in large pieces: a stream insertion per
    // value would cost more than the distances themselves.
    static constexpr std::size_t kBufferSize = 1 << 16;
    void Flush();

    std::ostream& out;
    RecordFormat format;
    std::vector<std::string> columns;
    std::string buffer;
    bool any = false;
    bool finished = false;
};

// A JSON string literal.
std::string JsonString(const std::string& text);

}  // namespace dyvern::cli
