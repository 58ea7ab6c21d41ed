// Whatever a data file holds and whatever the user does next, the program
// keeps running, answers, and never shows "nan" or "inf".
#include <algorithm>
#include <cctype>
#include <cmath>
#include <filesystem>
#include <random>
#include <sstream>
#include <vector>

#include "tests/app_fixture.h"

namespace dyvern::testing {
namespace {

std::string Lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

bool ShowsNotANumber(const std::string& text) {
    const std::string lower = Lower(text);
    return lower.find("nan") != std::string::npos || lower.find("inf") != std::string::npos;
}

// Half the tables are sound (counts or proportions over a sound site count);
// the rest carry one kind of fault in a few cells or in the site count.
std::string RandomDataFile(std::mt19937& random) {
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    const bool proportions = random() % 5 == 0;
    std::vector<std::string> cells(16);
    double sum = 0.0;
    for (std::string& cell : cells) {
        const double value =
            proportions ? unit(random) / 16 : std::floor(400 * unit(random) * unit(random));
        cell = std::to_string(value);
        sum += value;
    }
    std::string siteCount =
        std::to_string(proportions ? 1 + random() % 1000 : static_cast<long>(sum));
    static const char* kBadCells[] = {"-5", "-0.001", "1e300", "1e999", "0", "x"};
    static const char* kBadCounts[] = {"0", "-12", "2147483647", "1", "abc", "99999999999"};
    switch (random() % 4) {
        case 0:
        case 1:
            break;
        case 2: {
            const char* bad = kBadCells[random() % std::size(kBadCells)];
            for (int k = 0; k < 1 + static_cast<int>(random() % 16); ++k)
                cells[random() % 16] = bad;
            break;
        }
        default:
            siteCount = kBadCounts[random() % std::size(kBadCounts)];
    }
    std::ostringstream file;
    file << siteCount << "\n";
    for (int k = 0; k < 16; ++k) file << cells[k] << (k % 4 == 3 ? "\n" : " ");
    return file.str();
}

class RobustWindow : public AppTest {
protected:
    void ExpectNothingShowsNotANumber(const std::string& context) {
        for (const auto& [id, control] : window->controls)
            EXPECT_FALSE(ShowsNotANumber(control.text)) << context << " control " << id;
        for (const auto& [id, picture] : window->pictures)
            for (const Shape& shape : picture)
                EXPECT_FALSE(ShowsNotANumber(shape.text)) << context << " picture " << id;
    }
};

TEST_F(RobustWindow, EveryTableLeavesTheProgramRunningAndAnswering) {
    PlaceSample();
    Start();
    std::mt19937 random(7);
    const int actions[] = {IDC_SOLVE,      IDC_EMPIRICAL,     IDC_EQUAL,  IDC_REFRESH,
                           IDC_BETAT_UP,   IDC_KAPPA_DOWN,    IDC_PIA_UP, IDC_PIG_DOWN,
                           IDC_LIKELIHOOD, IDC_LEAST_SQUARES, IDC_REPORT};
    for (int table = 0; table < 1000; ++table) {
        const std::string content = RandomDataFile(random);
        Open(WriteDataFile("random.dat", content));
        ExpectNothingShowsNotANumber("load of:\n" + content);
        for (int step = 0; step < 8; ++step) {
            if (random() % 3 == 0) {
                window->ChooseModel(static_cast<int>(random() % 4));
            } else {
                window->AnswerNextMessage(MessageAnswer::Yes);
                Press(actions[random() % std::size(actions)]);
            }
            Press(IDC_SOLVE);
            ExpectNothingShowsNotANumber("after step " + std::to_string(step) + " on:\n" + content);
            if (HasFailure()) return;
        }
    }
    // Still answering: a good table loads and solves as ever.
    Open(WriteDataFile("worked.dat", kWorkedTableFile));
    Press(IDC_LIKELIHOOD);
    window->ChooseModel(0);
    Press(IDC_SOLVE);
    EXPECT_EQ(Text(IDC_BETAT_EDIT), "0.310155");
}

TEST_F(RobustWindow, NoSitesUnderLeastSquaresShowsMarksAndSolveDeclines) {
    PlaceSample();
    Start();
    Press(IDC_LEAST_SQUARES);
    Open(WriteDataFile("empty.dat", "0 0.1 0.2 0.3"));
    EXPECT_EQ(Text(IDC_CRITERION_VALUE), "*****");
    const std::string betat = Text(IDC_BETAT_EDIT);
    Press(IDC_SOLVE);
    EXPECT_EQ(Text(IDC_BETAT_EDIT), betat);
    EXPECT_EQ(Text(IDC_CRITERION_VALUE), "*****");
}

TEST_F(RobustWindow, SolveWithNoRoomForPiTChangesNothing) {
    PlaceSample();
    Start();
    window->ChooseModel(3);
    window->Type(IDC_PIA_EDIT, "0.5");
    window->Type(IDC_PIC_EDIT, "0.3");
    window->Type(IDC_PIG_EDIT, "0.4");
    const auto log = window->log;
    Press(IDC_SOLVE);
    EXPECT_EQ(window->log, log);
    // The quiet Solve of a model switch declines as well, keeping the gauge's scale.
    window->ChooseModel(1);
    EXPECT_EQ(Text(IDC_CRITERION_VALUE), "*****");
    window->Type(IDC_PIG_EDIT, "0.1");
    EXPECT_NE(Text(IDC_CRITERION_VALUE), "*****");
}

TEST(ProgramPath, LongPathsGiveTheRightReportAndSamplePaths) {
    const std::filesystem::path base = std::filesystem::temp_directory_path() /
                                       ("dyvern-long-" + std::to_string(std::random_device{}()));
    const std::filesystem::path folder = base / std::string(200, 'd') / std::string(150, 'e');
    std::filesystem::create_directories(folder);
    std::filesystem::copy_file(DYVERN_SAMPLE_DATA, folder / "sample.dat");
    const std::string program = (folder / "dyvern.exe").string();
    ASSERT_GT(program.size(), 300u);
    {
        FakeWindow window(program);
        MainWindow app(window);
        window.Attach(&app);
        app.Command(IDM_INIT, 0);
        EXPECT_TRUE(window.messages.empty());
        EXPECT_EQ(window.title, "Dyvern - " + (folder / "sample.dat").string());
        app.Command(IDC_REPORT, 0);
        EXPECT_EQ(window.started,
                  std::vector<std::string>{"NOTEPAD.EXE " + (folder / "report.txt").string()});
        EXPECT_TRUE(std::filesystem::exists(folder / "report.txt"));
    }
    std::filesystem::remove_all(base);
}

}  // namespace
}  // namespace dyvern::testing
