// What the command line and the window read: a data file's table, or an
// alignment in FASTA, PHYLIP or NEXUS, each plain or gzipped.
#pragma once

#include <string>
#include <string_view>
#include <variant>

#include "align/alignment.h"
#include "align/input_kind.h"
#include "data/data_file.h"

namespace dyvern {

struct Input {
    InputKind kind = InputKind::DataFile;
    bool gzipped = false;
    // A DataFileTable for a data file, an Alignment otherwise.
    std::variant<DataFileTable, Alignment> content;
};

// Reads the file at `path`, telling its kind by content (see
// DetectInputKind) past a UTF-8 byte order mark that opens it; a data file is
// read as the window reads it, with ReadDataFile(in, 0). Throws InputError:
// the file cannot be read, is empty (blanks and a mark at most), its gzip
// stream is damaged, or the alignment is not well formed.
// A path of "-" (kStandardInputOperand) reads standard input instead, named
// "standard input" in messages.
Input ReadInput(const std::string& path);

// The same for bytes in memory; `source` names them in messages.
Input ParseInput(std::string_view bytes, const std::string& source);

}  // namespace dyvern
