// dyvern-cli cluster: transmission clusters, the connected components of the
// graph of the pairs with d at most a threshold, from an edge list written by
// dist or from an alignment.
#include <algorithm>
#include <fstream>
#include <stdexcept>

#include "cluster/components.h"
#include "cluster_input.h"
#include "cluster_output.h"
#include "command.h"
#include "model_choice.h"
#include "number_text.h"
#include "usage_error.h"

namespace dyvern::cli {
namespace {

constexpr double kUsualThreshold = 0.015;

struct ClusterChoice {
    std::vector<double> thresholds;  // one, or --thresholds' list
    bool table = false;              // --thresholds: the table of them
    bool json = false;
    bool singletons = false;
};

double Threshold(const std::string& option, const std::string& text) {
    const double value = DecimalNumber(option, text);
    if (value < 0.0) throw UsageError("--" + option + " takes a distance of 0 or more");
    return value;
}

std::vector<double> ThresholdList(const std::string& text) {
    std::vector<double> values;
    std::size_t start = 0;
    for (std::size_t comma = text.find(',');; comma = text.find(',', start)) {
        values.push_back(Threshold("thresholds", text.substr(start, comma - start)));
        if (comma == std::string::npos) return values;
        start = comma + 1;
    }
}

ClusterChoice ReadClusterChoice(const Arguments& arguments) {
    ClusterChoice choice;
    choice.json = arguments.Value("format", "csv") == "json";
    choice.singletons = arguments.Has("singletons");
    choice.table = arguments.Has("thresholds");
    if (!choice.table) {
        choice.thresholds = {arguments.Has("max-d")
                                 ? Threshold("max-d", arguments.Value("max-d", ""))
                                 : kUsualThreshold};
        return choice;
    }
    if (arguments.Has("max-d")) throw UsageError("give --max-d or --thresholds, not both");
    if (arguments.Has("format") || choice.singletons)
        throw UsageError("--thresholds writes a table of its own: no --format or --singletons");
    choice.thresholds = ThresholdList(arguments.Value("thresholds", ""));
    return choice;
}

std::ofstream OpenOutput(const Arguments& arguments) {
    if (!arguments.Has("output")) return {};
    const std::string path = arguments.Value("output", "");
    std::ofstream file(path, std::ios::binary);
    if (!file) throw std::runtime_error("cannot create " + path);
    return file;
}

void NoteClusters(const ClusterInput& input, const Clustering& clustering, double threshold,
                  std::ostream& err) {
    std::size_t clusters = 0, largest = 0, clustered = 0;
    for (const std::uint32_t size : clustering.sizes) {
        if (size < 2) continue;
        ++clusters;
        clustered += size;
        largest = std::max<std::size_t>(largest, size);
    }
    err << input.graph.names.size() << " sequences, " << clustering.edges
        << " pairs with d at most " << FormatNumber(threshold) << ": " << clusters
        << " clusters, the largest of " << largest << ", " << clustered << " sequences clustered\n";
}

void WriteClusters(const ClusterChoice& choice, const ClusterInput& input, std::ostream& out,
                   std::ostream& err) {
    const double threshold = choice.thresholds.front();
    const Clustering clustering = ClustersAt(input.graph, threshold, choice.singletons);
    if (choice.json)
        WriteClusterJson(out, input.graph, clustering, threshold);
    else
        WriteClusterCsv(out, input.graph, clustering);
    NoteClusters(input, clustering, threshold, err);
}

// A list written with a --max-d below some thresholds holds none of the pairs
// above it, so the rows of the table there would look settled when they are
// not: said when two thresholds or more keep every pair of a list.
void NoteListLimit(const ClusterInput& input, const std::vector<double>& thresholds,
                   std::ostream& err) {
    if (input.alignment) return;
    double largest = 0.0;
    input.graph.edges.ForEach([&](const Edge& edge) { largest = std::max(largest, edge.d); });
    std::vector<double> above;
    for (const double t : thresholds)
        if (t >= largest) above.push_back(t);
    if (above.size() < 2) return;
    err << "the thresholds from " << FormatNumber(*std::min_element(above.begin(), above.end()))
        << " up keep every pair of the list (d at most " << FormatNumber(largest)
        << "): if it was written with a lower --max-d, the pairs above that are missing\n";
}

}  // namespace

int RunCluster(const Arguments& arguments, Streams streams) {
    const std::string& path = OneOperand(arguments, "INPUT");
    const ClusterChoice choice = ReadClusterChoice(arguments);
    DistanceChoice distances = ReadDistanceChoice(arguments, ModelKind::TN93, "formula");
    const double keepAtMost = *std::max_element(choice.thresholds.begin(), choice.thresholds.end());
    const ClusterInput input =
        ReadClusterInput(arguments, path, keepAtMost, distances, streams.err);

    if (choice.table) NoteListLimit(input, choice.thresholds, streams.err);
    std::ofstream file = OpenOutput(arguments);
    std::ostream& out = file.is_open() ? file : streams.out;
    if (choice.table)
        WriteThresholdTable(out, ThresholdTable(input.graph, choice.thresholds));
    else
        WriteClusters(choice, input, out, streams.err);
    if (file.is_open() && !file.flush())
        throw std::runtime_error("cannot write " + arguments.Value("output", ""));
    return kDone;
}

}  // namespace dyvern::cli
