#include "dist_rows.h"

#include <cmath>

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

}  // namespace

DistRowFormatter::DistRowFormatter(const PackedAlignment& packed, bool matrix, ListFilter filter)
    : packed(packed), matrix(matrix), filter(filter) {}

std::string DistRowFormatter::RowName(int row) const { return PhylipName(packed.name(row)); }

std::string DistRowFormatter::Header() const {
    if (matrix) return std::to_string(packed.size()) + "\n";
    return TsvHeader(kDistanceColumns);
}

void DistRowFormatter::NotePair(int i, int j, const PairDistance& r, RowText& text) const {
    if (r.status != FitStatus::Unfittable && r.status != FitStatus::Saturated) return;
    const std::string pair = packed.name(i) + " and " + packed.name(j);
    if (r.status == FitStatus::Unfittable) {
        ++text.totals.unfitted;
        text.err += pair + ": no sites in common, no distance\n";
    } else {
        ++text.totals.saturated;
        text.err += pair + ": too many differences for the model (saturated), no finite distance\n";
    }
}

void DistRowFormatter::Append(int row, const std::vector<PairDistance>& distances,
                              RowText& text) const {
    if (matrix) {
        text.out += RowName(row);
        for (std::size_t j = 0; j < distances.size(); ++j) {
            const int column = static_cast<int>(j);
            if (row < column) NotePair(row, column, distances[j], text);
            const double d = row == column ? 0.0 : distances[j].d;
            if (j) text.out += ' ';
            text.out += std::isfinite(d) ? FormatNumber(d) : kNoDistance;
        }
        text.out += '\n';
        return;
    }
    for (std::size_t k = 0; k < distances.size(); ++k) {
        const int j = row + 1 + static_cast<int>(k);
        const PairDistance& r = distances[k];
        NotePair(row, j, r, text);
        if (filter.on && !(r.d <= filter.maxD)) {
            ++text.totals.leftOut;
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
    options.standardErrors = !formatter.Matrix();
    if (formatter.Filter().on) options.maxD = formatter.Filter().maxD;
    if (formatter.Matrix() && MatrixKeepsPairs(static_cast<int>(packed.size()), rowBegin, rowEnd))
        return FormatMatrixRows(packed, options, formatter, rowBegin, rowEnd, take);
    // Each row is formatted on the thread that computed it.
    RunRowsInOrder<RowText>(
        rowBegin, rowEnd, options.threads,
        [&](int row) {
            RowText text;
            formatter.Append(row, DistanceRow(packed, options, formatter.Shape(), row), text);
            return text;
        },
        [&](int, RowText& text) { take(std::move(text)); });
}

}  // namespace dyvern::cli
