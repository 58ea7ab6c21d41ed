#include "align/input.h"

#include <sstream>

#include "align/fasta_reader.h"
#include "align/file_text.h"
#include "align/input_error.h"
#include "align/nexus_reader.h"
#include "align/phylip_reader.h"
#include "align/text_lines.h"
#include "base/byte_order_mark.h"

namespace dyvern {
namespace {

Alignment ReadAlignment(InputKind kind, std::string_view text, const std::string& source) {
    switch (kind) {
        case InputKind::Fasta:
            return ReadFasta(text, source);
        case InputKind::Phylip:
            return ReadPhylip(text, source);
        case InputKind::Nexus:
            return ReadNexus(text, source);
        case InputKind::DataFile:
            break;
    }
    throw InputError(source, "not an alignment");
}

Input FromText(const FileText& file, const std::string& source) {
    const std::string_view text = WithoutByteOrderMark(file.text);
    // A data file reads anything, an empty one as all zeros: say so instead.
    if (IsBlankText(text)) throw InputError(source, 1, "the file is empty");
    Input input;
    input.kind = DetectInputKind(text);
    input.gzipped = file.gzipped;
    if (input.kind == InputKind::DataFile) {
        std::istringstream in{std::string(text)};
        input.content = ReadDataFile(in, 0);
    } else {
        input.content = ReadAlignment(input.kind, text, source);
    }
    return input;
}

}  // namespace

Input ReadInput(const std::string& path) {
    if (path == kStandardInputOperand) return FromText(ReadStandardInput(), kStandardInputName);
    return FromText(ReadFileText(path), path);
}

Input ParseInput(std::string_view bytes, const std::string& source) {
    return FromText(DecodeText(bytes, source), source);
}

}  // namespace dyvern
