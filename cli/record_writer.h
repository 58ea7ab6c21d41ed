// Records written as they come, each from its record's table (see
// record_text.h): tab-separated lines under a header, or a JSON array of
// objects.
#pragma once

#include <cstddef>
#include <ostream>
#include <string>

#include "record_text.h"

namespace dyvern::cli {

enum class RecordFormat { Tsv, Json };

// The text around the records and their buffer. Rows are gathered and
// written in large pieces: a stream insertion per value would cost more
// than the distances themselves.
class RecordStream {
public:
    RecordStream(std::ostream& out, RecordFormat format, const std::string& tsvHeader);
    RecordStream(const RecordStream&) = delete;
    RecordStream& operator=(const RecordStream&) = delete;
    ~RecordStream();  // closes the JSON array if Finish was not called

    RecordFormat Format() const { return format; }
    // The buffer to append the next record to, past what separates it from the last.
    std::string& NextRecord();
    void RecordDone();
    void Finish();

private:
    static constexpr std::size_t kBufferSize = 1 << 16;
    void Flush();

    std::ostream& out;
    RecordFormat format;
    std::string buffer;
    bool any = false;
    bool finished = false;
};

template <class Record>
class RecordWriter {
public:
    RecordWriter(std::ostream& out, RecordFormat format, Columns<Record> columns)
        : stream(out, format, TsvHeader(columns)), columns(columns) {}

    void Write(const Record& record) {
        std::string& text = stream.NextRecord();
        if (stream.Format() == RecordFormat::Tsv)
            AppendTsvLine(text, columns, record);
        else
            AppendJsonObject(text, columns, record);
        stream.RecordDone();
    }
    void Finish() { stream.Finish(); }

private:
    RecordStream stream;
    Columns<Record> columns;
};

template <class Record, std::size_t N>
RecordWriter(std::ostream&, RecordFormat, const Column<Record> (&)[N]) -> RecordWriter<Record>;

}  // namespace dyvern::cli
