// dyvern-cli table: the pair table of two sequences, as a data file.
#include <charconv>
#include <string>

#include "command.h"
#include "model_choice.h"
#include "pair_source.h"
#include "usage_error.h"

namespace dyvern::cli {
namespace {

// Cells shared out under --ambiguity average can be fractions: each is
// written as the shortest plain decimal that reads back as the same double,
// so that whole counts stay whole numbers (20, not 2e+01).
std::string ExactNumber(double value) {
    // Room for any double in plain notation: 309 integer digits, or 324
    // decimals below 1e-307, with a sign and a point.
    char text[400];
    const std::to_chars_result written =
        std::to_chars(text, text + sizeof text, value, std::chars_format::fixed);
    return std::string(text, written.ptr);
}

}  // namespace

int RunTable(const Arguments& arguments, Streams streams) {
    if (arguments.operands.size() != 3)
        throw UsageError("table takes ALIGNMENT NAME1 NAME2, not " +
                         std::to_string(arguments.operands.size()) + " operands");
    const std::string& path = arguments.operands[0];
    const Input input = ReadInput(path);
    if (input.kind == InputKind::DataFile)
        throw UsageError(path + " is already a data file: table needs an alignment");
    const Alignment& alignment = std::get<Alignment>(input.content);
    const std::size_t i = IndexOfName(alignment, arguments.operands[1]);
    const std::size_t j = IndexOfName(alignment, arguments.operands[2]);
    if (i == j) throw UsageError("the two names are the same: '" + arguments.operands[1] + "'");
    const NamedTable table = TableOf(alignment, i, j, ReadingOption(arguments));
    WriteSitesLeftOut({table}, streams.err);

    streams.out << table.siteCount << "\n";
    for (const auto& row : table.counts)
        streams.out << ExactNumber(row[0]) << " " << ExactNumber(row[1]) << " "
                    << ExactNumber(row[2]) << " " << ExactNumber(row[3]) << "\n";
    // After the 16 counts, which is all the window reads.
    streams.out << "# " << table.seq1 << " (rows) against " << table.seq2 << " (columns) of "
                << path << ", bases A C G T\n";
    return kDone;
}

}  // namespace dyvern::cli
