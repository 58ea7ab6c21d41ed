#include "align/phylip_reader.h"

#include <optional>
#include <vector>

#include "align/record_list.h"
#include "align/text_lines.h"

namespace dyvern {
namespace {

enum class Layout { Sequential, Interleaved };
enum class Naming { Relaxed, Strict };

constexpr std::size_t kStrictNameWidth = 10;
constexpr SequenceSymbols kPhylipSymbols{'-', '?', '.'};

struct DataLine {
    std::string_view text;
    int number = 0;
    bool afterBlank = false;  // a blank line comes just before it
};

struct PhylipText {
    std::size_t taxa = 0;
    std::size_t sites = 0;
    std::vector<DataLine> lines;  // the non-blank lines after the counts
    int lastLine = 0;
};

PhylipText SplitText(std::string_view text, const std::string& source) {
    PhylipText phylip;
    LineSplitter lines(text);
    std::string_view line;
    while (lines.Next(line) && IsBlankText(line)) {
    }
    const int headerLine = lines.Number();
    const std::string_view header = Trimmed(line);
    const std::size_t gap = header.find_first_of(" \t");
    const std::string_view second =
        gap == std::string_view::npos ? std::string_view() : Trimmed(header.substr(gap));
    if (!ParseCount(header.substr(0, gap), phylip.taxa) || !ParseCount(second, phylip.sites))
        throw InputError(source, headerLine,
                         "a PHYLIP file begins with the number of sequences and of sites");
    if (phylip.taxa < 2)
        throw InputError(source, headerLine,
                         "an alignment needs at least two sequences; the header declares " +
                             std::to_string(phylip.taxa));
    if (phylip.sites == 0) throw InputError(source, headerLine, "the header declares no sites");

    bool afterBlank = false;
    while (lines.Next(line)) {
        if (IsBlankText(line)) {
            afterBlank = true;
            continue;
        }
        phylip.lines.push_back(DataLine{line, lines.Number(), afterBlank});
        afterBlank = false;
    }
    phylip.lastLine = lines.Number();
    return phylip;
}

struct NamedLine {
    std::string name;
    std::string_view rest;
    std::size_t restColumn = 1;  // where `rest` starts, from 1
};

std::optional<NamedLine> SplitName(std::string_view line, Naming naming) {
    if (naming == Naming::Strict) {
        if (line.size() < kStrictNameWidth) return std::nullopt;
        return NamedLine{std::string(Trimmed(line.substr(0, kStrictNameWidth))),
                         line.substr(kStrictNameWidth), kStrictNameWidth + 1};
    }
    const std::size_t begin = SkipBlanks(line, 0);
    std::size_t end = begin;
    while (end < line.size() && !IsBlank(line[end])) ++end;
    return NamedLine{std::string(line.substr(begin, end - begin)), line.substr(end), end + 1};
}

// A name, then nothing but sequence characters.
bool IsRecordStart(std::string_view line, Naming naming) {
    const auto named = SplitName(line, naming);
    return named && !named->name.empty() && IsSequenceText(named->rest, kPhylipSymbols);
}

std::size_t StartRecord(RecordList& records, const DataLine& line, Naming naming) {
    const auto named = SplitName(line.text, naming);
    if (!named)
        throw InputError(records.Source(), line.number,
                         "a strict PHYLIP name takes 10 characters, but the line has only " +
                             std::to_string(line.text.size()));
    const std::size_t index = records.Add(named->name, line.number);
    records.Append(index, named->rest, line.number, named->restColumn, kPhylipSymbols);
    return index;
}

void ThrowTooFewRecords(const PhylipText& phylip, std::size_t found, const std::string& source) {
    throw InputError(source, phylip.lastLine,
                     "the header declares " + std::to_string(phylip.taxa) +
                         " sequences but the file holds " + std::to_string(found));
}

Alignment ReadSequential(const PhylipText& phylip, Naming naming, const std::string& source) {
    RecordList records(source);
    std::size_t next = 0;
    for (std::size_t taxon = 0; taxon < phylip.taxa; ++taxon) {
        if (next == phylip.lines.size()) ThrowTooFewRecords(phylip, taxon, source);
        const std::size_t index = StartRecord(records, phylip.lines[next++], naming);
        while (records.Length(index) < phylip.sites && next < phylip.lines.size()) {
            const DataLine& line = phylip.lines[next];
            // A record that stops short runs into the next one's name line.
            if (!IsSequenceText(line.text, kPhylipSymbols) && IsRecordStart(line.text, naming))
                throw records.LengthError(index, phylip.sites);
            records.Append(index, line.text, line.number, 1, kPhylipSymbols);
            ++next;
        }
        if (records.Length(index) > phylip.sites)
            throw InputError(source, phylip.lines[next - 1].number,
                             "sequence '" + records.Name(index) + "' runs past the " +
                                 std::to_string(phylip.sites) + " sites declared");
    }
    if (next < phylip.lines.size())
        throw InputError(
            source, phylip.lines[next].number,
            "data after the " + std::to_string(phylip.taxa) + " sequences the header declares");
    return std::move(records).Finish(phylip.lastLine, phylip.sites);
}

Alignment ReadInterleaved(const PhylipText& phylip, Naming naming, const std::string& source) {
    if (phylip.lines.size() < phylip.taxa) ThrowTooFewRecords(phylip, phylip.lines.size(), source);
    RecordList records(source);
    for (std::size_t taxon = 0; taxon < phylip.taxa; ++taxon)
        StartRecord(records, phylip.lines[taxon], naming);
    for (std::size_t i = phylip.taxa; i < phylip.lines.size(); ++i) {
        const DataLine& line = phylip.lines[i];
        records.Append((i - phylip.taxa) % phylip.taxa, line.text, line.number, 1, kPhylipSymbols);
    }
    return std::move(records).Finish(phylip.lastLine, phylip.sites);
}

// Blank lines part the data into a first block of one line per sequence.
bool HasBlocks(const PhylipText& phylip) {
    const auto& lines = phylip.lines;
    if (lines.size() <= phylip.taxa || !lines[phylip.taxa].afterBlank) return false;
    for (std::size_t i = 1; i < phylip.taxa; ++i)
        if (lines[i].afterBlank) return false;
    return true;
}

std::size_t CountNonBlank(std::string_view text) {
    std::size_t count = 0;
    for (const char c : text) count += IsBlank(c) ? 0 : 1;
    return count;
}

// Whether the lines after the first run on as the first sequence until it
// holds the declared sites; they stop short at another record's name line.
bool FirstRecordRunsOn(const PhylipText& phylip, Naming naming) {
    const auto& lines = phylip.lines;
    const auto named = lines.empty() ? std::nullopt : SplitName(lines[0].text, naming);
    if (!named) return true;
    std::size_t length = CountNonBlank(named->rest);
    for (std::size_t i = 1; i < lines.size() && length < phylip.sites; ++i) {
        // A line that is neither sequence nor a clean name line is a fault
        // within the first record, which the sequential reading names best.
        if (!IsSequenceText(lines[i].text, kPhylipSymbols))
            return !IsRecordStart(lines[i].text, naming);
        length += CountNonBlank(lines[i].text);
    }
    return true;
}

}  // namespace

Alignment ReadPhylip(std::string_view text, const std::string& source) {
    const PhylipText phylip = SplitText(text, source);
    const bool relaxedFirst =
        phylip.lines.empty() || IsRecordStart(phylip.lines[0].text, Naming::Relaxed);
    const Naming namings[] = {relaxedFirst ? Naming::Relaxed : Naming::Strict,
                              relaxedFirst ? Naming::Strict : Naming::Relaxed};
    const bool interleavedFirst = HasBlocks(phylip) || !FirstRecordRunsOn(phylip, namings[0]);
    const Layout layouts[] = {interleavedFirst ? Layout::Interleaved : Layout::Sequential,
                              interleavedFirst ? Layout::Sequential : Layout::Interleaved};

    std::optional<InputError> firstError;
    for (const Layout layout : layouts) {
        for (const Naming naming : namings) {
            try {
                return layout == Layout::Sequential ? ReadSequential(phylip, naming, source)
                                                    : ReadInterleaved(phylip, naming, source);
            } catch (const InputError& error) {
                if (!firstError) firstError = error;
            }
        }
    }
    throw *firstError;
}

}  // namespace dyvern
