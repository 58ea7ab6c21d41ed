// The window's models.txt against the command line: every heading of its
// sections is the label of a column of a record's table, and under it stands,
// to six decimals, what fit and compare write under that column's name for
// the same table: the nine models, the tests of the nested pairs and of
// symmetry, with the note on a table that is not symmetric where compare
// writes it.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <sstream>

#include "cli_runner.h"
#include "report/comparison_records.h"
#include "report/fit_record.h"
#include "support/app_fixture.h"

namespace dyvern::testing {
namespace {

using Words = std::vector<std::string>;

struct Section {
    Words headings;
    std::vector<Words> rows;
    std::vector<std::string> notes;  // lines after the rows that are not rows
};

Words WordsOf(const std::string& line) {
    std::istringstream in(line);
    Words words;
    for (std::string word; in >> word;) words.push_back(word);
    return words;
}

// The tables after the title and the data, each under its title and headed
// by the label of its rows' names.
std::vector<Section> Sections(const std::string& text) {
    std::vector<Section> sections;
    std::istringstream in(text);
    std::string line;
    for (int skipped = 0; skipped < 2 && std::getline(in, line);) skipped += line.empty();
    Section* section = nullptr;
    while (std::getline(in, line)) {
        const Words words = WordsOf(line);
        if (words.empty()) {
            section = nullptr;
        } else if (!section && (words[0] == "Model" || words[0] == "Null" || words[0] == "Test")) {
            section = &sections.emplace_back(Section{words, {}, {}});
        } else if (section && section->notes.empty() && words.size() == section->headings.size()) {
            section->rows.push_back(words);
        } else if (section) {
            section->notes.push_back(line);
        }
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

class ModelsText : public SampleAppTest {
protected:
    // File > Open of the input, its pair chosen in the dialog by the
    // sequences' places, then Compare models.
    std::string CompareInWindow(const Words& input, DialogAnswer pair) {
        if (pair.button != 0) window->AnswerNextDialog(pair);
        Open(input[0]);
        std::filesystem::remove(folder / "models.txt");
        Press(IDM_COMPARE);
        EXPECT_EQ(TakeError(), "");
        return FileBytes((folder / "models.txt").string());
    }
};

CliResult RunOn(Words command, const Words& input) {
    command.insert(command.begin() + 1, input.begin(), input.end());
    return RunCli(command);
}

TEST_F(ModelsText, EachSectionShowsUnderTheLabelsOfARecordsColumnsWhatTheCommandLineWrites) {
    const ScratchFile open("open.dat", "10\n1 1 1 0\n1 2 0 1\n0 0 1 1\n1 0 0 0\n");
    const ScratchFile rich("rich.dat", "474\n100 3 20 3\n3 100 3 5\n5 3 100 3\n3 20 3 100\n");
    const struct {
        Words input;
        DialogAnswer pair;  // in the window
    } inputs[] = {{{kSample}, {}},
                  {{kPrimates, "--pair", "Human", "Chimpanzee"}, {0, 1, 0, IDC_PAIR_OK}},
                  {{kPrimates, "--pair", "Gibbon", "Orangutan"}, {4, 3, 0, IDC_PAIR_OK}},
                  {{kPrimates, "--pair", "Gorilla", "Human"}, {2, 0, 0, IDC_PAIR_OK}},
                  {{open.Path()}, {}},
                  {{rich.Path()}, {}}};
    for (const auto& [input, pair] : inputs) {
        SCOPED_TRACE(input.back());
        const std::vector<Section> sections = Sections(CompareInWindow(input, pair));
        const std::vector<Row> fits = ReadTsv(
            RunOn({"fit", "--criterion", "ml", "--model", kLikelihoodModelList}, input).out);
        const CliResult compare = RunOn({"compare"}, input);
        const std::vector<std::vector<Row>> blocks = ReadTsvBlocks(compare.out);
        ASSERT_EQ(fits.size(), 9u);
        ASSERT_EQ(blocks.size(), 3u);
        ASSERT_EQ(sections.size(), 6u);
        for (int s = 0; s < 3; ++s) ExpectSection(sections[s], kFitColumns, fits);
        ExpectSection(sections[3], kModelColumns, blocks[0]);
        ExpectSection(sections[4], kTestColumns, blocks[1]);
        ExpectSection(sections[5], kSymmetryColumns, blocks[2]);
        for (int s = 0; s < 5; ++s) EXPECT_TRUE(sections[s].notes.empty()) << s;
        const bool rejected = compare.err.find("not symmetric at 5%") != std::string::npos;
        EXPECT_EQ(!sections[5].notes.empty(), rejected);
        EXPECT_EQ(rejected, input[0] == rich.Path());
    }
}

}  // namespace
}  // namespace dyvern::testing
