#include "cluster_output.h"

#include <string>

#include "csv_text.h"
#include "number_text.h"
#include "record_text.h"

namespace dyvern::cli {
namespace {

constexpr std::size_t kFlushBytes = std::size_t{1} << 16;

// Text gathered and written in large pieces.
class Buffered {
public:
    explicit Buffered(std::ostream& out) : out(out) {}
    ~Buffered() { Flush(); }
    Buffered(const Buffered&) = delete;
    Buffered& operator=(const Buffered&) = delete;
    std::string& Text() { return text; }
    void Done() {
        if (text.size() >= kFlushBytes) Flush();
    }
    void Flush() {
        out.write(text.data(), static_cast<std::streamsize>(text.size()));
        text.clear();
    }

private:
    std::ostream& out;
    std::string text;
};

// The nodes of the numbered clusters, by cluster, each in node order.
std::vector<std::uint32_t> NodesByCluster(const Clustering& clustering) {
    std::vector<std::size_t> next(clustering.sizes.size() + 1, 0);
    for (std::size_t k = 1; k < next.size(); ++k) next[k] = next[k - 1] + clustering.sizes[k - 1];
    std::vector<std::uint32_t> nodes(next.back());
    for (std::uint32_t node = 0; node < clustering.clusterOf.size(); ++node) {
        const std::uint32_t id = clustering.clusterOf[node];
        if (id > 0) nodes[next[id - 1]++] = node;
    }
    return nodes;
}

void JsonClusters(Buffered& out, const Clustering& clustering) {
    out.Text() += "\"clusters\": [";
    for (std::size_t k = 0; k < clustering.sizes.size(); ++k) {
        out.Text() += (k ? ",\n  " : "\n  ");
        out.Text() += "{\"id\": " + std::to_string(k + 1) +
                      ", \"size\": " + std::to_string(clustering.sizes[k]) + "}";
        out.Done();
    }
    out.Text() += "\n],\n";
}

void JsonNodes(Buffered& out, const EdgeGraph& graph, const Clustering& clustering) {
    out.Text() += "\"nodes\": [";
    bool first = true;
    for (const std::uint32_t node : NodesByCluster(clustering)) {
        out.Text() += first ? "\n  {\"id\": " : ",\n  {\"id\": ";
        first = false;
        AppendJsonString(out.Text(), graph.names.Name(node));
        out.Text() += ", \"cluster\": " + std::to_string(clustering.clusterOf[node]) + "}";
        out.Done();
    }
    out.Text() += "\n],\n";
}

void JsonEdges(Buffered& out, const EdgeGraph& graph, const Clustering& clustering,
               double threshold) {
    out.Text() += "\"edges\": [";
    bool first = true;
    graph.edges.ForEach([&](const Edge& e) {
        if (!(e.d <= threshold) || clustering.clusterOf[e.a] == 0) return;
        out.Text() += first ? "\n  {\"source\": " : ",\n  {\"source\": ";
        first = false;
        AppendJsonString(out.Text(), graph.names.Name(e.a));
        out.Text() += ", \"target\": ";
        AppendJsonString(out.Text(), graph.names.Name(e.b));
        out.Text() += ", \"distance\": ";
        AppendNumber(out.Text(), e.d);
        out.Text() += "}";
        out.Done();
    });
    out.Text() += "\n]\n";
}

}  // namespace

void WriteClusterCsv(std::ostream& out, const EdgeGraph& graph, const Clustering& clustering) {
    Buffered text(out);
    text.Text() += kClusterCsvHeader;
    for (const std::uint32_t node : NodesByCluster(clustering)) {
        const std::uint32_t id = clustering.clusterOf[node];
        AppendCsvField(text.Text(), graph.names.Name(node));
        text.Text() +=
            "," + std::to_string(id) + "," + std::to_string(clustering.sizes[id - 1]) + "\n";
        text.Done();
    }
}

void WriteClusterJson(std::ostream& out, const EdgeGraph& graph, const Clustering& clustering,
                      double threshold) {
    Buffered text(out);
    text.Text() += "{\n\"threshold\": " + FormatNumber(threshold) + ",\n";
    JsonClusters(text, clustering);
    JsonNodes(text, graph, clustering);
    JsonEdges(text, graph, clustering, threshold);
    text.Text() += "}\n";
}

void WriteThresholdTable(std::ostream& out, const std::vector<ThresholdRow>& rows) {
    out << "threshold\tedges\tclusters\tlargest\tclustered\n";
    for (const ThresholdRow& row : rows)
        out << FormatNumber(row.threshold) << '\t' << row.edges << '\t' << row.clusters << '\t'
            << row.largest << '\t' << row.clustered << '\n';
}

}  // namespace dyvern::cli
