// dist --format phylip-lower: the square matrix's lower triangle, each pair
// computed once, with -1 where a pair has no distance.
#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

#include "cli_runner.h"

namespace dyvern::testing {
namespace {

using Cells = std::vector<std::vector<std::string>>;

// Each line's words after the count line: the name, then the cells.
Cells Words(const std::string& text) {
    std::istringstream in(text);
    std::string line;
    std::getline(in, line);
    Cells rows;
    while (std::getline(in, line)) {
        std::istringstream words(line);
        rows.emplace_back();
        for (std::string word; words >> word;) rows.back().push_back(word);
    }
    return rows;
}

// Standard error's lines in any order: the lower triangle names its pairs
// column by column.
std::vector<std::string> SortedLines(const std::string& text) {
    std::istringstream in(text);
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    std::sort(lines.begin(), lines.end());
    return lines;
}

TEST(LowerMatrix, TheSquaresLowerTriangleOnAnyThreadCount) {
    const struct {
        std::string file, model;
        int status;
    } cases[] = {
        {kPrimates, "HKY85", 0},
        {kCliData + "/awkward.fasta", "JC69", 1},  // pairs without a distance: -1
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file + " " + c.model);
        const CliResult square = RunCli({"dist", c.file, "--model", c.model});
        const Cells full = Words(square.out);
        for (const char* threads : {"1", "3"}) {
            const CliResult lower = RunCli({"dist", c.file, "--model", c.model, "--format",
                                            "phylip-lower", "--threads", threads});
            EXPECT_EQ(lower.status, c.status);
            EXPECT_EQ(SortedLines(lower.err), SortedLines(square.err));
            EXPECT_EQ(lower.out.substr(0, lower.out.find('\n')),
                      square.out.substr(0, square.out.find('\n')));
            const Cells cells = Words(lower.out);
            ASSERT_EQ(cells.size(), full.size());
            for (std::size_t i = 0; i < cells.size(); ++i) {
                const std::vector<std::string> expected(full[i].begin(), full[i].begin() + 1 + i);
                EXPECT_EQ(cells[i], expected) << "row " << i;
            }
        }
    }
}

TEST(LowerMatrix, NamesPaddedAsInTheSquare) {
    const CliResult lower = RunCli({"dist", kPrimates, "--format", "phylip-lower"});
    EXPECT_EQ(lower.out.rfind("5\nHuman     \nChimpanzee 0.", 0), 0u) << lower.out;
    EXPECT_NE(lower.out.find("\nGorilla   0."), std::string::npos) << lower.out;
    const CliResult limited =
        RunCli({"dist", kPrimates, "--format", "phylip-lower", "--max-d", "0.1"});
    EXPECT_EQ(limited.status, 2);
    EXPECT_NE(limited.err.find("--max-d keeps pairs of a list"), std::string::npos);
}

}  // namespace
}  // namespace dyvern::testing
