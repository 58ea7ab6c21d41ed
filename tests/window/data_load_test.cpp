// Loading data files and alignments through File > Open, and what a load
// leaves alone.
#include <filesystem>

#include "dialogs/pair_dialog.h"
#include "support/app_fixture.h"
#include "support/test_tables.h"

namespace dyvern::testing {
namespace {

using DataLoad = SampleAppTest;

TEST_F(DataLoad, ALoadShowsTheFileAndKeepsModelAndParameters) {
    window->ChooseModel(3);
    window->Type(IDC_PIA_EDIT, "0.4");
    window->Type(IDC_KAPPA_EDIT, "3");
    const std::string path = WriteDataFile("p.dat",
                                           "200 0.2 0.01 0.03 0.01 0.01 0.2 0.01 0.03 "
                                           "0.03 0.01 0.2 0.01 0.01 0.03 0.01 0.2");
    Open(path);
    EXPECT_EQ(window->title, "Dyvern - " + path);
    EXPECT_EQ(GridCell(IDC_OBSERVED_GRID, A, A), "40.0");  // proportions of n = 200
    EXPECT_EQ(GridCell(IDC_OBSERVED_GRID, T, C), "6.0");
    EXPECT_TRUE(window->messages.empty());
    EXPECT_EQ(app->State().modelKind, ModelKind::HKY85);
    EXPECT_EQ(Text(IDC_PIA_EDIT), "0.4");
    EXPECT_EQ(Text(IDC_KAPPA_EDIT), "3");
}

TEST_F(DataLoad, CancellingTheDialogChangesNothing) {
    const int changes = window->changes;
    // A file named like the dialog's default in the current directory must
    // not be loaded behind the user's back.
    window->AnswerNextFileDialog(std::nullopt);
    Press(IDM_OPEN);
    EXPECT_EQ(window->changes, changes);
    EXPECT_TRUE(app->State().dataLoaded);
    EXPECT_TRUE(window->messages.empty());
}

TEST_F(DataLoad, AMissingFileIsReportedAndAFileWithoutASiteCountKeepsTheLoadedOne) {
    const std::string missing = (folder / "new.dat").string();
    const std::string title = window->title;
    Open(missing);
    ASSERT_EQ(window->messages.size(), 1u);
    EXPECT_EQ(window->messages[0].text, "Could not open file '" + missing + "'");
    EXPECT_FALSE(std::filesystem::exists(missing));
    EXPECT_EQ(window->title, title);
    EXPECT_EQ(GridCell(IDC_OBSERVED_GRID, A, A), "262.0");
    Open(WriteDataFile("words.dat", "x 1 2 3"));
    EXPECT_EQ(app->State().siteCount, 895);
    EXPECT_EQ(GridCell(IDC_OBSERVED_GRID, A, A), "0.0");
}

// The alignment the sample comes from, gzipped: Human, Chimpanzee, Gorilla,
// Orangutan, Gibbon.
const std::string kPrimates = std::string(DYVERN_GOLDEN_DIR) + "/../align/data/primates.fasta.gz";

class AlignmentLoad : public SampleAppTest {
protected:
    // What the screen and the state show, to see that nothing changed.
    std::vector<std::string> Shown() const {
        return {window->title, Text(IDC_CRITERION_VALUE), Text(IDC_D_VALUE),
                GridCell(IDC_OBSERVED_GRID, A, G), std::to_string(app->State().siteCount)};
    }
    void OpenPair(const std::string& path, DialogAnswer answer) {
        window->AnswerNextDialog(answer);
        Open(path);
    }
};

TEST_F(AlignmentLoad, HumanAndChimpanzeeGiveTheSampleTable) {
    OpenPair(kPrimates, {0, 1, 0, IDC_PAIR_OK});
    ASSERT_EQ(window->dialogs, std::vector<std::string>{"PAIRDIALOG"});
    EXPECT_EQ(window->title, "Dyvern - " + kPrimates + " (Human, Chimpanzee)");
    EXPECT_EQ(app->State().observed, SampleTable());
    EXPECT_EQ(app->State().siteCount, 895);
    EXPECT_TRUE(window->messages.empty());
    OpenPair(kPrimates, {1, 0, 0, IDC_PAIR_OK});  // the other way round: the table transposed
    EXPECT_EQ(GridCell(IDC_OBSERVED_GRID, A, G), "14.0");
    EXPECT_EQ(window->title, "Dyvern - " + kPrimates + " (Chimpanzee, Human)");
}

TEST_F(AlignmentLoad, CancelTheSameSequenceTwiceAndBadAlignmentsChangeNothing) {
    const std::vector<std::string> before = Shown();
    const struct {
        const char* name;
        std::string path;
        DialogAnswer answer;
        const char* message;  // the start of the box's text; "" for none
    } rows[] = {
        {"cancel", kPrimates, {0, 2, 0, IDC_PAIR_CANCEL}, ""},
        {"same twice", kPrimates, {3, 3, 0, IDC_PAIR_OK}, "Sequence 1 and sequence 2 are both"},
        {"unequal lengths", WriteDataFile("bad.fasta", ">a\nACGT\n>b\nAC\n"), {}, ""},
        {"damaged gzip", WriteDataFile("bad.gz", "\x1f\x8b\x08 not deflate"), {}, ""},
    };
    for (const auto& row : rows) {
        window->messages.clear();
        OpenPair(row.path, row.answer);
        EXPECT_EQ(Shown(), before) << row.name;
        if (*row.message) {
            ASSERT_EQ(window->messages.size(), 1u) << row.name;
            EXPECT_EQ(window->messages[0].text.rfind(row.message, 0), 0u) << row.name;
        } else if (row.path != kPrimates) {
            // The reader's own message, naming the file.
            ASSERT_EQ(window->messages.size(), 1u) << row.name;
            EXPECT_EQ(window->messages[0].text.rfind(row.path, 0), 0u) << window->messages[0].text;
        } else {
            EXPECT_TRUE(window->messages.empty()) << row.name;
        }
        for (const ShownMessage& message : window->messages) {
            EXPECT_EQ(message.caption, "Dyvern error") << row.name;
            EXPECT_EQ(message.style, MessageStyle::Error) << row.name;
        }
    }
}

TEST_F(AlignmentLoad, TheAmbiguityChoiceDecidesWhatACodeCounts) {
    // Site 1 is A against A; site 2 is R (A or G) against A.
    const std::string path = WriteDataFile("r.fasta", ">one\nAR\n>two\nAA\n");
    const struct {
        int radio;
        const char* aa;
        const char* ga;
        int sites;
    } rows[] = {
        {IDC_AMBIGUITY_SKIP, "1.0", "0.0", 1},
        {IDC_AMBIGUITY_AVERAGE, "1.5", "0.5", 2},
        {IDC_AMBIGUITY_RESOLVE, "2.0", "0.0", 2},
    };
    for (const auto& row : rows) {
        OpenPair(path, {0, 1, row.radio, IDC_PAIR_OK});
        EXPECT_EQ(GridCell(IDC_OBSERVED_GRID, A, A), row.aa) << row.radio;
        EXPECT_EQ(GridCell(IDC_OBSERVED_GRID, G, A), row.ga) << row.radio;
        EXPECT_EQ(app->State().siteCount, row.sites) << row.radio;
    }
}

}  // namespace
}  // namespace dyvern::testing
