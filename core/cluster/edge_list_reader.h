// Edge lists as dist writes them, told apart by their first line:
//   CSV  ID1,ID2,Distance (dist --format csv; tn93 writes the same), names
//        quoted as CSV allows, d a number;
//   TSV  a tab-separated header holding the columns seq1, seq2 and d (dist
//        --format tsv), whose pairs without a distance (d NA or inf) are
//        counted and are no edges.
// A name may be spelled quoted on one line and bare on another: it is one
// name. A distance must be a number of 0 or more. Every fault is an
// InputError naming the line.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "cluster/edge_store.h"

namespace dyvern {

enum class EdgeListKind { Csv, Tsv };

// The kind of list `line` heads (an opening byte order mark and a closing
// carriage return passed over), or nothing.
std::optional<EdgeListKind> EdgeListKindOf(std::string_view line);

struct EdgeListCounts {
    long long pairs = 0;            // lines read after the header
    long long withoutDistance = 0;  // of those, pairs without a distance
    long long kept = 0;             // edges kept: d at most the limit
};

class EdgeListReader {
public:
    // Throws InputError (line 1) when `header` heads no edge list.
    EdgeListReader(std::string_view header, std::string source, double keepAtMost);

    // One line after the header: its names interned into the graph, and the
    // pair kept as an edge when its d is at most keepAtMost. A blank line is
    // passed over.
    void Read(std::string_view line, int lineNumber, EdgeGraph& graph);
    const EdgeListCounts& Counts() const { return counts_; }

private:
    void Split(std::string_view line, int lineNumber);
    // The line's d; nothing for a pair without one (TSV).
    std::optional<double> Distance(const std::string& text, int lineNumber) const;

    // The name of a column interned, remembered: dist and tn93 write each
    // sequence's pairs one after another, so seq1 is mostly the last line's.
    std::uint32_t Intern(std::size_t column, EdgeGraph& graph);

    EdgeListKind kind_;
    std::string source_;
    double keepAtMost_;
    std::size_t columns_ = 3, seq1_ = 0, seq2_ = 1, d_ = 2;
    std::vector<std::string> fields_;
    EdgeListCounts counts_;
    std::string lastName_;
    std::uint32_t lastId_ = 0;
};

// A whole list in memory, header first.
EdgeGraph ReadEdgeList(std::string_view text, const std::string& source, double keepAtMost,
                       EdgeListCounts* counts = nullptr);

}  // namespace dyvern
