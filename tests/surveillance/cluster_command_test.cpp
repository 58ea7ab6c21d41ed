// dyvern-cli cluster: worked by hand on a small gzipped list; the same
// clusters from an alignment, from dist's lists and from tn93's own list of
// it; and its refusals.
#include <gtest/gtest.h>

#include <map>
#include <set>
#include <sstream>

#include "cli_runner.h"
#include "standard_input.h"

namespace dyvern::testing {
namespace {

const std::string kEdges = kSurveillanceData + "/edges.csv.gz";
const std::string kTn93Input = kSurveillanceData + "/tn93_input.fasta";

using Partition = std::set<std::set<std::string>>;

// The clusters of cluster's CSV, each a set of names (no name holds a comma).
Partition PartitionOf(const std::string& csv) {
    std::istringstream in(csv);
    std::string line;
    std::getline(in, line);
    EXPECT_EQ(line, "SequenceID,ClusterID,ClusterSize");
    std::map<std::string, std::set<std::string>> clusters;
    while (std::getline(in, line)) {
        const std::size_t comma = line.find(',');
        clusters[line.substr(comma + 1, line.find(',', comma + 1) - comma - 1)].insert(
            line.substr(0, comma));
    }
    Partition partition;
    for (const auto& [id, names] : clusters) partition.insert(names);
    return partition;
}

TEST(Cluster, HandWorkedListGzippedWithCrlfAndQuotes) {
    // a-b 0.01, b-c 0.02, d-e 0.001, "f,g"-h 0.0149999: three pairs at 0.015,
    // numbered by first appearance; b-c joins c at 0.02, making a-b-c first.
    const struct {
        std::vector<std::string> options;
        std::string out;
    } cases[] = {
        {{}, "SequenceID,ClusterID,ClusterSize\na,1,2\nb,1,2\nd,2,2\ne,2,2\n\"f,g\",3,2\nh,3,2\n"},
        {{"--singletons"},
         "SequenceID,ClusterID,ClusterSize\na,1,2\nb,1,2\nd,2,2\ne,2,2\n\"f,g\",3,2\nh,3,2\n"
         "c,4,1\n"},
        {{"--max-d", "0.02"},
         "SequenceID,ClusterID,ClusterSize\na,1,3\nb,1,3\nc,1,3\nd,2,2\ne,2,2\n\"f,g\",3,2\n"
         "h,3,2\n"},
        {{"--format", "json", "--max-d", "0.001"},
         "{\n\"threshold\": 0.001,\n\"clusters\": [\n  {\"id\": 1, \"size\": 2}\n],\n"
         "\"nodes\": [\n  {\"id\": \"d\", \"cluster\": 1},\n  {\"id\": \"e\", \"cluster\": 1}\n],\n"
         "\"edges\": [\n  {\"source\": \"d\", \"target\": \"e\", \"distance\": 0.001}\n]\n}\n"},
        {{"--thresholds", "0.02,0.001,0.015"},
         "threshold\tedges\tclusters\tlargest\tclustered\n0.001\t1\t1\t2\t2\n"
         "0.015\t3\t3\t2\t6\n0.02\t4\t3\t3\t7\n"},
    };
    for (const auto& c : cases) {
        std::vector<std::string> words = {"cluster", kEdges};
        words.insert(words.end(), c.options.begin(), c.options.end());
        const CliResult result = RunCli(words);
        EXPECT_EQ(result.status, 0) << result.err;
        EXPECT_EQ(result.out, c.out);
    }
    const StandardInputFrom redirect(kEdges);
    const CliResult piped = RunCli({"cluster", "-"});
    EXPECT_EQ(piped.out, RunCli({"cluster", kEdges}).out);
    EXPECT_NE(piped.err.find("standard input: 4 pairs of 7 sequences read, 3 with d at most 0.015"),
              std::string::npos)
        << piped.err;
}

// The largest d of the hand-worked list is 0.02: a table with two rows at or
// above it may be flat only because the list stops there, and says so.
TEST(Cluster, ATableBeyondTheListsLargestDistanceSaysSo) {
    const struct {
        const char* thresholds;
        const char* from;  // where the note says the flat rows begin; "" for no note
    } cases[] = {{"0.001,0.015,0.02", ""}, {"0.01,0.03,0.02", "0.02"}, {"0.1,0.05", "0.05"}};
    for (const auto& c : cases) {
        const CliResult result = RunCli({"cluster", kEdges, "--thresholds", c.thresholds});
        EXPECT_EQ(result.status, 0);
        const std::size_t at = result.err.find("keep every pair of the list (d at most 0.02)");
        EXPECT_EQ(at != std::string::npos, *c.from != '\0') << c.thresholds << ": " << result.err;
        if (*c.from != '\0') {
            EXPECT_NE(result.err.find(std::string("the thresholds from ") + c.from + " up"),
                      std::string::npos)
                << result.err;
        }
    }
}

// tn93's own list of the alignment (-a skip -t 0.05 -l 200) against the
// alignment's pairs computed here, and against dist's CSV and TSV lists.
TEST(Cluster, TheSameClustersFromTheAlignmentAndFromEveryList) {
    const std::vector<std::string> distance = {"--model", "TN93",          "--criterion",
                                               "formula", "--min-overlap", "201"};
    const CliResult tn93 =
        RunCli({"cluster", kSurveillanceData + "/tn93_skip_t0.05_l200.csv", "--max-d", "0.05"});
    ASSERT_EQ(tn93.status, 0) << tn93.err;
    const Partition expected = PartitionOf(tn93.out);
    ASSERT_GT(expected.size(), 1u);
    std::vector<std::string> words = {"cluster", kTn93Input, "--max-d", "0.05"};
    words.insert(words.end(), distance.begin(), distance.end());
    EXPECT_EQ(PartitionOf(RunCli(words).out), expected);
    // dist's CSV list is tn93's, byte for byte (csv_output_test.cpp); its TSV list.
    std::vector<std::string> dist = {"dist", kTn93Input, "--format", "tsv", "--max-d", "0.05"};
    dist.insert(dist.end(), distance.begin(), distance.end());
    const ScratchFile list("list.tsv", RunCli(dist).out);
    const CliResult clusters = RunCli({"cluster", list.Path(), "--max-d", "0.05"});
    EXPECT_EQ(clusters.status, 0) << clusters.err;
    EXPECT_EQ(PartitionOf(clusters.out), expected);
}

TEST(Cluster, HasItsOwnHelp) {
    EXPECT_NE(RunCli({"--help"}).out.find("\n  cluster "), std::string::npos);
    const CliResult help = RunCli({"cluster", "--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_EQ(help.out.rfind("Usage: dyvern-cli cluster", 0), 0u);
}

TEST(Cluster, RefusalsSayWhy) {
    const std::string bad = kSurveillanceData + "/names.fasta";  // an alignment, fine as input
    const ScratchFile list("bad.csv", "ID1,ID2,Distance\na,b,0.01\na,b,zero\n");
    const ScratchFile notList("table.txt", "ID1;ID2;Distance\na;b;0.01\n");
    const std::string gz = FileBytes(kEdges);
    const ScratchFile truncated("truncated.csv.gz", gz.substr(0, gz.size() - 12));
    const struct {
        std::vector<std::string> words;
        std::string message;
    } cases[] = {
        {{"cluster"}, "no INPUT given"},
        {{"cluster", kEdges, "--max-d", "0.01", "--thresholds", "0.01"}, "not both"},
        {{"cluster", kEdges, "--thresholds", "0.01", "--format", "json"}, "no --format"},
        {{"cluster", kEdges, "--thresholds", "0.01", "--singletons"},
         "no --format or --singletons"},
        {{"cluster", kEdges, "--thresholds", "0.01,x"}, "--thresholds takes a number, not 'x'"},
        {{"cluster", kEdges, "--max-d", "-0.1"}, "--max-d takes a distance of 0 or more"},
        {{"cluster", kEdges, "--format", "xml"}, "--format takes one of csv, json"},
        {{"cluster", kEdges, "--model", "K80"},
         "--model is for an alignment: " + kEdges + " is an edge list"},
        {{"cluster", kEdges, "--min-overlap", "100"}, "--min-overlap is for an alignment"},
        {{"cluster", bad, "--model", "HKY85"}, "has no published closed form"},
        {{"cluster", list.Path()}, list.Path() + ":3: the distance 'zero' is not a number"},
        {{"cluster", notList.Path()}, "neither an edge list"},
        {{"cluster", kSample}, "neither an edge list"},
        {{"cluster", truncated.Path()}, truncated.Path() + ": cannot read ("},
        {{"cluster", "no-such-list.csv"}, "no-such-list.csv: cannot read ("},
    };
    for (const auto& c : cases) ExpectRefused(c.words, c.message);
}

}  // namespace
}  // namespace dyvern::testing
