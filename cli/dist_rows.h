// The text of dist's rows: what each finished row of distances writes to
// standard output and to standard error, kept apart from where the rows are
// computed (threads here, or other processes) so that every way of
// computing them writes the same bytes.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "distance/distance_rows.h"

namespace dyvern::cli {

// What the matrix shows for a pair without a finite d.
inline constexpr const char* kNoDistance = "-1";

struct RowTotals {
    long long unfitted = 0;   // pairs without a site in common
    long long saturated = 0;  // pairs without a finite d
    long long leftOut = 0;    // pairs above --max-d
    void Add(const RowTotals& more) {
        unfitted += more.unfitted;
        saturated += more.saturated;
        leftOut += more.leftOut;
    }
};

struct RowText {
    std::string out;
    std::string err;
    RowTotals totals;
};

struct ListFilter {
    bool on = false;
    double maxD = 0.0;
};

class DistRowFormatter {
public:
    // A PHYLIP matrix (square rows), or a list of pairs (upper-triangle rows)
    // filtered by `filter`.
    DistRowFormatter(const PackedAlignment& packed, bool matrix, ListFilter filter);

    RowShape Shape() const { return matrix ? RowShape::Square : RowShape::UpperTriangle; }
    // The first line(s) of standard output.
    std::string Header() const;
    bool Matrix() const { return matrix; }
    const ListFilter& Filter() const { return filter; }
    // Appends row `row` to `text`.
    void Append(int row, const std::vector<PairDistance>& distances, RowText& text) const;
    // The name that begins a row of the matrix.
    std::string RowName(int row) const;
    // Counts the pair (i, j), i < j, in the totals and says on standard
    // error why it has no distance, if it has none.
    void NotePair(int i, int j, const PairDistance& r, RowText& text) const;

private:
    const PackedAlignment& packed;
    bool matrix;
    ListFilter filter;
};

// Rows [rowBegin, rowEnd) computed on this process's threads and formatted,
// each handed to `take` in row order.
void FormatRows(const PackedAlignment& packed, const DistanceOptions& options,
                const DistRowFormatter& formatter, int rowBegin, int rowEnd,
                const std::function<void(RowText&&)>& take);

}  // namespace dyvern::cli
