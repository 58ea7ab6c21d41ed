// dyvern-cli dist: d for every pair of an alignment, or of two alignments'
// sequences against each other, as a PHYLIP matrix or a list of pairs, each
// row written as soon as it is finished so that memory does not grow with the
// number of pairs.
#include <fstream>
#include <ostream>
#include <stdexcept>

#include "command.h"
#include "dist_inputs.h"
#include "dist_rows.h"
#include "dist_summary.h"
#include "distance_choice.h"
#include "model/model_family.h"
#include "number_text.h"
#include "row_producer.h"
#include "usage_error.h"

namespace dyvern::cli {
namespace {

DistFormat FormatOption(const Arguments& arguments) {
    const std::string word = arguments.Value("format", arguments.Has("against") ? "tsv" : "phylip");
    if (word == "phylip-lower") return DistFormat::PhylipLower;
    if (word == "tsv") return DistFormat::Tsv;
    if (word == "csv") return DistFormat::Csv;
    return DistFormat::Phylip;
}

bool IsMatrix(DistFormat format) {
    return format == DistFormat::Phylip || format == DistFormat::PhylipLower;
}

// Everything about the output but --against's count, which the inputs give.
DistOutput ReadOutput(const Arguments& arguments, const DistanceChoice& choice) {
    DistOutput output;
    output.format = FormatOption(arguments);
    output.minOverlap = choice.options.minOverlap;
    const bool matrix = IsMatrix(output.format);
    if (arguments.Has("against") && matrix)
        throw UsageError("--against writes a list of pairs: use --format tsv or csv");
    if (!arguments.Has("max-d")) return output;
    if (matrix) throw UsageError("--max-d keeps pairs of a list: use --format tsv or csv");
    output.filter = {true, DecimalNumber("max-d", arguments.Value("max-d", ""))};
    return output;
}

std::ofstream OpenOutput(const std::string& path) {
    std::ofstream file(path, std::ios::binary);
    if (!file) throw std::runtime_error("cannot create " + path);
    return file;
}

void WriteNotes(const RowTotals& totals, const DistOutput& output, std::ostream& err) {
    const long long tooFew = totals.Of(FitStatus::TooFewSites);
    if (tooFew > 0)
        err << tooFew << " pairs with fewer than " << output.minOverlap
            << " sites counted have no distance (--min-overlap)\n";
    const long long missing = totals.saturated + totals.unfitted + tooFew;
    if (IsMatrix(output.format) && missing > 0)
        err << "the matrix shows " << kNoDistance << " for the " << missing
            << " pairs without a distance\n";
    if (output.filter.on)
        err << totals.leftOut << " pairs with d above " << FormatNumber(output.filter.maxD)
            << " (or no finite d) left out\n";
    else if (totals.leftOut > 0)
        err << totals.leftOut << " pairs without a distance left out\n";
}

SummaryFacts SummaryFactsOf(const Arguments& arguments, const DistInputs& inputs,
                            const DistanceChoice& choice, const DistOutput& output) {
    SummaryFacts facts;
    facts.inputs = inputs.files;
    facts.sites = static_cast<int>(inputs.alignment.sequences.front().size());
    facts.model = FactsOf(choice.options.model).word;
    facts.criterion = choice.criterion;
    facts.ambiguity = arguments.Value("ambiguity", "skip");
    facts.unknownAsAmbiguous = choice.reading.unknownAsAmbiguous;
    facts.resolveLimit = choice.reading.resolveLimit;
    facts.frequencies = arguments.Value("frequencies", "model");
    facts.format = arguments.Value("format", inputs.against > 0 ? "tsv" : "phylip");
    facts.variation = choice.options.fit.variation;
    facts.gammaCategories = static_cast<int>(facts.variation.categoryRates.size());
    if (output.filter.on) facts.maxD = output.filter.maxD;
    facts.minOverlap = choice.options.minOverlap;
    return facts;
}

// A file that only the first process of an MPI run makes; the others leave it alone.
std::ofstream LeadFile(const Arguments& arguments, const char* option) {
    if (!arguments.Has(option) || !LeadProcess()) return {};
    return OpenOutput(arguments.Value(option, ""));
}

void Finish(std::ofstream& file, const Arguments& arguments, const char* option) {
    if (file.is_open() && !file.flush())
        throw std::runtime_error("cannot write " + arguments.Value(option, ""));
}

}  // namespace

int RunDist(const Arguments& arguments, Streams streams) {
    DistanceChoice choice = ReadDistanceChoice(arguments, ModelKind::K80, "ml");
    DistOutput output = ReadOutput(arguments, choice);
    DistInputs inputs = ReadDistInputs(arguments);
    output.against = inputs.against;
    GiveFrequencies(arguments, inputs.alignment, choice.options);
    const PackedAlignment packed(inputs.alignment, choice.reading);
    const DistRowFormatter formatter(packed, output);

    std::ofstream file = LeadFile(arguments, "output");
    std::ofstream summary = LeadFile(arguments, "summary");
    std::ostream& out = file.is_open() ? file : streams.out;
    out << formatter.Header();
    const RowTotals totals =
        ProduceRows(packed, choice.options, formatter, [&](const RowText& text) {
            out.write(text.out.data(), static_cast<std::streamsize>(text.out.size()));
            streams.err << text.err;
        });
    Finish(file, arguments, "output");
    if (summary.is_open())
        summary << SummaryJson(SummaryFactsOf(arguments, inputs, choice, output), totals);
    Finish(summary, arguments, "summary");
    WriteNotes(totals, output, streams.err);
    return totals.unfitted > 0 ? kSomePairsNotFitted : kDone;
}

}  // namespace dyvern::cli
