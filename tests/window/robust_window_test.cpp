// What holds after every command: whatever a data file holds and whatever
// the user does next, the program keeps running, answers, never shows "nan"
// or "inf", and draws each control once with what the fields stand for.
#include <algorithm>
#include <cctype>
#include <cmath>
#include <functional>
#include <random>
#include <sstream>

#include "support/app_fixture.h"
#include "support/reference_model.h"

namespace dyvern::testing {
namespace {

// Half the tables are sound (counts, or proportions over a sound site count);
// the rest carry one kind of fault in a few cells or in the site count.
std::string RandomDataFile(std::mt19937& random) {
    static const char* kBadCells[] = {"-5", "-0.001", "1e300", "1e999", "0", "x"};
    static const char* kBadCounts[] = {"0", "-12", "2147483647", "1", "abc", "99999999999"};
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
    const unsigned fault = random() % 4;
    const char* badCell = kBadCells[random() % std::size(kBadCells)];
    if (fault == 2)
        for (unsigned k = 0; k <= random() % 16; ++k) cells[random() % 16] = badCell;
    if (fault == 3) siteCount = kBadCounts[random() % std::size(kBadCounts)];
    std::ostringstream file;
    file << siteCount << "\n";
    for (int k = 0; k < 16; ++k) file << cells[k] << (k % 4 == 3 ? "\n" : " ");
    return file.str();
}

class RobustWindow : public SampleAppTest {
protected:
    void ExpectNoNotANumberShown(const std::string& context) {
        auto bad = [](std::string text) {
            std::transform(text.begin(), text.end(), text.begin(), ::tolower);
            return text.find("nan") != std::string::npos || text.find("inf") != std::string::npos;
        };
        for (const auto& [id, control] : window->controls)
            EXPECT_FALSE(bad(control.text)) << context << " control " << id;
        for (const auto& [id, picture] : window->pictures)
            for (const Shape& shape : picture)
                EXPECT_FALSE(bad(shape.text)) << context << " picture " << id;
    }
};

TEST_F(RobustWindow, EveryTableLeavesTheProgramRunningAndAnswering) {
    std::mt19937 random(7);
    const int actions[] = {IDC_SOLVE,    IDC_EMPIRICAL,  IDC_EQUAL,        IDC_REFRESH,
                           IDC_BETAT_UP, IDC_KAPPA_DOWN, IDC_PIA_UP,       IDC_PIG_DOWN,
                           IDC_REPORT,   IDC_LIKELIHOOD, IDC_LEAST_SQUARES};
    for (int table = 0; table < 1000 && !HasFailure(); ++table) {
        const std::string content = RandomDataFile(random);
        Open(WriteDataFile("random.dat", content));
        ExpectNoNotANumberShown("load of:\n" + content);
        for (int step = 0; step < 8; ++step) {
            window->AnswerNextMessage(MessageAnswer::Yes);
            if (random() % 3 == 0)
                window->ChooseModel(static_cast<int>(random() % 4));
            else
                Press(actions[random() % std::size(actions)]);
            Press(IDC_SOLVE);
            ExpectNoNotANumberShown("step " + std::to_string(step) + " on:\n" + content);
        }
    }
    // Still answering: a good table loads and solves as ever.
    Open(WriteDataFile("worked.dat", kWorkedTableFile));
    Press(IDC_LIKELIHOOD);
    window->ChooseModel(0);
    Press(IDC_SOLVE);
    EXPECT_EQ(Text(IDC_BETAT_EDIT), "0.310155");  // -ln(1 - 4/3 0.2)
}

// Each command draws each control at most once, and leaves on screen what
// the fields stand for.
TEST_F(RobustWindow, EveryCommandDrawsOnceAndLeavesTheCriterionAndGridOfTheFieldsShown) {
    const std::pair<const char*, std::function<void()>> commands[] = {
        {"start-up", [] {}},
        {"step", [&] { Press(IDC_BETAT_UP); }},
        {"solve JC69", [&] { Press(IDC_SOLVE); }},
        {"to K80", [&] { window->ChooseModel(2); }},
        {"to HKY85", [&] { window->ChooseModel(3); }},
        {"empirical", [&] { Press(IDC_EMPIRICAL); }},
        {"typed kappa", [&] { window->Type(IDC_KAPPA_EDIT, "2"); }},
        {"solve HKY85", [&] { Press(IDC_SOLVE); }},
        {"typed piT", [&] { window->Type(IDC_PIT_EDIT, "0.3"); }},
        {"least squares", [&] { Press(IDC_LEAST_SQUARES); }},
        {"solve by least squares", [&] { Press(IDC_SOLVE); }},
        {"likelihood", [&] { Press(IDC_LIKELIHOOD); }},
        {"refresh", [&] { Press(IDC_REFRESH); }},
        {"to F81", [&] { window->ChooseModel(1); }},
    };
    const int drawn[] = {IDC_EXPECTED_GRID, IDC_GAUGE,      IDC_CRITERION_VALUE, IDC_PIT_EDIT,
                         IDC_BETAT_EDIT,    IDC_KAPPA_EDIT, IDC_PIA_EDIT,        IDC_PIG_EDIT};
    for (const auto& [name, command] : commands) {
        SCOPED_TRACE(name);
        window->draws.clear();
        command();
        for (const int id : drawn) EXPECT_LE(window->draws[id], 1) << "control " << id;
        // The reference model's joint probabilities of the fields shown, piT
        // the remainder (its field is never read).
        const double piA = Number(IDC_PIA_EDIT), piC = Number(IDC_PIC_EDIT),
                     piG = Number(IDC_PIG_EDIT);
        const DivergenceCounts joint = ReferenceJoint(
            Number(IDC_BETAT_EDIT), Number(IDC_KAPPA_EDIT), {piA, piC, piG, 1 - piA - piC - piG});
        if (window->controls.at(IDC_LIKELIHOOD).checked) {
            EXPECT_NEAR(Number(IDC_CRITERION_VALUE), ReferenceLnL(SampleTable(), joint), 2e-6);
        }
        for (int i = 0; i < 4; ++i)
            for (int j = 0; j < 4; ++j)
                EXPECT_NEAR(std::stod(GridCell(IDC_EXPECTED_GRID, i, j)), joint[i][j] * 895, 0.051)
                    << "cell " << i << j;
    }
}

// Unknown commands, and commands that cannot run: Solve without room for piT,
// or anything before data are loaded.
TEST_F(RobustWindow, CommandsThatCannotRunChangeNothing) {
    int changes = window->changes;
    app->Command(999, 0);
    app->Command(IDC_BETAT_EDIT, 0x300);           // EN_CHANGE
    app->Command(IDC_MODEL_COMBO, 7);              // not a selection
    app->Command(IDC_PIT_EDIT, DYVERN_EN_UPDATE);  // piT is shown, never read
    app->Command(IDM_INIT, 0);                     // start-up runs once
    EXPECT_EQ(window->changes, changes);
    window->ChooseModel(3);
    window->Type(IDC_PIA_EDIT, "0.5");
    window->Type(IDC_PIC_EDIT, "0.3");
    window->Type(IDC_PIG_EDIT, "0.4");
    changes = window->changes;
    Press(IDC_SOLVE);
    EXPECT_EQ(window->changes, changes);
    // The quiet Solve of a model switch declines as well.
    window->ChooseModel(1);
    EXPECT_EQ(Text(IDC_CRITERION_VALUE), "*****");
    window->Type(IDC_PIG_EDIT, "0.1");
    EXPECT_NE(Text(IDC_CRITERION_VALUE), "*****");

    MoveProgramTo("no sample");
    Start();
    EXPECT_NE(TakeError(), "");
    Press(IDC_REFRESH);
    EXPECT_EQ(GridCell(IDC_EXPECTED_GRID, T, T), "0.0");
    Press(IDC_SOLVE);
    Press(IDC_BETAT_UP);
    window->ChooseModel(3);
    EXPECT_EQ(Text(IDC_CRITERION_VALUE), "******");
    EXPECT_EQ(Text(IDC_BETAT_EDIT), "0.101000");
}

}  // namespace
}  // namespace dyvern::testing
