// File > Open on data files and alignments, Report and Compare models: what a
// load shows and leaves alone, the question before an earlier file is
// replaced, and nothing written when a command fails.
#include <filesystem>
#include <fstream>

#include "support/app_fixture.h"

namespace dyvern::testing {
namespace {

// The alignment the sample comes from, gzipped: Human, Chimpanzee, Gorilla,
// Orangutan, Gibbon.
const std::string kPrimates = std::string(DYVERN_GOLDEN_DIR) + "/../align/data/primates.fasta.gz";

class FileCommands : public SampleAppTest {
protected:
    // File > Open answered with `path` (nothing: cancelled), then the pair
    // dialog when a button is given.
    void OpenPair(const std::optional<std::string>& path, DialogAnswer answer) {
        if (answer.button != 0) window->AnswerNextDialog(answer);
        window->AnswerNextFileDialog(path);
        Press(IDM_OPEN);
    }
};

TEST_F(FileCommands, HumanAndChimpanzeeGiveTheSampleTableAndALoadKeepsModelAndParameters) {
    window->ChooseModel(3);
    window->Type(IDC_PIA_EDIT, "0.4");
    window->Type(IDC_KAPPA_EDIT, "3");
    OpenPair(kPrimates, {0, 1, 0, IDC_PAIR_OK});
    EXPECT_EQ(TakeError(), "");
    EXPECT_EQ(window->title, "Dyvern - " + kPrimates + " (Human, Chimpanzee)");
    EXPECT_EQ(app->State().observed, SampleTable());
    EXPECT_EQ(app->State().modelKind, ModelKind::HKY85);
    EXPECT_EQ(Text(IDC_PIA_EDIT), "0.4");
    EXPECT_EQ(Text(IDC_KAPPA_EDIT), "3");
    OpenPair(kPrimates, {1, 0, 0, IDC_PAIR_OK});  // the other way round: the table transposed
    EXPECT_EQ(GridCell(IDC_OBSERVED_GRID, A, G), "14.0");
    EXPECT_EQ(window->title, "Dyvern - " + kPrimates + " (Chimpanzee, Human)");
    // A data file without a site count keeps the one loaded.
    Open(WriteDataFile("words.dat", "x 1 2 3"));
    EXPECT_EQ(app->State().siteCount, 895);
    EXPECT_EQ(GridCell(IDC_OBSERVED_GRID, A, A), "0.0");
}

TEST_F(FileCommands, CancelsAndBadFilesChangeNothing) {
    const std::string missing = (folder / "new.dat").string();
    const std::string unequal = WriteDataFile("bad.fasta", ">a\nACGT\n>b\nAC\n");
    const std::string damaged = WriteDataFile("bad.gz", "\x1f\x8b\x08 not deflate");
    const struct {
        const char* name;
        std::optional<std::string> path;
        DialogAnswer answer;
        std::string message;  // the start of the error box's text; "" for none
    } rows[] = {
        // A file named like the dialog's default in the current directory must
        // not be loaded behind the user's back.
        {"file dialog cancelled", std::nullopt, {}, ""},
        {"missing file", missing, {}, "Could not open file '" + missing + "'"},
        {"pair dialog cancelled", kPrimates, {0, 2, 0, IDC_PAIR_CANCEL}, ""},
        {"same twice", kPrimates, {3, 3, 0, IDC_PAIR_OK}, "Sequence 1 and sequence 2 are both"},
        {"unequal lengths", unequal, {}, unequal},  // the reader's own message, naming the file
        {"damaged gzip", damaged, {}, damaged},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        const int changes = window->changes;
        OpenPair(row.path, row.answer);
        EXPECT_EQ(window->changes, changes);
        const std::string error = TakeError();
        EXPECT_EQ(error.substr(0, row.message.size()), row.message);
        EXPECT_EQ(error.empty(), row.message.empty());
    }
    EXPECT_FALSE(std::filesystem::exists(missing));
    EXPECT_TRUE(app->State().dataLoaded);
}

TEST_F(FileCommands, TheAmbiguityChoiceDecidesWhatACodeCounts) {
    // Site 1 is A against A; site 2 is R (A or G) against A.
    const std::string path = WriteDataFile("r.fasta", ">one\nAR\n>two\nAA\n");
    OpenPair(path, {0, 1, IDC_AMBIGUITY_SKIP, IDC_PAIR_OK});
    EXPECT_EQ(app->State().siteCount, 1);
    OpenPair(path, {0, 1, IDC_AMBIGUITY_AVERAGE, IDC_PAIR_OK});
    EXPECT_EQ(GridCell(IDC_OBSERVED_GRID, G, A), "0.5");  // half of R is G
    OpenPair(path, {0, 1, IDC_AMBIGUITY_RESOLVE, IDC_PAIR_OK});
    EXPECT_EQ(GridCell(IDC_OBSERVED_GRID, A, A), "2.0");  // R taken as the A it meets
}

// The UTF-8 byte order mark a Windows editor may save a file with.
const std::string kMark = "\xEF\xBB\xBF";

TEST_F(FileCommands, AByteOrderMarkIsPassedOverAndAMarkWithBlanksIsAnEmptyFile) {
    Open(WriteDataFile("marked.dat", kMark + kWorkedTableFile));
    EXPECT_EQ(app->State().siteCount, 200);
    EXPECT_EQ(app->State().observed, WorkedTable());
    OpenPair(WriteDataFile("marked.fasta", kMark + ">one\nAR\n>two\nAA\n"),
             {0, 1, IDC_AMBIGUITY_SKIP, IDC_PAIR_OK});
    EXPECT_EQ(app->State().siteCount, 1);
    EXPECT_EQ(GridCell(IDC_OBSERVED_GRID, A, A), "1.0");

    // An empty file keeps the site count loaded and empties the table, and
    // says nothing; a mark changes none of that.
    for (const std::string& text :
         {std::string(), std::string(" \r\n\t"), kMark, kMark + " \r\n\t"}) {
        SCOPED_TRACE(text.size());
        Open(WriteDataFile("worked.dat", kWorkedTableFile));
        Open(WriteDataFile("empty.dat", text));
        EXPECT_EQ(TakeError(), "");
        EXPECT_EQ(app->State().siteCount, 200);
        EXPECT_EQ(app->State().observed, DivergenceCounts{});
        EXPECT_EQ(GridCell(IDC_OBSERVED_GRID, G, A), "0.0");
    }
}

TEST_F(FileCommands, TheFirstReportIsWrittenWithoutAQuestionALaterOneReplacesItOnlyOnYes) {
    Open(WriteDataFile("worked.dat", kWorkedTableFile));
    Press(IDC_REPORT);
    EXPECT_TRUE(window->messages.empty());
    EXPECT_EQ(window->started, std::vector<std::string>{"NOTEPAD.EXE " + ReportPath()});
    EXPECT_EQ(ReportLines().at(5), "   40.000000    2.000000    6.000000    2.000000");
    // Expected counts at bt = 0.1 under JC69: 200/16 (1 + 3 e^-0.1) on the diagonal.
    EXPECT_EQ(ReportLines().at(11).substr(0, 12), "   46.431403");

    // The tables as they stand: after Solve and an invalid text the expected
    // table is still the optimum's, where each count is the mean of its kind.
    std::ofstream(ReportPath()) << "old report\n" << std::string(30, '\n');
    Press(IDC_SOLVE);
    window->Type(IDC_BETAT_EDIT, "abc");
    window->AnswerNextMessage(MessageAnswer::No);
    Press(IDC_REPORT);
    ASSERT_EQ(window->messages.size(), 1u);
    EXPECT_EQ(window->messages[0].text, "Replace it");
    EXPECT_EQ(window->messages[0].style, MessageStyle::Question);
    EXPECT_EQ(ReportLines().at(0), "old report");
    EXPECT_EQ(window->started.size(), 1u);
    ReportReplacing();
    EXPECT_EQ(ReportLines().size(), 20u);  // the longer old file is replaced whole
    EXPECT_EQ(window->started.size(), 2u);
    EXPECT_NEAR(std::stod(ReportLines().at(11).substr(0, 12)), 40.0, 1e-5);
    EXPECT_NEAR(std::stod(ReportLines().at(11).substr(12, 12)), 40.0 / 12, 1e-5);
}

TEST_F(FileCommands, AReportThatCannotBeWrittenIsReportedAndNotOpened) {
    std::filesystem::create_directory(ReportPath());  // a folder where the file should go
    ReportReplacing();
    window->messages.erase(window->messages.begin());  // the question
    EXPECT_EQ(TakeError(), "Could not write the report file '" + ReportPath() + "'");
    EXPECT_TRUE(window->started.empty());
}

TEST_F(FileCommands, CompareModelsWritesNothingWithoutDataOrWithATableThatCannotBeFitted) {
    const struct {
        const char* name;
        const char* sample;  // nullptr: none beside the program
        std::string message;
    } rows[] = {
        {"no data", nullptr, "No data are loaded: open a data file first"},
        {"no sites", "0\n1 2 3 4\n", "The models cannot be fitted to this table: "},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        MoveProgramTo(row.name);
        if (row.sample) WriteDataFile("sample.dat", row.sample);
        Start();
        window->messages.clear();
        Press(IDM_COMPARE);
        EXPECT_EQ(TakeError().substr(0, row.message.size()), row.message);
        EXPECT_FALSE(std::filesystem::exists(folder / "models.txt"));
        EXPECT_TRUE(window->started.empty());
    }
}

}  // namespace
}  // namespace dyvern::testing
