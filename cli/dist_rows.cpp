#include "dist_rows.h"

#include <cmath>

#include "csv_text.h"
#include "distance/row_pipeline.h"
#include "matrix_rows.h"
#include "number_text.h"
#include "record_text.h"
#include "report/distance_record.h"

namespace dyvern::cli {
namespace {

constexpr std::size_t kPhylipNameWidth = 10;

std::string PhylipName(const std::string& name) {
    return name.size() >= kPhylipNameWidth
               ? name + " "
               : name + std::string(kPhylipNameWidth - name.size(), ' ');
}

std::string MatrixCell(double d) { return std::isfinite(d) ? FormatNumber(d) : kNoDistance; }

PairLayout LayoutOf(const DistOutput& output) {
    PairLayout layout;
    layout.against = output.against;
    switch (output.format) {
        case DistFormat::Phylip:
            layout.pairs = RowPairs::Square;
            break;
        case DistFormat::PhylipLower:
            layout.pairs = RowPairs::Lower;
            break;
        case DistFormat::Tsv:
        case DistFormat::Csv:
            layout.pairs = output.against > 0 ? RowPairs::Against : RowPairs::Upper;
            break;
    }
    return layout;
}

DistOutput OutputOf(bool matrix, ListFilter filter) {
    DistOutput output;
    output.format = matrix ? DistFormat::Phylip : DistFormat::Tsv;
    output.filter = filter;
    return output;
}

}  // namespace

DistRowFormatter::DistRowFormatter(const PackedAlignment& packed, bool matrix, ListFilter filter)
    : DistRowFormatter(packed, OutputOf(matrix, filter)) {}

DistRowFormatter::DistRowFormatter(const PackedAlignment& packed, const DistOutput& output)
    : packed(packed), output(output), layout(LayoutOf(output)) {}

std::string DistRowFormatter::RowName(int row) const { return PhylipName(packed.name(row)); }

int DistRowFormatter::RowCount() const {
    return output.against > 0 ? output.against : static_cast<int>(packed.size());
}

std::string DistRowFormatter::Header() const {
    switch (output.format) {
        case DistFormat::Phylip:
        case DistFormat::PhylipLower:
            return std::to_string(packed.size()) + "\n";
        case DistFormat::Csv:
            return kCsvHeader;
        case DistFormat::Tsv:
            break;
    }
    return TsvHeader(kDistanceColumns);
}

void DistRowFormatter::NotePair(int i, int j, const PairDistance& r, RowText& text) const {
    // A pair a list leaves out for its d may have stopped counting early,
    // with only a bound for d: the histogram holds the kept pairs' d.
    text.totals.Count(r.status, r.d, !output.filter.on || r.d <= output.filter.maxD);
    if (r.status == FitStatus::Unfittable || r.status == FitStatus::Saturated)
        SayNoDistance(i, j, r, text);
}

void DistRowFormatter::SayNoDistance(int i, int j, const PairDistance& r, RowText& text) const {
    const std::string pair = packed.name(i) + " and " + packed.name(j);
    if (r.status == FitStatus::Unfittable) {
        ++text.totals.unfitted;
        text.err += pair + ": no sites in common, no distance\n";
    } else {
        ++text.totals.saturated;
        text.err += pair + ": too many differences for the model (saturated), no finite distance\n";
    }
}

std::vector<PairDistance> DistRowFormatter::Row(const PairDistances& pairs, int row) const {
    return RowDistances(pairs, layout, row);
}

void DistRowFormatter::Append(int row, const std::vector<PairDistance>& distances,
                              RowText& text) const {
    switch (output.format) {
        case DistFormat::Phylip:
            return AppendSquare(row, distances, text);
        case DistFormat::PhylipLower:
            return AppendLower(row, distances, text);
        case DistFormat::Tsv:
        case DistFormat::Csv:
            return AppendList(row, distances, text);
    }
}

void DistRowFormatter::AppendSquare(int row, const std::vector<PairDistance>& distances,
                                    RowText& text) const {
    text.out += RowName(row);
    for (std::size_t j = 0; j < distances.size(); ++j) {
        const int column = static_cast<int>(j);
        if (row < column) NotePair(row, column, distances[j], text);
        if (j) text.out += ' ';
        text.out += MatrixCell(row == column ? 0.0 : distances[j].d);
    }
    text.out += '\n';
}

void DistRowFormatter::AppendLower(int row, const std::vector<PairDistance>& distances,
                                   RowText& text) const {
    text.out += RowName(row);
    for (std::size_t j = 0; j < distances.size(); ++j) {
        NotePair(static_cast<int>(j), row, distances[j], text);
        if (j) text.out += ' ';
        text.out += MatrixCell(distances[j].d);
    }
    text.out += '\n';
}

// A list keeps every pair, or those at most --max-d; a CSV only pairs with a
// distance, which is all network tools can read.
bool DistRowFormatter::Keeps(const PairDistance& r) const {
    if (output.filter.on) return r.d <= output.filter.maxD;
    return output.format != DistFormat::Csv || std::isfinite(r.d);
}

void DistRowFormatter::AppendList(int row, const std::vector<PairDistance>& distances,
                                  RowText& text) const {
    const int first = layout.pairs == RowPairs::Against ? output.against : row + 1;
    for (std::size_t k = 0; k < distances.size(); ++k) {
        const int j = first + static_cast<int>(k);
        const PairDistance& r = distances[k];
        NotePair(row, j, r, text);
        if (!Keeps(r)) {
            ++text.totals.leftOut;
            if (std::isfinite(r.d) || r.status == FitStatus::AboveBound) ++text.totals.aboveMaxD;
            continue;
        }
        ++text.totals.written;
        if (output.format == DistFormat::Csv) {
            AppendCsvPair(text.out, packed.name(row), packed.name(j), r.d);
            continue;
        }
        AppendTsvLine(
            text.out, kDistanceColumns,
            DistanceRecord{{packed.name(row), packed.name(j)}, r.sites, r.d, r.seD, r.status});
    }
}

void FormatRows(const PackedAlignment& packed, const DistanceOptions& requested,
                const DistRowFormatter& formatter, int rowBegin, int rowEnd,
                const std::function<void(RowText&&)>& take) {
    CheckRowRange(packed, requested, rowBegin, rowEnd);
    // Only what is written is computed: no standard error in a matrix, and
    // none for a pair the list leaves out.
    DistanceOptions options = requested;
    options.standardErrors = formatter.WritesStandardErrors();
    if (formatter.Filter().on) options.maxD = formatter.Filter().maxD;
    const PairDistances pairs(packed, options);
    if (formatter.Matrix() && MatrixKeepsPairs(static_cast<int>(packed.size()), rowBegin, rowEnd))
        return FormatMatrixRows(pairs, formatter, rowBegin, rowEnd, take);
    // Each row is formatted on the thread that computed it.
    RunRowsInOrder<RowText>(
        rowBegin, rowEnd, options.threads,
        [&](int row) {
            RowText text;
            formatter.Append(row, formatter.Row(pairs, row), text);
            return text;
        },
        [&](int, RowText& text) { take(std::move(text)); });
}

}  // namespace dyvern::cli
