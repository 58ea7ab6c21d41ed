// Telling inputs apart by content: every data file stays a data file.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>

#include "align/input.h"

namespace dyvern {
namespace {

const std::string kData = DYVERN_ALIGN_DATA;

DataFileTable WindowReading(const std::string& path) {
    std::ifstream in(path);
    return ReadDataFile(in, 0);
}

void ExpectDataFile(const Input& input, const DataFileTable& expected) {
    ASSERT_EQ(input.kind, InputKind::DataFile);
    EXPECT_STREQ(input.FormatName(), "data file");
    const auto* table = std::get_if<DataFileTable>(&input.content);
    ASSERT_NE(table, nullptr);
    EXPECT_EQ(table->siteCount, expected.siteCount);
    EXPECT_EQ(table->counts, expected.counts);
}

TEST(DataFile, SampleReadsAsTheWindowReadsIt) {
    const DataFileTable sample = WindowReading(DYVERN_SAMPLE_DATA);
    ExpectDataFile(ReadInput(DYVERN_SAMPLE_DATA), sample);
    const Input gzipped = ReadInput(kData + "/sample.dat.gz");
    ExpectDataFile(gzipped, sample);
    EXPECT_TRUE(gzipped.gzipped);
}

TEST(DataFile, OneLineAndTwoNumberFirstLineStayDataFiles) {
    const DataFileTable sample = WindowReading(DYVERN_SAMPLE_DATA);
    ExpectDataFile(ParseInput("895 262 1 8 2 1 266 0 29 14 0 82 0 1 23 0 206\n", "one.dat"),
                   sample);
    ExpectDataFile(ParseInput("895 262\n1 8 2 1 266 0 29 14 0 82 0 1 23 0 206", "two.dat"), sample);
}

TEST(DataFile, ProportionsAreScaledByTheSiteCount) {
    DataFileTable expected;
    expected.siteCount = 100;
    for (int i = 0; i < 4; ++i) expected.counts[i][i] = 25;
    ExpectDataFile(ParseInput("100\n.25 0 0 0\n0 .25 0 0\n0 0 .25 0\n0 0 0 .25\n", "p.dat"),
                   expected);
}

TEST(Detection, ByFirstCharacterWordOrLine) {
    struct Case {
        const char* text;
        InputKind kind;
    };
    const Case cases[] = {
        {">x", InputKind::Fasta},
        {"\n  \t>x", InputKind::Fasta},
        {"\xEF\xBB\xBF>x", InputKind::Fasta},
        {"#NEXUS", InputKind::Nexus},
        {"  #nexus\n", InputKind::Nexus},
        {"#Nexus[written by hand]", InputKind::Nexus},
        {"#NEXUSX", InputKind::DataFile},
        {" 5 895\nHuman ACGT", InputKind::Phylip},
        {"\r\n2\t4\r\nx ACGT", InputKind::Phylip},
        {"5 895 i\nHuman ACGT", InputKind::DataFile},
        {"0 4\nx ACGT", InputKind::DataFile},
        {"5 895", InputKind::DataFile},
        {"2 4\n1 2 3 -4.5e1", InputKind::DataFile},
        {"895", InputKind::DataFile},
        {"ACGT\nACGT", InputKind::DataFile},
    };
    for (const Case& c : cases) EXPECT_EQ(DetectInputKind(c.text), c.kind) << c.text;
}

}  // namespace
}  // namespace dyvern
