// models.txt against the command line: every heading of its sections is the
// label of a column of a record's table, and under it stands, to six
// decimals, what fit and compare write under that column's name.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <sstream>
#include <variant>

#include "align/input.h"
#include "cli_runner.h"
#include "estimate/model_comparison.h"
#include "pair_source.h"
#include "report/comparison_records.h"
#include "report/comparison_text.h"
#include "report/fit_record.h"

namespace dyvern::testing {
namespace {

using Words = std::vector<std::string>;

struct Section {
    Words headings;
    std::vector<Words> rows;
};

Words WordsOf(const std::string& line) {
    std::istringstream in(line);
    Words words;
    for (std::string word; in >> word;) words.push_back(word);
    return words;
}

// The four tables between the data lines and the preference, in order.
std::vector<Section> Sections(const std::string& text) {
    std::vector<Section> sections;
    std::istringstream in(text);
    std::string line;
    while (std::getline(in, line) && !line.empty()) {
    }  // the title
    while (std::getline(in, line) && !line.empty()) {
    }  // the data
    while (std::getline(in, line) && std::getline(in, line)) {
        Section& section = sections.emplace_back(Section{WordsOf(line), {}});
        while (std::getline(in, line) && !line.empty()) section.rows.push_back(WordsOf(line));
    }
    return sections;
}

// The column each heading labels, by name; a heading that labels no column,
// or more than one, fails.
template <class Record, std::size_t N>
Words NamesUnder(const Column<Record> (&table)[N], const Words& headings) {
    Words names;
    for (const std::string& heading : headings) {
        Words labelled;
        for (const Column<Record>& column : table)
            if (heading == column.Label()) labelled.push_back(column.name);
        EXPECT_EQ(labelled.size(), 1u) << heading;
        names.push_back(labelled.empty() ? "" : labelled[0]);
    }
    return names;
}

// A cell of models.txt against the TSV text of the same quantity.
void ExpectShows(const std::string& cell, const std::string& tsv) {
    char* end = nullptr;
    const double number = std::strtod(tsv.c_str(), &end);
    if (tsv == "NA") {
        EXPECT_EQ(cell, "-");
    } else if (*end == '\0' && std::isfinite(number)) {
        // Ten significant digits against six decimals.
        EXPECT_NEAR(std::stod(cell), number, 5.000001e-7 + 5e-10 * std::fabs(number)) << tsv;
    } else if (tsv == "d-high-infinite") {
        EXPECT_EQ(cell, "ok");  // its interval's upper end shows inf beside it
    } else {
        EXPECT_EQ(cell, tsv);
    }
}

template <class Record, std::size_t N>
void ExpectSection(const Section& section, const Column<Record> (&table)[N],
                   const std::vector<Row>& records) {
    const Words names = NamesUnder(table, section.headings);
    ASSERT_EQ(section.rows.size(), records.size());
    for (std::size_t r = 0; r < records.size(); ++r) {
        ASSERT_EQ(section.rows[r].size(), names.size());
        for (std::size_t c = 0; c < names.size(); ++c) {
            SCOPED_TRACE(section.headings[c] + " of row " + std::to_string(r));
            ExpectShows(section.rows[r][c], records[r].at(names[c]));
        }
    }
}

// The table of `words`: a data file, or an alignment and a pair.
cli::NamedTable TableOf(const Words& words) {
    const Input input = ReadInput(words[0]);
    if (const auto* table = std::get_if<DataFileTable>(&input.content))
        return {words[0], "-", table->counts, table->siteCount};
    const Alignment& alignment = std::get<Alignment>(input.content);
    return cli::TableOf(alignment, IndexOfName(alignment, words[2]),
                        IndexOfName(alignment, words[3]), Ambiguity::Skip);
}

std::string Output(Words command, const Words& input) {
    command.insert(command.begin() + 1, input.begin(), input.end());
    return RunCli(command).out;
}

TEST(ModelsText, EachSectionShowsUnderTheLabelsOfARecordsColumnsWhatTheCommandLineWrites) {
    const ScratchFile open("open.dat", "10\n1 1 1 0\n1 2 0 1\n0 0 1 1\n1 0 0 0\n");
    const std::vector<Words> inputs = {{kSample},
                                       {kPrimates, "--pair", "Human", "Chimpanzee"},
                                       {kPrimates, "--pair", "Gibbon", "Orangutan"},
                                       {kPrimates, "--pair", "Gorilla", "Human"},
                                       {open.Path()}};
    for (const Words& input : inputs) {
        SCOPED_TRACE(input.back());
        const cli::NamedTable table = TableOf(input);
        const std::vector<Section> sections = Sections(ComparisonText(
            {input[0], "", table.siteCount}, CompareModels(table.counts, table.siteCount)));
        const std::vector<Row> fits = ReadTsv(Output({"fit", "--criterion", "ml"}, input));
        const std::string compare = Output({"compare"}, input);
        ASSERT_EQ(sections.size(), 4u);
        ExpectSection(sections[0], kFitColumns, fits);
        ExpectSection(sections[1], kFitColumns, fits);
        ExpectSection(sections[2], kModelColumns, ReadTsv(compare));  // the models, before a blank
        ExpectSection(sections[3], kTestColumns, ReadTsv(compare.substr(compare.find("\n\n") + 2)));
    }
}

}  // namespace
}  // namespace dyvern::testing
