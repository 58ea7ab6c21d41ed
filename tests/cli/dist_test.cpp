// The distance matrix and the pair list against the fits of the same pairs,
// with the pairs that have no distance said, never silent.
#include <gtest/gtest.h>

#include <sstream>

#include "cli_runner.h"

namespace dyvern::testing {
namespace {

struct Matrix {
    std::vector<std::string> names;
    std::vector<std::vector<std::string>> cells;
};

Matrix ReadPhylip(const std::string& text) {
    std::istringstream in(text);
    std::size_t count = 0;
    in >> count;
    Matrix m;
    for (std::size_t i = 0; i < count; ++i) {
        std::string name;
        in >> name;
        m.names.push_back(name);
        m.cells.emplace_back(count);
        for (std::string& cell : m.cells.back()) in >> cell;
    }
    return m;
}

TEST(Dist, MatrixHoldsEachPairsFittedDistanceSymmetrically) {
    for (const char* model : {"JC69", "F81", "K80", "HKY85"}) {
        const CliResult dist = RunCli({"dist", PrimatesFasta(), "--model", model});
        ASSERT_EQ(dist.status, 0) << dist.err;
        EXPECT_EQ(dist.out.rfind("5\nHuman     0 ", 0), 0u) << dist.out;
        const Matrix m = ReadPhylip(dist.out);
        const std::vector<Row> fits = ReadTsv(
            RunCli({"fit", PrimatesFasta(), "--all-pairs", "--model", model, "--criterion", "ml"})
                .out);
        ASSERT_EQ(fits.size(), 10u);
        std::size_t f = 0;
        for (std::size_t i = 0; i < 5; ++i) {
            EXPECT_EQ(m.cells[i][i], "0");
            for (std::size_t j = i + 1; j < 5; ++j, ++f) {
                EXPECT_EQ(fits[f].at("seq1"), m.names[i]);
                EXPECT_EQ(fits[f].at("seq2"), m.names[j]);
                EXPECT_EQ(m.cells[i][j], fits[f].at("d")) << model << " " << i << " " << j;
                EXPECT_EQ(m.cells[j][i], m.cells[i][j]);
            }
        }
    }
}

TEST(Dist, ListKeepsThePairsUnderTheLimitAndCountsTheRest) {
    const CliResult all = RunCli({"dist", PrimatesFasta(), "--format", "tsv", "--threads", "2"});
    ASSERT_EQ(all.status, 0);
    const std::vector<Row> rows = ReadTsv(all.out);
    ASSERT_EQ(rows.size(), 10u);
    const double limit = 0.15;
    int kept = 0;
    for (const Row& row : rows) {
        kept += NumberIn(row, "d") <= limit;
        EXPECT_GT(NumberIn(row, "se_d"), 0.0);
        EXPECT_EQ(row.at("sites"), "895");
    }
    ASSERT_GT(kept, 0);
    ASSERT_LT(kept, 10);
    const CliResult some =
        RunCli({"dist", PrimatesFasta(), "--format", "tsv", "--max-d", "0.15"});
    EXPECT_EQ(ReadTsv(some.out).size(), static_cast<std::size_t>(kept));
    EXPECT_NE(some.err.find(std::to_string(10 - kept) + " pairs with d above 0.15"),
              std::string::npos)
        << some.err;
    EXPECT_EQ(RunCli({"dist", PrimatesFasta(), "--format", "tsv", "--threads", "1"}).out,
              all.out);
}

TEST(Dist, PairsWithoutADistanceAreNamed) {
    const ScratchFolder folder;
    const std::string path = folder.Write(
        "edges.fasta", ">a\nACGTACGTAC\n>b\nCATGCATGCA\n>c\nACGTACGTAA\n>d\n----------\n");
    const CliResult matrix = RunCli({"dist", path, "--model", "JC69"});
    EXPECT_EQ(matrix.status, 1);
    const Matrix m = ReadPhylip(matrix.out);
    EXPECT_EQ(m.cells[0][1], "-1");  // a and b differ everywhere: saturated
    EXPECT_EQ(m.cells[0][3], "-1");  // d has no site in common with anyone
    EXPECT_NE(m.cells[0][2], "-1");
    EXPECT_NE(matrix.err.find("a and b: too many differences"), std::string::npos);
    EXPECT_NE(matrix.err.find("a and d: no sites in common"), std::string::npos);
    EXPECT_NE(matrix.err.find("b and c: too many differences"), std::string::npos);
    EXPECT_NE(matrix.err.find("the matrix shows -1 for the 5 pairs"), std::string::npos)
        << matrix.err;

    const std::vector<Row> list =
        ReadTsv(RunCli({"dist", path, "--model", "JC69", "--format", "tsv"}).out);
    ASSERT_EQ(list.size(), 6u);
    EXPECT_EQ(list[0].at("d"), "inf");
    EXPECT_EQ(list[0].at("status"), "saturated");
    EXPECT_EQ(list[2].at("d"), "NA");
    EXPECT_EQ(list[2].at("status"), "unfittable");
}

}  // namespace
}  // namespace dyvern::testing
