// The text of dist's rows: what each finished row of distances writes to
// standard output and to standard error, kept apart from where the rows are
// computed (threads here, or other processes) so that every way of
// computing them writes the same bytes.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "dist_pairs.h"
#include "distance/distance_rows.h"
#include "row_totals.h"

namespace dyvern::cli {

// What the matrix shows for a pair without a finite d.
inline constexpr const char* kNoDistance = "-1";

struct RowText {
    std::string out;
    std::string err;
    RowTotals totals;
};

struct ListFilter {
    bool on = false;
    double maxD = 0.0;
};

enum class DistFormat {
    Phylip,       // the square matrix
    PhylipLower,  // its lower triangle, without the diagonal
    Tsv,          // a list of pairs with their columns
    Csv,          // a list of pairs and distances, as network tools read it
};

struct DistOutput {
    DistFormat format = DistFormat::Phylip;
    ListFilter filter;   // lists only
    int minOverlap = 0;  // what the options asked for, for the notes on standard error
    int against = 0;     // > 0: the rows are the first `against` sequences, each
                         // against every later one (a list only)
};

class DistRowFormatter {
public:
    // A PHYLIP matrix (square rows), or a list of pairs (upper-triangle rows)
    // filtered by `filter`.
    DistRowFormatter(const PackedAlignment& packed, bool matrix, ListFilter filter);
    DistRowFormatter(const PackedAlignment& packed, const DistOutput& output);

    RowShape Shape() const { return Matrix() ? RowShape::Square : RowShape::UpperTriangle; }
    // The first line(s) of standard output.
    std::string Header() const;
    // The square matrix, whose rows may be kept and copied (matrix_rows.h).
    bool Matrix() const { return output.format == DistFormat::Phylip; }
    // Whether the output shows standard errors (a TSV list), which are
    // otherwise not worked out.
    bool WritesStandardErrors() const { return output.format == DistFormat::Tsv; }
    const ListFilter& Filter() const { return output.filter; }
    // The rows: every sequence, or those of the first alignment with --against.
    int RowCount() const;
    // Appends row `row` to `text`: `distances` as Row gives them.
    void Append(int row, const std::vector<PairDistance>& distances, RowText& text) const;
    // The distances of row `row`, in the order Append takes them.
    std::vector<PairDistance> Row(const PairDistances& pairs, int row) const;
    // The name that begins a row of the matrix.
    std::string RowName(int row) const;
    // Counts the pair (i, j), i < j, in the totals and says on standard
    // error why it has no distance, if it has none.
    void NotePair(int i, int j, const PairDistance& r, RowText& text) const;

private:
    void AppendSquare(int row, const std::vector<PairDistance>& distances, RowText& text) const;
    void AppendLower(int row, const std::vector<PairDistance>& distances, RowText& text) const;
    void AppendList(int row, const std::vector<PairDistance>& distances, RowText& text) const;
    bool Keeps(const PairDistance& r) const;
    void SayNoDistance(int i, int j, const PairDistance& r, RowText& text) const;

    const PackedAlignment& packed;
    DistOutput output;
    PairLayout layout;
};

// Rows [rowBegin, rowEnd) computed on this process's threads and formatted,
// each handed to `take` in row order.
void FormatRows(const PackedAlignment& packed, const DistanceOptions& options,
                const DistRowFormatter& formatter, int rowBegin, int rowEnd,
                const std::function<void(RowText&&)>& take);

}  // namespace dyvern::cli
