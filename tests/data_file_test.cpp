#include "data/data_file.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>

namespace dyvern {
namespace {

constexpr int kPrevious = 57;  // site count of a previously loaded file

DataFileTable Read(const std::string& text, int previous = kPrevious) {
    std::istringstream in(text);
    return ReadDataFile(in, previous);
}

DivergenceCounts Table(std::initializer_list<double> rowMajor) {
    DivergenceCounts table{};
    int index = 0;
    for (const double value : rowMajor) {
        table[index / 4][index % 4] = value;
        ++index;
    }
    return table;
}

TEST(ReadDataFile, CountsAreTakenAsRead) {
    const DataFileTable t = Read("895\n262 1 8 2\n1 266 0 29\n14 0 82 0\n1 23 0 206\n");
    EXPECT_EQ(t.siteCount, 895);
    EXPECT_EQ(t.counts, Table({262, 1, 8, 2, 1, 266, 0, 29, 14, 0, 82, 0, 1, 23, 0, 206}));
}

TEST(ReadDataFile, WordsMaySpanLinesAndAnyWhiteSpace) {
    const DataFileTable t = Read("\t 12\r\n1\t2\v3\f4 5 6 7 8\n\n9 10 11 12 13 14 15 16");
    EXPECT_EQ(t.siteCount, 12);
    EXPECT_EQ(t.counts, Table({1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16}));
}

TEST(ReadDataFile, ProportionsAreScaledBySiteCount) {
    // Binary fractions, so the sum is exactly 1 and every product exact.
    const DataFileTable t = Read(
        "200 0.125 0.03125 0.0625 0.03125  0.03125 0.125 0.03125 0.0625"
        "    0.0625 0.03125 0.125 0.03125  0.03125 0.0625 0.03125 0.125");
    EXPECT_EQ(t.siteCount, 200);
    EXPECT_EQ(t.counts, Table({25, 6.25, 12.5, 6.25, 6.25, 25, 6.25, 12.5, 12.5, 6.25, 25, 6.25,
                               6.25, 12.5, 6.25, 25}));
}

TEST(ReadDataFile, SumLimitSeparatesProportionsFromCounts) {
    // 1.00001 itself counts; anything below it, 1 included, is scaled.
    EXPECT_EQ(Read("10 1.00001").counts[A][A], 1.00001);
    EXPECT_DOUBLE_EQ(Read("10 1.000009").counts[A][A], 10.00009);
    EXPECT_EQ(Read("10 0.5 0.5").counts, Table({5, 5}));
    // Negative values are accepted; their small sum makes them proportions.
    EXPECT_EQ(Read("10 -2 3").counts, Table({-20, 30}));
}

TEST(ReadDataFile, ZeroSiteCountTurnsProportionsIntoZeros) {
    const DataFileTable t = Read("0 0.25 0.25 0.25 0.25");
    EXPECT_EQ(t.siteCount, 0);
    EXPECT_EQ(t.counts, DivergenceCounts{});
}

TEST(ReadDataFile, SiteCountReadsLikeAnIntegerOfAnyBase) {
    EXPECT_EQ(Read("010 5").siteCount, 8);
    EXPECT_EQ(Read("0x10 5").siteCount, 16);
    EXPECT_EQ(Read("0X1f 5").siteCount, 31);
    EXPECT_EQ(Read("-010 5").siteCount, -8);
    EXPECT_EQ(Read("+25 5").siteCount, 25);
    EXPECT_EQ(Read("2147483647 5").siteCount, 2147483647);
    EXPECT_EQ(Read("-2147483648 5").siteCount, -2147483647 - 1);
}

TEST(ReadDataFile, SiteCountStopsWhereTheIntegerEnds) {
    // ".0" becomes the A-A cell, so every value lands one cell late and the
    // 16th is never read.
    const DataFileTable t = Read("100.0 1 2 3 4 5 6 7 8 9 10 11 12 13 14 15 16");
    EXPECT_EQ(t.siteCount, 100);
    EXPECT_EQ(t.counts, Table({0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15}));
    // Octal digits end at 8: "08" is 0 followed by the word "8".
    const DataFileTable octal = Read("08 2");
    EXPECT_EQ(octal.siteCount, 0);
    EXPECT_EQ(octal.counts, Table({8, 2}));
    const DataFileTable exponent = Read("1e3 7 8");
    EXPECT_EQ(exponent.siteCount, 1);
    EXPECT_EQ(exponent.counts, Table({0, 7, 8}));
}

TEST(ReadDataFile, NoSiteCountKeepsThePreviousOneAndReadsZeros) {
    for (const char* text : {"abc 1 2 3 4", "", "   \n", "-x 5 6", ".5 1 2"}) {
        SCOPED_TRACE(text);
        const DataFileTable t = Read(text);
        EXPECT_EQ(t.siteCount, kPrevious);
        EXPECT_EQ(t.counts, DivergenceCounts{});
    }
}

TEST(ReadDataFile, SiteCountBeyondIntCountsAsNoInteger) {
    for (const char* text : {"2147483648 1 2", "-2147483649 1 2", "99999999999999999999 1 2"}) {
        SCOPED_TRACE(text);
        const DataFileTable t = Read(text);
        EXPECT_EQ(t.siteCount, kPrevious);
        EXPECT_EQ(t.counts, DivergenceCounts{});
    }
}

TEST(ReadDataFile, MissingValuesAreZeroAndExtraWordsIgnored) {
    EXPECT_EQ(Read("50 3 4 5").counts, Table({3, 4, 5}));
    const DataFileTable twoTables = Read(
        "16 1 2 3 4 5 6 7 8 9 10 11 12 13 14 15 16\n"
        "99 9 9 9 9 9 9 9 9 9 9 9 9 9 9 9 9");
    EXPECT_EQ(twoTables.siteCount, 16);
    EXPECT_EQ(twoTables.counts, Table({1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16}));
}

TEST(ReadDataFile, WordsOfAnyLength) {
    const std::string longWord = "12" + std::string(998, 'x');
    const std::string longNumber = "7." + std::string(998, '0');
    ASSERT_EQ(longWord.size(), 1000u);
    const DataFileTable t = Read("9 " + longWord + " 3 " + longNumber + " 4");
    EXPECT_EQ(t.counts, Table({12, 3, 7, 4}));
}

TEST(ReadDataFile, InfinityAndNanWordsReadAsZero) {
    const DataFileTable t = Read("4 inf 2 nan 3 -inf infinity NAN 5");
    EXPECT_EQ(t.counts, Table({0, 2, 0, 3, 0, 0, 0, 5}));
}

TEST(ReadDataFile, LeavesTheCallersStreamSettingsAlone) {
    std::istringstream in("0x10 1 2");
    const auto flags = in.flags();
    EXPECT_EQ(ReadDataFile(in, kPrevious).siteCount, 16);
    EXPECT_EQ(in.flags(), flags);
}

TEST(ValueOfWord, LongestLeadingDecimalNumber) {
    struct Case {
        const char* word;
        double value;
    };
    const Case cases[] = {
        {"12abc", 12}, {"abc", 0},  {"1e2", 100}, {"", 0},          {"-3.5", -3.5},
        {"+3", 3},     {".5", 0.5}, {"5.", 5},    {"-.5e1", -5},    {"1.5e-2x", 0.015},
        {"2E+1", 20},  {"1e", 1},   {"1e+", 1},   {"1e-x", 1},      {".", 0},
        {"-", 0},      {"+-1", 0},  {"..5", 0},   {"0x1p3", 0},     {"0x10", 0},
        {"inf", 0},    {"-nan", 0}, {"1,5", 1},   {"3.25.5", 3.25},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.word);
        EXPECT_DOUBLE_EQ(ValueOfWord(c.word), c.value);
    }
}

}  // namespace
}  // namespace dyvern
