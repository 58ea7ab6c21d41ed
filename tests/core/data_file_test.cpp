#include "data/data_file.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

namespace dyvern {
namespace {

constexpr int kPrevious = 57;              // site count of a previously loaded file
const std::string kMark = "\xEF\xBB\xBF";  // UTF-8 byte order mark

DataFileTable Read(const std::string& text) {
    std::istringstream in(text);
    return ReadDataFile(in, kPrevious);
}

DivergenceCounts Table(const std::vector<double>& rowMajor) {
    DivergenceCounts table{};
    for (std::size_t k = 0; k < rowMajor.size(); ++k) table[k / 4][k % 4] = rowMajor[k];
    return table;
}

TEST(ReadDataFile, SiteCountAndCells) {
    const std::vector<double> oneToSixteen = {1, 2,  3,  4,  5,  6,  7,  8,
                                              9, 10, 11, 12, 13, 14, 15, 16};
    const struct Case {
        std::string text;
        int siteCount;
        std::vector<double> cells;  // row major, the rest 0
    } cases[] = {
        {"\t 12\r\n1\t2\v3\f4 5 6 7 8\n\n9 10 11 12 13 14 15 16", 12, oneToSixteen},
        // Binary fractions adding up to 1: proportions, scaled exactly by n.
        {"200 0.125 0.5 0.03125 0.34375", 200, {25, 100, 6.25, 68.75}},
        // 1.00001 itself counts; below it, 1 included, the values are proportions.
        {"10 1.00001", 10, {1.00001}},
        {"10 -2 3", 10, {-20, 30}},
        {"0 0.25 0.25 0.25 0.25", 0, {}},
        // The site count reads as an integer of any base and ends where it does.
        {"010 5", 8, {5}},
        {"2147483647 5", 2147483647, {5}},
        {"100.0 1 2 3 4 5 6 7 8 9 10 11 12 13 14 15 16",
         100,
         {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15}},
        {"08 2", 0, {8, 2}},
        // Without a site count (or with one beyond int) the previous one stays
        // and every cell is 0.
        {"abc 1 2 3 4", kPrevious, {}},
        {"2147483648 1 2", kPrevious, {}},
        // A byte order mark opening the file is passed over, and only there;
        // part of one opens no number.
        {kMark + "12 1 2", 12, {1, 2}},
        {kMark + "0x10 5", 16, {5}},
        {kMark, kPrevious, {}},
        {kMark + " \r\n\t", kPrevious, {}},
        {" " + kMark + "12 1 2", kPrevious, {}},
        {kMark + kMark + "12 1 2", kPrevious, {}},
        {kMark.substr(0, 2) + "12 1 2", kPrevious, {}},
        {kMark.substr(0, 1) + "12 1 2", kPrevious, {}},
        // Missing values are 0, words after the sixteenth ignored.
        {"50 3 4 5", 50, {3, 4, 5}},
        {"16 1 2 3 4 5 6 7 8 9 10 11 12 13 14 15 16\n99 9 9 9 9 9 9 9 9 9 9 9 9 9 9 9 9", 16,
         oneToSixteen},
        {"9 12" + std::string(998, 'x') + " 3 7." + std::string(998, '0') + " 4", 9, {12, 3, 7, 4}},
        {"4 inf 2 nan 3 -inf infinity NAN 5", 4, {0, 2, 0, 3, 0, 0, 0, 5}},
        // Each value is the longest leading decimal number of its word.
        {"1 12abc -3.5 +3 .5 5. -.5e1 1.5e-2x 1e 1e-x +-1 ..5 0x10 3.25.5",
         1,
         {12, -3.5, 3, 0.5, 5, -5, 0.015, 1, 1, 0, 0, 0, 3.25}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text.substr(0, 60));
        const DataFileTable t = Read(c.text);
        EXPECT_EQ(t.siteCount, c.siteCount);
        EXPECT_EQ(t.counts, Table(c.cells));
    }
    EXPECT_DOUBLE_EQ(Read("10 1.000009").counts[A][A], 10.00009);
    // The caller's stream keeps its own settings.
    std::istringstream in("0x10 1 2");
    const auto flags = in.flags();
    EXPECT_EQ(ReadDataFile(in, kPrevious).siteCount, 16);
    EXPECT_EQ(in.flags(), flags);
}

}  // namespace
}  // namespace dyvern
