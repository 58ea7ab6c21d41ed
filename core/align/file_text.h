// The text of an input file, gunzipped when its first bytes are the gzip
// magic number: the content decides, never the file name.
#pragma once

#include <string>
#include <string_view>

namespace dyvern {

struct FileText {
    std::string text;
    bool gzipped = false;
};

// Throws InputError "PATH: cannot read (REASON)" for a missing or unreadable
// file, and the errors of DecodeText.
FileText ReadFileText(const std::string& path);

// The same for standard input, read to its end as bytes; messages call it
// kStandardInputName.
FileText ReadStandardInput();

// The operand that stands for standard input, and its name in messages.
inline constexpr const char* kStandardInputOperand = "-";
inline constexpr const char* kStandardInputName = "standard input";

// The same for bytes already in memory; `source` names them in messages.
// Throws InputError for a truncated or damaged gzip stream, and for text
// beyond 1 GiB, so a small compressed file cannot take all memory.
FileText DecodeText(std::string_view bytes, const std::string& source);

}  // namespace dyvern
