// File > Compare models: models.txt beside the program against known optima
// and closed forms, the cases where nothing is written, and the text's
// treatment of values that do not apply or are unbounded.
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "estimate/closed_forms.h"
#include "estimate/pair_fit.h"
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

class CompareModelsCommand : public SampleAppTest {
protected:
    std::string ModelsPath() const { return (folder / "models.txt").string(); }
    // The number in `column` of the row of `model` in the table whose title starts so.
    double Figure(const std::string& table, const std::string& model, int column) const {
        const std::vector<std::string> lines = ReadLines(ModelsPath());
        auto line = std::find_if(lines.begin(), lines.end(),
                                 [&](const std::string& l) { return l.rfind(table, 0) == 0; });
        for (; line != lines.end() && !line->empty(); ++line) {
            const std::vector<std::string> words = Words(*line);
            if (!words.empty() && words[0] == model) return std::stod(words.at(column));
        }
        ADD_FAILURE() << "no row " << model << " in " << table;
        return 0.0;
    }
    std::string Best(const std::string& criterionColumn) const {
        const int column = criterionColumn == "AIC" ? 3 : 5;
        std::string best;
        for (const char* model : {"JC69", "F81", "K80", "HKY85"})
            if (best.empty() ||
                Figure("Information", model, column) < Figure("Information", best, column))
                best = model;
        return best;
    }
};

TEST_F(CompareModelsCommand, WritesTheKnownOptimaAndOpensTheFile) {
    Press(IDM_COMPARE);
    EXPECT_EQ(window->started, std::vector<std::string>{"NOTEPAD.EXE " + ModelsPath()});
    const std::vector<std::string> lines = ReadLines(ModelsPath());
    ASSERT_GT(lines.size(), 30u);
    EXPECT_EQ(lines[2], "Data: " + (folder / "sample.dat").string());
    EXPECT_EQ(lines[4], "Sites: 895");
    EXPECT_NEAR(Figure("Information", "JC69", 1), -1594.692558, 1e-6);
    EXPECT_NEAR(Figure("Information", "K80", 1), -1530.006297, 1e-6);
    EXPECT_NEAR(Figure("Estimates", "K80", 2), 32.37011, 1e-5);
    const DivergenceCounts sample = SampleTable();
    const DifferenceShares shares = SharesOf(sample);
    EXPECT_NEAR(Figure("d,", "JC69", 1), JukesCantorDistance(shares.p(), 895).d, 1e-6);
    EXPECT_NEAR(Figure("d,", "K80", 1), KimuraDistance(shares.P, shares.Q, 895).d, 1e-6);
    const PairFit hky = FitPair(sample, 895, ModelKind::HKY85, Criterion::MaxLikelihood);
    EXPECT_NEAR(Figure("d,", "HKY85", 2), hky.seD, 1e-6);
    EXPECT_NEAR(Figure("Estimates", "HKY85", 4), hky.pi[C], 1e-6);
    // Each column of weights adds up to one; the sentence names the smallest AIC and BIC.
    for (const int column : {6, 7}) {
        double sum = 0.0;
        for (const char* model : {"JC69", "F81", "K80", "HKY85"})
            sum += Figure("Information", model, column);
        EXPECT_NEAR(sum, 1.0, 4e-6) << column;
    }
    const std::string sentence = lines.back();
    EXPECT_EQ(sentence.rfind("AIC prefers " + Best("AIC") + " (", 0), 0u) << sentence;
    EXPECT_NE(sentence.find("BIC prefers " + Best("BIC") + " ("), std::string::npos) << sentence;
    // The JC69-K80 test: twice the gain in lnL on one degree of freedom.
    EXPECT_NEAR(Figure("Likelihood-ratio", "JC69", 2), 2 * (1594.692558 - 1530.006297), 1e-5);
    EXPECT_EQ(Figure("Likelihood-ratio", "JC69", 3), 1);
}

TEST_F(CompareModelsCommand, AnEarlierFileIsReplacedOnlyOnYes) {
    std::ofstream(ModelsPath()) << "old\n";
    window->AnswerNextMessage(MessageAnswer::No);
    Press(IDM_COMPARE);
    ASSERT_EQ(window->messages.size(), 1u);
    EXPECT_EQ(window->messages[0].text, "Replace it");
    EXPECT_EQ(window->messages[0].caption, "Model comparison file already exists");
    EXPECT_EQ(ReadLines(ModelsPath()), std::vector<std::string>{"old"});
    EXPECT_TRUE(window->started.empty());
    window->AnswerNextMessage(MessageAnswer::Yes);
    Press(IDM_COMPARE);
    EXPECT_GT(ReadLines(ModelsPath()).size(), 30u);
    EXPECT_EQ(window->started.size(), 1u);
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
    const std::size_t row = text.find("\nK80 ");
    ASSERT_NE(row, std::string::npos);
    EXPECT_EQ(
        Words(text.substr(row, text.find('\n', row + 1) - row)),
        (std::vector<std::string>{"K80", "-", "inf", "-", "-", "-", "-", "no-transversions"}));
    EXPECT_EQ(text.find("nan"), std::string::npos);
    EXPECT_NE(text.find("The models cannot be ranked"), std::string::npos);
}

}  // namespace
}  // namespace dyvern::testing
