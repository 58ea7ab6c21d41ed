#include "cluster_input.h"

#include "align/input.h"
#include "align/input_error.h"
#include "cluster/edge_list_reader.h"
#include "cluster/line_stream.h"
#include "dist_pairs.h"
#include "distance/row_pipeline.h"
#include "number_text.h"
#include "row_totals.h"
#include "usage_error.h"

namespace dyvern::cli {
namespace {

constexpr std::size_t kMostAlignmentBytes = std::size_t{1} << 30;

constexpr const char* kDistanceOptions[] = {"model",     "criterion",        "frequencies",
                                            "gamma",     "gamma-categories", "invariant",
                                            "ambiguity", "min-overlap",      "threads"};

void CheckNoDistanceOptions(const Arguments& arguments, const std::string& source) {
    for (const char* option : kDistanceOptions)
        if (arguments.Has(option))
            throw UsageError("--" + std::string(option) + " is for an alignment: " + source +
                             " is an edge list, its distances computed already");
}

ClusterInput EdgeListInput(LineStream& stream, const std::string& header, double keepAtMost,
                           std::ostream& err) {
    ClusterInput input;
    EdgeListReader reader(header, stream.Source(), keepAtMost);
    for (std::string line; stream.Next(line);) reader.Read(line, stream.Number(), input.graph);
    const EdgeListCounts& counts = reader.Counts();
    err << stream.Source() << ": " << counts.pairs << " pairs of " << input.graph.names.size()
        << " sequences read, " << counts.kept << " with d at most " << FormatNumber(keepAtMost);
    if (counts.withoutDistance > 0) err << ", " << counts.withoutDistance << " without a distance";
    err << "\n";
    return input;
}

void NoteAlignmentPairs(const RowTotals& totals, const DistanceChoice& choice, std::size_t kept,
                        double keepAtMost, std::ostream& err) {
    err << totals.Pairs() << " pairs computed, " << kept << " with d at most "
        << FormatNumber(keepAtMost) << "\n";
    const long long tooFew = totals.Of(FitStatus::TooFewSites);
    if (tooFew > 0)
        err << tooFew << " pairs with fewer than " << choice.options.minOverlap
            << " sites counted have no distance (--min-overlap)\n";
    if (totals.saturated + totals.unfitted > 0)
        err << totals.saturated << " pairs too far apart for the model (saturated) and "
            << totals.unfitted << " without a site in common have no distance\n";
}

// Every pair of the alignment, on threads, each row's close pairs kept.
ClusterInput AlignmentInput(const Arguments& arguments, const Alignment& alignment,
                            double keepAtMost, DistanceChoice& choice, std::ostream& err) {
    ClusterInput input;
    input.alignment = true;
    for (const std::string& name : alignment.names) input.graph.names.Intern(name);
    GiveFrequencies(arguments, alignment, choice.options);
    const PackedAlignment packed(alignment, choice.reading);
    // Only the pairs within the highest threshold are read, and no standard error.
    choice.options.maxD = keepAtMost;
    choice.options.standardErrors = false;
    const PairLayout layout{RowPairs::Upper, 0};
    RowTotals totals;
    const PairDistances pairs(packed, choice.options);
    RunRowsInOrder<std::vector<PairDistance>>(
        0, static_cast<int>(packed.size()), choice.options.threads,
        [&](int row) { return RowDistances(pairs, layout, row); },
        [&](int row, std::vector<PairDistance>& distances) {
            for (std::size_t k = 0; k < distances.size(); ++k) {
                const PairDistance& r = distances[k];
                totals.Count(r.status, r.d);
                totals.unfitted += r.status == FitStatus::Unfittable;
                totals.saturated += r.status == FitStatus::Saturated;
                if (!(r.d <= keepAtMost)) continue;
                const auto j = static_cast<std::uint32_t>(row + 1 + static_cast<int>(k));
                input.graph.edges.Add({static_cast<std::uint32_t>(row), j, r.d});
            }
        });
    NoteAlignmentPairs(totals, choice, input.graph.edges.size(), keepAtMost, err);
    return input;
}

}  // namespace

ClusterInput ReadClusterInput(const Arguments& arguments, const std::string& path,
                              double keepAtMost, DistanceChoice& choice, std::ostream& err) {
    LineStream stream(path);
    std::string first;
    const bool any = stream.Next(first);
    if (any && EdgeListKindOf(first)) {
        CheckNoDistanceOptions(arguments, stream.Source());
        return EdgeListInput(stream, first, keepAtMost, err);
    }
    const Input input =
        ParseInput(first + "\n" + stream.Rest(kMostAlignmentBytes), stream.Source());
    if (input.kind == InputKind::DataFile)
        throw InputError(stream.Source(),
                         "neither an edge list (a first line ID1,ID2,Distance, or columns seq1, "
                         "seq2 and d separated by tabs) nor an alignment");
    return AlignmentInput(arguments, std::get<Alignment>(input.content), keepAtMost, choice, err);
}

}  // namespace dyvern::cli
