// dyvern-cli dist: d for every pair of an alignment, as a PHYLIP matrix or a
// list of pairs, each row written as soon as it is finished so that memory
// does not grow with the number of pairs.
#include <fstream>
#include <ostream>
#include <stdexcept>

#include "command.h"
#include "dist_rows.h"
#include "estimation_options.h"
#include "formula/base_composition.h"
#include "model_choice.h"
#include "number_text.h"
#include "pair_source.h"
#include "row_producer.h"
#include "usage_error.h"

namespace dyvern::cli {
namespace {

constexpr int kMostThreads = 1024;

DistanceOptions ReadOptions(const Arguments& arguments) {
    DistanceOptions options;
    options.model = OneModelOption(arguments, ModelKind::K80);
    const EstimationChoice choice = ReadEstimation(arguments, {options.model}, "ml");
    options.criterion = choice.criteria.front();
    options.fit.variation = choice.variation;
    options.pairFrequencies = choice.frequencies == FrequencySource::Pair &&
                              options.criterion == Criterion::MaxLikelihood;
    if (arguments.Has("threads"))
        options.threads = WholeNumber("threads", arguments.Value("threads", ""), 0, kMostThreads);
    return options;
}

// --frequencies alignment: the whole alignment's composition, and each
// sequence's own for paralinear.
void GiveFrequencies(const Arguments& arguments, const Alignment& alignment,
                     DistanceOptions& options) {
    if (arguments.Value("frequencies", "") != "alignment") return;
    options.fit.heldFrequencies = SequenceComposition(alignment.sequences);
    for (const std::string& sequence : alignment.sequences)
        options.sequenceCompositions.push_back(SequenceComposition(sequence));
}

bool MatrixFormat(const Arguments& arguments) {
    return arguments.Value("format", "phylip") == "phylip";
}

ListFilter ReadFilter(const Arguments& arguments) {
    if (!arguments.Has("max-d")) return {};
    if (MatrixFormat(arguments))
        throw UsageError("--max-d keeps pairs of a list: use --format tsv");
    return {true, DecimalNumber("max-d", arguments.Value("max-d", ""))};
}

std::ofstream OpenOutput(const std::string& path) {
    std::ofstream file(path, std::ios::binary);
    if (!file) throw std::runtime_error("cannot create " + path);
    return file;
}

void WriteSummary(const RowTotals& totals, bool matrix, const ListFilter& filter,
                  std::ostream& err) {
    const long long missing = totals.saturated + totals.unfitted;
    if (matrix && missing > 0)
        err << "the matrix shows " << kNoDistance << " for the " << missing
            << " pairs without a distance\n";
    if (filter.on)
        err << totals.leftOut << " pairs with d above " << FormatNumber(filter.maxD)
            << " (or no finite d) left out\n";
}

}  // namespace

int RunDist(const Arguments& arguments, Streams streams) {
    const std::string& path = OneOperand(arguments, "ALIGNMENT");
    DistanceOptions options = ReadOptions(arguments);
    const bool matrix = MatrixFormat(arguments);
    const ListFilter filter = ReadFilter(arguments);
    const Input input = ReadInput(path);
    if (input.kind == InputKind::DataFile)
        throw UsageError(path + " is a data file, one pair: dist needs an alignment");
    const Alignment& alignment = std::get<Alignment>(input.content);
    GiveFrequencies(arguments, alignment, options);
    const PackedAlignment packed(alignment, ReadingOption(arguments));
    const DistRowFormatter formatter(packed, matrix, filter);

    // Only the first process of an MPI run writes; the others leave the file alone.
    std::ofstream file;
    if (arguments.Has("output") && LeadProcess()) file = OpenOutput(arguments.Value("output", ""));
    std::ostream& out = file.is_open() ? file : streams.out;
    out << formatter.Header();
    const RowTotals totals = ProduceRows(packed, options, formatter, [&](const RowText& text) {
        out.write(text.out.data(), static_cast<std::streamsize>(text.out.size()));
        streams.err << text.err;
    });
    if (file.is_open() && !file.flush())
        throw std::runtime_error("cannot write " + arguments.Value("output", ""));
    WriteSummary(totals, matrix, filter, streams.err);
    return totals.unfitted > 0 ? kSomePairsNotFitted : kDone;
}

}  // namespace dyvern::cli
