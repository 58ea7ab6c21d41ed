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

// Counts, or one time in five proportions over a random site count; one
// table in two with one bad word in some cells or the site count.
std::string RandomDataFile(std::mt19937& random) {
    static const char* kBad[] = {"-5", "-0.001", "1e300",      "1e999", "0",          "x",
                                 "1",  "-12",    "2147483647", "abc",   "99999999999"};
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    const bool proportions = random() % 5 == 0;
    std::vector<std::string> words(17);  // the site count, then the cells
    double sum = 0.0;
    for (int k = 1; k <= 16; ++k) {
        const double value =
            proportions ? unit(random) / 16 : std::floor(400 * unit(random) * unit(random));
        words[k] = std::to_string(value);
        sum += value;
    }
    words[0] = std::to_string(proportions ? 1 + random() % 1000 : static_cast<long>(sum));
    const char* bad = kBad[random() % std::size(kBad)];
    if (random() % 2 == 0)
        for (unsigned k = 0; k <= random() % 16; ++k) words[random() % 17] = bad;
    std::ostringstream file;
    for (int k = 0; k < 17; ++k) file << words[k] << (k % 4 == 0 ? "\n" : " ");
    return file.str();
}

// Whether any text the window shows reads "nan" or "inf", in any case.
bool ShowsNotANumber(const FakeWindow& window) {
    std::string shown;
    for (const auto& [id, control] : window.controls) shown += control.text + "\n";
    for (const auto& [id, picture] : window.pictures)
        for (const Shape& shape : picture) shown += shape.text + "\n";
    std::transform(shown.begin(), shown.end(), shown.begin(), ::tolower);
    return shown.find("nan") != std::string::npos || shown.find("inf") != std::string::npos;
}

using RobustWindow = SampleAppTest;

TEST_F(RobustWindow, EveryTableLeavesTheProgramRunningAndAnswering) {
    std::mt19937 random(7);
    const int actions[] = {IDC_SOLVE,    IDC_EMPIRICAL,  IDC_EQUAL,        IDC_REFRESH,
                           IDC_BETAT_UP, IDC_KAPPA_DOWN, IDC_PIA_UP,       IDC_PIG_DOWN,
                           IDC_REPORT,   IDC_LIKELIHOOD, IDC_LEAST_SQUARES};
    for (int table = 0; table < 1000 && !HasFailure(); ++table) {
        const std::string content = RandomDataFile(random);
        Open(WriteDataFile("random.dat", content));
        EXPECT_FALSE(ShowsNotANumber(*window)) << "load of:\n" << content;
        for (int step = 0; step < 8; ++step) {
            window->AnswerNextMessage(MessageAnswer::Yes);
            if (random() % 3 == 0)
                window->ChooseModel(static_cast<int>(random() % 4));
            else
                Press(actions[random() % std::size(actions)]);
            Press(IDC_SOLVE);
            EXPECT_FALSE(ShowsNotANumber(*window)) << "step " << step << " on:\n" << content;
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
        {"to HKY85", [&] { window->ChooseModel(3); }},
        {"empirical", [&] { Press(IDC_EMPIRICAL); }},
        {"typed kappa", [&] { window->Type(IDC_KAPPA_EDIT, "2"); }},
        {"solve HKY85", [&] { Press(IDC_SOLVE); }},
        {"typed piT", [&] { window->Type(IDC_PIT_EDIT, "0.3"); }},
        {"least squares", [&] { Press(IDC_LEAST_SQUARES); }},
        {"solve by least squares", [&] { Press(IDC_SOLVE); }},
        {"likelihood", [&] { Press(IDC_LIKELIHOOD); }},
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

// Unknown commands, and Solve without room for piT.
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
}

}  // namespace
}  // namespace dyvern::testing
