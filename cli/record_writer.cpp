#include "record_writer.h"

namespace dyvern::cli {

RecordStream::RecordStream(std::ostream& out, RecordFormat format, const std::string& tsvHeader)
    : out(out), format(format) {
    out << (format == RecordFormat::Json ? "[" : tsvHeader);
}

RecordStream::~RecordStream() { Finish(); }

std::string& RecordStream::NextRecord() {
    if (format == RecordFormat::Json) buffer += any ? ",\n  " : "\n  ";
    return buffer;
}

void RecordStream::RecordDone() {
    any = true;
    if (buffer.size() >= kBufferSize) Flush();
}

void RecordStream::Flush() {
    out.write(buffer.data(), static_cast<std::streamsize>(buffer.size()));
    buffer.clear();
}

void RecordStream::Finish() {
    if (finished) return;
    finished = true;
    if (format == RecordFormat::Json) buffer += any ? "\n]" : "]";
    Flush();
}

}  // namespace dyvern::cli
