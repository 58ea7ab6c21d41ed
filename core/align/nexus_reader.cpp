#include "align/nexus_reader.h"

#include <algorithm>
#include <optional>
#include <vector>

#include "align/nexus_lexer.h"
#include "align/record_list.h"
#include "align/text_lines.h"

namespace dyvern {
namespace {

struct Setting {
    std::string key;  // upper case
    std::optional<NexusToken> value;
    int line = 0;
};

struct TaxaBlock {
    std::vector<NexusToken> labels;
    std::optional<std::size_t> ntax;
};

struct MatrixFormat {
    std::optional<std::size_t> ntax;
    std::optional<std::size_t> nchar;
    SequenceSymbols symbols;
    bool interleaved = false;
};

class NexusParser {
public:
    NexusParser(std::string_view text, const std::string& source) : lexer_(text, source) {}

    Alignment Parse();

private:
    NexusToken Expect(const char* where);
    void SkipCommand();
    void SkipBlock();
    std::vector<Setting> ReadSettings();
    void ReadTaxaBlock();
    Alignment ReadCharactersBlock();
    void ReadDimensions(MatrixFormat& format);
    void ReadFormat(MatrixFormat& format);
    Alignment ReadMatrix(const MatrixFormat& format, int matrixLine);
    std::size_t TaxonCount(const MatrixFormat& format, int matrixLine) const;
    std::size_t IndexOf(RecordList& records, const NexusToken& name, std::size_t ntax);
    [[noreturn]] void Fail(int line, const std::string& message) const {
        throw InputError(lexer_.Source(), line, message);
    }

    NexusLexer lexer_;
    std::optional<TaxaBlock> taxa_;
};

bool IsBlockEnd(const NexusToken& token) { return token.IsWord("END") || token.IsWord("ENDBLOCK"); }

NexusToken NexusParser::Expect(const char* where) {
    auto token = lexer_.Next();
    if (!token) Fail(lexer_.LastLine(), std::string("the file ends ") + where);
    return std::move(*token);
}

void NexusParser::SkipCommand() {
    while (const auto token = lexer_.Next())
        if (token->Is(';')) return;
}

void NexusParser::SkipBlock() {
    for (;;) {
        const NexusToken token = Expect("inside a block, before its END");
        if (token.Is(';')) continue;
        SkipCommand();
        if (IsBlockEnd(token)) return;
    }
}

std::vector<Setting> NexusParser::ReadSettings() {
    std::vector<Setting> settings;
    for (;;) {
        NexusToken token = Expect("before a command's ';'");
        if (token.Is(';')) return settings;
        Setting setting{UpperCase(token.text), std::nullopt, token.line};
        if (const NexusToken* next = lexer_.Peek(); next && next->Is('=')) {
            lexer_.Next();
            setting.value = Expect("after '='");
        }
        settings.push_back(std::move(setting));
    }
}

std::size_t CountValue(const Setting& setting, const std::string& source) {
    std::size_t value = 0;
    if (!setting.value || !ParseCount(setting.value->text, value) || value == 0)
        throw InputError(source, setting.line,
                         setting.key + "= takes a positive whole number" +
                             (setting.value ? ", not " + QuotedName(setting.value->text) : ""));
    return value;
}

void NexusParser::ReadTaxaBlock() {
    TaxaBlock block;
    int labelsLine = 0;
    for (;;) {
        const NexusToken command = Expect("inside the TAXA block, before its END");
        if (IsBlockEnd(command)) {
            SkipCommand();
            break;
        }
        if (command.IsWord("DIMENSIONS")) {
            for (const Setting& setting : ReadSettings())
                if (setting.key == "NTAX") block.ntax = CountValue(setting, lexer_.Source());
        } else if (command.IsWord("TAXLABELS")) {
            labelsLine = command.line;
            for (NexusToken label = Expect("in TAXLABELS"); !label.Is(';');
                 label = Expect("in TAXLABELS"))
                block.labels.push_back(std::move(label));
        } else if (!command.Is(';')) {
            SkipCommand();
        }
    }
    if (block.ntax && !block.labels.empty() && *block.ntax != block.labels.size())
        Fail(labelsLine, "NTAX=" + std::to_string(*block.ntax) + " but TAXLABELS names " +
                             std::to_string(block.labels.size()));
    taxa_ = std::move(block);
}

void NexusParser::ReadDimensions(MatrixFormat& format) {
    for (const Setting& setting : ReadSettings()) {
        if (setting.key == "NTAX") format.ntax = CountValue(setting, lexer_.Source());
        if (setting.key == "NCHAR") format.nchar = CountValue(setting, lexer_.Source());
    }
}

// The one character a symbol setting such as GAP=- gives.
char SymbolValue(const Setting& setting, const std::string& source) {
    if (!setting.value || setting.value->text.size() != 1)
        throw InputError(source, setting.line, setting.key + "= takes one character");
    return setting.value->text[0];
}

void NexusParser::ReadFormat(MatrixFormat& format) {
    const std::string& source = lexer_.Source();
    for (const Setting& setting : ReadSettings()) {
        const std::string value = setting.value ? UpperCase(setting.value->text) : "";
        if (setting.key == "DATATYPE") {
            if (value != "DNA" && value != "NUCLEOTIDE" && value != "RNA")
                Fail(setting.line, "DATATYPE=" + EscapedText(value) + " is not DNA");
        } else if (setting.key == "MISSING") {
            format.symbols.missing = SymbolValue(setting, source);
        } else if (setting.key == "GAP") {
            format.symbols.gap = SymbolValue(setting, source);
        } else if (setting.key == "MATCHCHAR") {
            format.symbols.match = SymbolValue(setting, source);
        } else if (setting.key == "INTERLEAVE") {
            format.interleaved = value != "NO";
        } else if (setting.key == "TRANSPOSE" || setting.key == "NOLABELS") {
            Fail(setting.line, setting.key + " matrices are not read");
        }
    }
}

Alignment NexusParser::ReadCharactersBlock() {
    MatrixFormat format;
    for (;;) {
        const NexusToken command = Expect("inside the DATA block, before its MATRIX");
        if (IsBlockEnd(command)) Fail(command.line, "the DATA block has no MATRIX");
        if (command.IsWord("DIMENSIONS"))
            ReadDimensions(format);
        else if (command.IsWord("FORMAT"))
            ReadFormat(format);
        else if (command.IsWord("MATRIX"))
            return ReadMatrix(format, command.line);
        else if (!command.Is(';'))
            SkipCommand();
    }
}

std::size_t NexusParser::TaxonCount(const MatrixFormat& format, int matrixLine) const {
    const bool labelled = taxa_ && !taxa_->labels.empty();
    if (labelled && format.ntax && *format.ntax != taxa_->labels.size())
        Fail(matrixLine, "NTAX=" + std::to_string(*format.ntax) + " but the TAXA block names " +
                             std::to_string(taxa_->labels.size()));
    if (format.ntax) return *format.ntax;
    if (labelled) return taxa_->labels.size();
    if (taxa_ && taxa_->ntax) return *taxa_->ntax;
    Fail(matrixLine, "MATRIX before DIMENSIONS NTAX=");
}

std::size_t NexusParser::IndexOf(RecordList& records, const NexusToken& name, std::size_t ntax) {
    if (const auto index = records.Find(name.text)) return *index;
    if (taxa_ && !taxa_->labels.empty())
        Fail(name.line, QuotedName(name.text) + " is not among the TAXLABELS");
    if (records.Size() == ntax)
        Fail(name.line,
             QuotedName(name.text) + " is one sequence more than NTAX=" + std::to_string(ntax));
    return records.Add(name.text, name.line);
}

Alignment NexusParser::ReadMatrix(const MatrixFormat& format, int matrixLine) {
    if (!format.nchar) Fail(matrixLine, "MATRIX before DIMENSIONS NCHAR=");
    const std::size_t nchar = *format.nchar;
    const std::size_t ntax = TaxonCount(format, matrixLine);
    RecordList records(lexer_.Source());
    if (taxa_)
        for (const NexusToken& label : taxa_->labels) records.Add(label.text, label.line);
    std::vector<bool> seen(records.Size(), false);

    const char* inMatrix = "inside MATRIX, before its ';'";
    NexusToken name = Expect(inMatrix);
    for (; !name.Is(';'); name = Expect(inMatrix)) {
        const std::size_t index = IndexOf(records, name, ntax);
        seen.resize(records.Size(), false);
        if (!seen[index]) records.MoveLine(index, name.line);
        if (seen[index] && !format.interleaved)
            Fail(name.line, "sequence " + QuotedName(name.text) + " appears twice in the matrix");
        seen[index] = true;
        for (const NexusToken* data = lexer_.Peek(); data && !data->Is(';'); data = lexer_.Peek()) {
            if (format.interleaved ? data->line != name.line : records.Length(index) >= nchar)
                break;
            // A sequence that stops short runs into the next name.
            if (!format.interleaved && data->firstOnLine &&
                (data->quoted || !IsSequenceText(data->text, format.symbols)))
                throw records.LengthError(index, nchar);
            records.Append(index, data->text, data->line, data->column, format.symbols);
            if (records.Length(index) > nchar)
                Fail(data->line, "sequence " + QuotedName(name.text) +
                                     " runs past NCHAR=" + std::to_string(nchar));
            lexer_.Next();
        }
    }
    const std::size_t given = static_cast<std::size_t>(std::count(seen.begin(), seen.end(), true));
    if (given != ntax)
        Fail(name.line, "NTAX=" + std::to_string(ntax) + " but the matrix holds " +
                            std::to_string(given) + " sequences");
    return std::move(records).Finish(name.line, nchar);
}

Alignment NexusParser::Parse() {
    const NexusToken first = Expect("before #NEXUS");
    if (!first.IsWord("#NEXUS")) Fail(first.line, "a NEXUS file begins with #NEXUS");
    while (const auto token = lexer_.Next()) {
        if (!token->IsWord("BEGIN")) {
            if (!token->Is(';')) SkipCommand();
            continue;
        }
        const NexusToken block = Expect("after BEGIN");
        SkipCommand();
        if (block.IsWord("TAXA"))
            ReadTaxaBlock();
        else if (block.IsWord("DATA") || block.IsWord("CHARACTERS"))
            return ReadCharactersBlock();
        else
            SkipBlock();
    }
    Fail(lexer_.LastLine(), "no DATA or CHARACTERS block");
}

}  // namespace

Alignment ReadNexus(std::string_view text, const std::string& source) {
    return NexusParser(text, source).Parse();
}

}  // namespace dyvern
