// Names interned once; the edge-list reader: dist's CSV and TSV lists, names interned once in
// order of appearance (quoted or bare alike), pairs without a distance, and
// a message naming the line for every kind of bad line.
#include <gtest/gtest.h>

#include <map>
#include <random>
#include <tuple>

#include "align/input_error.h"
#include "cluster/edge_list_reader.h"
#include "cluster/name_table.h"

namespace dyvern {
namespace {

using Edges = std::vector<std::tuple<std::uint32_t, std::uint32_t, double>>;

Edges EdgesOf(const EdgeGraph& graph) {
    Edges edges;
    graph.edges.ForEach([&](const Edge& e) { edges.emplace_back(e.a, e.b, e.d); });
    return edges;
}

std::vector<std::string> NamesOf(const EdgeGraph& graph) {
    std::vector<std::string> names;
    for (std::uint32_t id = 0; id < graph.names.size(); ++id)
        names.emplace_back(graph.names.Name(id));
    return names;
}

// Against a std::map numbering the same names: many, so that the table grows
// several times, each seen again in another order.
TEST(NameTable, NumbersNamesInTheOrderFirstSeenThroughGrowth) {
    NameTable table;
    std::map<std::string, std::uint32_t> numbers;
    std::mt19937 random(5);
    std::uniform_int_distribution<int> pick(0, 29999);
    for (int k = 0; k < 100000; ++k) {
        const std::string name = (k % 3 ? "S" : "sequence ") + std::to_string(pick(random));
        const auto expected = numbers.emplace(name, static_cast<std::uint32_t>(numbers.size()));
        EXPECT_EQ(table.Intern(name), expected.first->second) << name;
    }
    ASSERT_EQ(table.size(), numbers.size());
    for (const auto& [name, id] : numbers) EXPECT_EQ(table.Name(id), name);
    EXPECT_EQ(table.Intern(""), numbers.size());
    EXPECT_EQ(table.Name(static_cast<std::uint32_t>(numbers.size())), "");
}

TEST(EdgeList, GoodListsGiveNamesInOrderAndTheirEdges) {
    const struct {
        const char* what;
        std::string text;
        double keepAtMost;
        std::vector<std::string> names;
        Edges edges;
        long long withoutDistance;
    } cases[] = {
        {"csv", "ID1,ID2,Distance\na,b,0.01\nb,c,0.02\n", 1, {"a", "b", "c"},
         {{0, 1, 0.01}, {1, 2, 0.02}}, 0},
        {"a mark, CRLF, a blank line and no last line end",
         "\xEF\xBB\xBFID1,ID2,Distance\r\na,b,0.01\r\n\r\nb,c,1e-3", 1, {"a", "b", "c"},
         {{0, 1, 0.01}, {1, 2, 0.001}}, 0},
        {"quoted and bare spellings of one name",
         "ID1,ID2,Distance\n\"a\",b,0.01\na,\"b\",0.02\n\"x,y\",\"say \"\"hi\"\"\",0\n", 1,
         {"a", "b", "x,y", "say \"hi\""}, {{0, 1, 0.01}, {0, 1, 0.02}, {2, 3, 0}}, 0},
        {"edges above the limit dropped, their names kept",
         "ID1,ID2,Distance\na,b,0.015\na,c,0.0150001\n", 0.015, {"a", "b", "c"}, {{0, 1, 0.015}},
         0},
        {"blanks around a distance", "ID1,ID2,Distance\na,b, 0.25 \n", 1, {"a", "b"},
         {{0, 1, 0.25}}, 0},
        {"dist's tsv, pairs without a distance",
         "seq1\tseq2\tsites\td\tse_d\tstatus\na\tb\t10\t0.1\t0.01\tok\n"
         "a\tc\t0\tNA\tNA\tunfittable\nb\tc\t9\tinf\tNA\tsaturated\n",
         1, {"a", "b", "c"}, {{0, 1, 0.1}}, 2},
        {"tsv columns in any order", "d\tseq2\tseq1\n0.01\tb\ta\n", 1, {"a", "b"},
         {{0, 1, 0.01}}, 0},
        {"a header alone", "ID1,ID2,Distance\n", 1, {}, {}, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        EdgeListCounts counts;
        const EdgeGraph graph = ReadEdgeList(c.text, "list", c.keepAtMost, &counts);
        EXPECT_EQ(NamesOf(graph), c.names);
        EXPECT_EQ(EdgesOf(graph), c.edges);
        EXPECT_EQ(counts.withoutDistance, c.withoutDistance);
        EXPECT_EQ(counts.kept, static_cast<long long>(c.edges.size()));
    }
}

TEST(EdgeList, BadLinesAreNamedWithWhatIsWrong) {
    const std::string csv = "ID1,ID2,Distance\n";
    const struct {
        std::string text, message;
    } cases[] = {
        {"", "list:1: not the header of an edge list"},
        {"id1,id2,distance\na,b,0.1\n", "list:1: not the header of an edge list"},
        {"\xEF\xBB\xBF\xEF\xBB\xBFseq1\tseq2\td\na\tb\t0.1\n", "list:1: not the header"},
        {"Seq1,Seq2,Distance\n1,2,0.1\n", "list:1: not the header"},  // tn93's csvn: numbers
        {"ID1,ID2,Distance,extra\n", "list:1: not the header"},
        {"seq1\tseq2\tsites\n", "list:1: not the header"},
        {">S0001\nACGT\n", "list:1: not the header"},
        {csv + "a,b\n", "list:2: 2 fields where the header has 3 (a name holding a comma must"},
        {csv + "a,b,0.1\nx,y,z,0.1\n", "list:3: 4 fields where the header has 3"},
        {csv + "a,b,x\n", "list:2: the distance 'x' is not a number"},
        {csv + "a,b,0.1junk\n", "list:2: the distance '0.1junk' is not a number"},
        {csv + "a,b,\n", "list:2: the distance '' is not a number"},
        {csv + "a,b,nan\n", "list:2: the distance 'nan' is not a number"},
        {csv + "a,b,inf\n", "list:2: the distance 'inf' is not a number"},
        {csv + "a,b,NA\n", "list:2: the distance 'NA' is not a number"},
        {csv + "a,b,1e999\n", "list:2: the distance '1e999' is not a number"},
        {csv + "\na,b,-0.1\n", "list:3: the distance '-0.1' is below 0"},
        {csv + "\"a,b,0.1\n", "list:2: a quoted field without its closing quote"},
        {csv + "\"a\"x,b,0.1\n", "list:2: text after the closing quote of a field"},
        {csv + "a\"b,c,0.1\n", "list:2: a quote inside a field not in quotes"},
        {csv + ",b,0.1\n", "list:2: an empty name"},
        {csv + "a,\"\",0.1\n", "list:2: an empty name"},
        {"seq1\tseq2\td\na\tb\n", "list:2: 2 fields where the header has 3"},
        {"seq1\tseq2\td\na\tb\tNA\na\tb\t0.1x\n", "list:3: the distance '0.1x' is not a number"},
        {"seq1\tseq2\td\na\tb\t-1\n", "list:2: the distance '-1' is below 0"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        try {
            ReadEdgeList(c.text, "list", 1);
            ADD_FAILURE() << "read";
        } catch (const InputError& error) {
            EXPECT_EQ(std::string(error.what()).rfind(c.message, 0), 0u) << error.what();
        }
    }
}

}  // namespace
}  // namespace dyvern
