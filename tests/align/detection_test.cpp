// Telling inputs apart by content: every data file stays a data file.
#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "align/input.h"

namespace dyvern {
namespace {

void ExpectDataFile(const Input& input, const DataFileTable& expected) {
    ASSERT_EQ(input.kind, InputKind::DataFile);
    EXPECT_STREQ(input.FormatName(), "data file");
    const auto* table = std::get_if<DataFileTable>(&input.content);
    ASSERT_NE(table, nullptr);
    EXPECT_EQ(table->siteCount, expected.siteCount);
    EXPECT_EQ(table->counts, expected.counts);
}

TEST(DataFile, SampleReadsAsTheWindowReadsItPlainGzippedOrOnOneLine) {
    std::ifstream in(DYVERN_SAMPLE_DATA);
    const DataFileTable sample = ReadDataFile(in, 0);
    ExpectDataFile(ReadInput(DYVERN_SAMPLE_DATA), sample);
    const Input gzipped = ReadInput(std::string(DYVERN_ALIGN_DATA) + "/sample.dat.gz");
    ExpectDataFile(gzipped, sample);
    EXPECT_TRUE(gzipped.gzipped);
    ExpectDataFile(ParseInput("895 262\n1 8 2 1 266 0 29 14 0 82 0 1 23 0 206", "two.dat"), sample);
}

TEST(Detection, ByFirstCharacterWordOrLine) {
    const struct {
        const char* text;
        InputKind kind;
    } cases[] = {
        {"\n  \t>x", InputKind::Fasta},
        {"\xEF\xBB\xBF>x", InputKind::Fasta},
        {"  #nexus\n", InputKind::Nexus},
        {"#Nexus[written by hand]", InputKind::Nexus},
        {"#NEXUSX", InputKind::DataFile},
        {"\r\n2\t4\r\nx ACGT", InputKind::Phylip},
        {"5 895 i\nHuman ACGT", InputKind::DataFile},
        {"0 4\nx ACGT", InputKind::DataFile},
        {"5 895", InputKind::DataFile},
        {"2 4\n1 2 3 -4.5e1", InputKind::DataFile},
        {"ACGT\nACGT", InputKind::DataFile},
    };
    for (const auto& c : cases) EXPECT_EQ(DetectInputKind(c.text), c.kind) << c.text;
}

}  // namespace
}  // namespace dyvern
