#include "cluster/edge_list_reader.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <stdexcept>

#include "align/input_error.h"
#include "base/byte_order_mark.h"
#include "cluster/csv_fields.h"

namespace dyvern {
namespace {

constexpr std::string_view kCsvHeader = "ID1,ID2,Distance";

std::string_view WithoutLineEnd(std::string_view line) {
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    return line;
}

std::string_view Trimmed(std::string_view text) {
    const std::size_t begin = text.find_first_not_of(" \t");
    if (begin == std::string_view::npos) return {};
    return text.substr(begin, text.find_last_not_of(" \t") - begin + 1);
}

// A first line without the mark that may open it and the line end.
std::string_view HeaderText(std::string_view line) {
    return WithoutLineEnd(WithoutByteOrderMark(line));
}

std::vector<std::string> TabFields(std::string_view line) {
    std::vector<std::string> fields;
    SplitTabLine(line, fields);
    return fields;
}

std::size_t ColumnOf(const std::vector<std::string>& names, const char* name) {
    return static_cast<std::size_t>(std::find(names.begin(), names.end(), name) - names.begin());
}

bool IsBlank(std::string_view line) { return Trimmed(line).empty(); }

}  // namespace

std::optional<EdgeListKind> EdgeListKindOf(std::string_view line) {
    line = HeaderText(line);
    if (line == kCsvHeader) return EdgeListKind::Csv;
    if (line.find('\t') == std::string_view::npos) return std::nullopt;
    const std::vector<std::string> names = TabFields(line);
    for (const char* needed : {"seq1", "seq2", "d"})
        if (ColumnOf(names, needed) == names.size()) return std::nullopt;
    return EdgeListKind::Tsv;
}

EdgeListReader::EdgeListReader(std::string_view header, std::string source, double keepAtMost)
    : source_(std::move(source)), keepAtMost_(keepAtMost) {
    const std::optional<EdgeListKind> kind = EdgeListKindOf(header);
    if (!kind)
        throw InputError(source_, 1,
                         "not the header of an edge list: ID1,ID2,Distance, or columns seq1, seq2 "
                         "and d separated by tabs");
    kind_ = *kind;
    if (kind_ == EdgeListKind::Csv) return;
    const std::vector<std::string> names = TabFields(HeaderText(header));
    columns_ = names.size();
    seq1_ = ColumnOf(names, "seq1");
    seq2_ = ColumnOf(names, "seq2");
    d_ = ColumnOf(names, "d");
}

void EdgeListReader::Split(std::string_view line, int lineNumber) {
    try {
        if (kind_ == EdgeListKind::Csv)
            SplitCsvLine(line, fields_);
        else
            SplitTabLine(line, fields_);
    } catch (const std::invalid_argument& error) {
        throw InputError(source_, lineNumber, error.what());
    }
    if (fields_.size() != columns_)
        throw InputError(
            source_, lineNumber,
            std::to_string(fields_.size()) + " fields where the header has " +
                std::to_string(columns_) +
                (kind_ == EdgeListKind::Csv ? " (a name holding a comma must be in double quotes)"
                                            : ""));
}

std::optional<double> EdgeListReader::Distance(const std::string& field, int lineNumber) const {
    const std::string_view text = Trimmed(field);
    if (kind_ == EdgeListKind::Tsv && (text == "NA" || text == "inf")) return std::nullopt;
    double d = 0.0;
    const auto read = std::from_chars(text.data(), text.data() + text.size(), d);
    if (text.empty() || read.ec != std::errc() || read.ptr != text.data() + text.size() ||
        !std::isfinite(d))
        throw InputError(source_, lineNumber,
                         "the distance " + QuotedName(field) + " is not a number");
    if (d < 0.0)
        throw InputError(source_, lineNumber, "the distance " + QuotedName(field) + " is below 0");
    return d;
}

std::uint32_t EdgeListReader::Intern(std::size_t column, EdgeGraph& graph) {
    const std::string& name = fields_[column];
    if (column != seq1_) return graph.names.Intern(name);
    if (name == lastName_) return lastId_;  // never at first: a name is never empty
    lastName_ = name;
    return lastId_ = graph.names.Intern(name);
}

void EdgeListReader::Read(std::string_view line, int lineNumber, EdgeGraph& graph) {
    line = WithoutLineEnd(line);
    if (IsBlank(line)) return;
    Split(line, lineNumber);
    for (const std::size_t column : {seq1_, seq2_})
        if (fields_[column].empty()) throw InputError(source_, lineNumber, "an empty name");
    const std::optional<double> d = Distance(fields_[d_], lineNumber);
    ++counts_.pairs;
    const std::uint32_t a = Intern(seq1_, graph);
    const std::uint32_t b = Intern(seq2_, graph);
    if (!d) {
        ++counts_.withoutDistance;
        return;
    }
    if (!(*d <= keepAtMost_)) return;
    ++counts_.kept;
    graph.edges.Add({a, b, *d});
}

EdgeGraph ReadEdgeList(std::string_view text, const std::string& source, double keepAtMost,
                       EdgeListCounts* counts) {
    EdgeGraph graph;
    std::size_t at = std::min(text.find('\n'), text.size());
    EdgeListReader reader(text.substr(0, at), source, keepAtMost);
    for (int number = 2; at < text.size(); ++number) {
        const std::size_t begin = at + 1;
        at = std::min(text.find('\n', begin), text.size());
        reader.Read(text.substr(begin, at - begin), number, graph);
    }
    if (counts) *counts = reader.Counts();
    return graph;
}

}  // namespace dyvern
