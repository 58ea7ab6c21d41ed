// File > Compare models: models.txt beside the program against known optima
// and closed forms, the cases where nothing is written, and how the text
// shows values that do not apply or are unbounded.
#include <cmath>
#include <filesystem>
#include <sstream>

#include "estimate/closed_forms.h"
#include "reports/comparison_text.h"
#include "support/app_fixture.h"
#include "support/test_tables.h"

namespace dyvern::testing {
namespace {

std::vector<std::string> Words(const std::string& line) {
    std::istringstream in(line);
    std::vector<std::string> words;
    for (std::string word; in >> word;) words.push_back(word);
    return words;
}

// The words of the row of `model` in the table whose title starts with `table`.
std::vector<std::string> Row(const std::vector<std::string>& lines, const std::string& table,
                             const std::string& model) {
    bool inside = false;
    for (const std::string& line : lines) {
        inside = line.rfind(table, 0) == 0 || (inside && !line.empty());
        if (inside && line.rfind(model + " ", 0) == 0) return Words(line);
    }
    return {};
}

using CompareModelsCommand = SampleAppTest;

TEST_F(CompareModelsCommand, WritesTheKnownOptimaAndOpensTheFile) {
    Press(IDM_COMPARE);
    const std::string path = (folder / "models.txt").string();
    EXPECT_EQ(window->started, std::vector<std::string>{"NOTEPAD.EXE " + path});
    const std::vector<std::string> lines = ReadLines(path);
    ASSERT_GT(lines.size(), 30u);
    EXPECT_EQ(lines[2], "Data: " + (folder / "sample.dat").string());
    EXPECT_EQ(lines[4], "Sites: 895");
    const DifferenceShares shares = SharesOf(SampleTable());
    const struct {
        const char* table;
        const char* model;
        int column;
        double known;
    } figures[] = {
        {"Information", "JC69", 1, -1594.692558},
        {"Information", "K80", 1, -1530.006297},
        {"Estimates", "K80", 2, 32.37011},
        {"d,", "JC69", 1, JukesCantorDistance(shares.p(), 895).d},
        {"d,", "K80", 1, KimuraDistance(shares.P, shares.Q, 895).d},
        {"d,", "K80", 2, std::sqrt(KimuraDistance(shares.P, shares.Q, 895).variance)},
        {"Likelihood-ratio", "JC69", 2, 2 * (1594.692558 - 1530.006297)},
    };
    for (const auto& f : figures) {
        const std::vector<std::string> row = Row(lines, f.table, f.model);
        ASSERT_GT(row.size(), static_cast<std::size_t>(f.column)) << f.table << " " << f.model;
        EXPECT_NEAR(std::stod(row[f.column]), f.known, 1e-5) << f.table << " " << f.model;
    }
    // HKY85 gains some 70 log units over F81 and K80 with one or three parameters more.
    EXPECT_EQ(lines.back(),
              "AIC prefers HKY85 (Hasegawa, Kishino & Yano 1985); "
              "BIC prefers HKY85 (Hasegawa, Kishino & Yano 1985).");
}

using CompareModelsRefused = AppTest;

TEST_F(CompareModelsRefused, WithoutDataOrWithATableThatCannotBeFitted) {
    const struct {
        const char* name;
        const char* sample;  // nullptr: none beside the program
        const char* message;
    } rows[] = {
        {"no data", nullptr, "No data are loaded: open a data file first"},
        {"no sites", "0\n1 2 3 4\n", "The models cannot be fitted to this table: "},
        {"negative count", "10\n5 -1 1 1\n", "The models cannot be fitted to this table: "},
    };
    for (const auto& row : rows) {
        MoveProgramTo(row.name);
        if (row.sample) WriteDataFile("sample.dat", row.sample);
        Start();
        window->messages.clear();
        Press(IDM_COMPARE);
        ASSERT_EQ(window->messages.size(), 1u) << row.name;
        EXPECT_EQ(window->messages[0].text.rfind(row.message, 0), 0u) << window->messages[0].text;
        EXPECT_EQ(window->messages[0].caption, "Dyvern error");
        EXPECT_FALSE(std::filesystem::exists(folder / "models.txt")) << row.name;
        EXPECT_TRUE(window->started.empty()) << row.name;
    }
}

TEST(ComparisonText, ShowsWhatDoesNotApplyAsADashAndTheUnboundedAsInf) {
    ModelComparison comparison;  // every figure not determined
    comparison.fits[2].kappa = std::numeric_limits<double>::infinity();
    comparison.fits[2].status = FitStatus::NoTransversions;
    const std::string text = ComparisonText({"x.dat", "Human, Chimpanzee", 7}, comparison);
    EXPECT_NE(text.find("Pair: Human, Chimpanzee\nSites: 7\n"), std::string::npos);
    std::istringstream in(text);
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    EXPECT_EQ(
        Row(lines, "Estimates", "K80"),
        (std::vector<std::string>{"K80", "-", "inf", "-", "-", "-", "-", "no-transversions"}));
    EXPECT_EQ(lines.back(), "The models cannot be ranked on this table.");
}

}  // namespace
}  // namespace dyvern::testing
