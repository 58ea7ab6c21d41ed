// Cases on the main window's controls and menu: what the logic sets must
// reach the real controls, and the real controls' commands the logic.
#include <tuple>

#include "cases.h"
#include "system/control_ids.h"

namespace e2e {
namespace {

// Enough of each group to show enabling reaching the real controls; piT's
// edit starts greyed by the resource and is freed by the logic.
const std::initializer_list<int> kKappaControls = {IDC_KAPPA_EDIT, IDC_KAPPA_UP};
const std::initializer_list<int> kFrequencyControls = {IDC_PIA_EDIT, IDC_PIG_DOWN, IDC_PIT_EDIT,
                                                       IDC_EQUAL, IDC_EMPIRICAL};

bool AllEnabled(const RemoteProgram& program, std::initializer_list<int> ids, bool enabled) {
    for (const int id : ids)
        if (program.Enabled(id) != enabled) return false;
    return true;
}

// File is the first title answering Alt+F; Frequencies lies one to its right.
bool OpenFrequenciesMenu(RemoteProgram& program) {
    program.OpenMenu('f');
    RECT file{};
    if (!WaitUntil([&] { return GetWindowRect(program.MenuPopup(), &file); }, 5.0)) return false;
    program.PostKey(VK_RIGHT);
    RECT popup{};
    return WaitUntil(
        [&] { return GetWindowRect(program.MenuPopup(), &popup) && popup.left > file.left; }, 5.0);
}

bool CloseMenu(RemoteProgram& program) {
    program.PostKey(VK_ESCAPE);  // the popup, then the menu bar
    program.PostKey(VK_ESCAPE);
    return WaitUntil([&] { return program.MenuPopup() == nullptr; }, 5.0) && program.Responsive();
}

}  // namespace

void CheckStartUp(Checks& checks, RemoteProgram& program, const Setup& setup) {
    checks.Group("start-up: the controls show what the logic set");
    checks.ExpectText(program.Title(), "Dyvern - " + setup.File("sample.dat"),
                      "title names sample.dat");
    checks.ExpectText(program.Text(IDC_BETAT_EDIT), "0.100000", "betat edit");
    // Inserted by position into a sorting combo box: the order must survive.
    const std::vector<std::string> models = {"Jukes & Cantor (1969)", "Felsenstein (1981)",
                                             "Kimura (1980)", "Hasegawa et al. (1985)"};
    const auto items = program.ListItems(IDC_MODEL_COMBO);
    checks.Expect(items == models && program.SelectedItem(IDC_MODEL_COMBO) == kJc69,
                  "model list holds the four models in order, JC69 selected",
                  items.empty() ? "empty" : "first \"" + items.front() + "\"");
    checks.Expect(program.Checked(IDC_LIKELIHOOD) && !program.Checked(IDC_LEAST_SQUARES),
                  "Likelihood checked, Least squares not");
}

void CheckModelEnabling(Checks& checks, RemoteProgram& program, const Setup& setup) {
    // One model frees the frequencies alone, the other kappa alone.
    const std::tuple<Model, const char*, bool> kModels[] = {{kF81, "F81", true},
                                                            {kK80, "K80", false}};
    for (const auto& [model, name, frequenciesFree] : kModels) {
        checks.Group(std::string("model ") + name + ": controls and menu items it frees");
        checks.Expect(program.SelectItem(IDC_MODEL_COMBO, model), "chosen in the model list");
        checks.Expect(AllEnabled(program, kKappaControls, !frequenciesFree) &&
                          AllEnabled(program, kFrequencyControls, frequenciesFree),
                      "kappa and frequency controls enabled as the model says");
        checks.Expect(OpenFrequenciesMenu(program), "Frequencies menu opens");
        const auto black = MenuLowerItemEnabled(program, setup, std::string("menu-") + name);
        checks.Expect(black == frequenciesFree, "Frequencies > Equal black when free, else grey",
                      black ? "it is not" : "no screenshot");
        checks.Expect(CloseMenu(program), "menu closed");
    }
    program.SelectItem(IDC_MODEL_COMBO, kJc69);
}

void CheckSolve(Checks& checks, RemoteProgram& program, const Setup& setup) {
    checks.Group("Solve under JC69 shows the optimum; d follows a typed branch length");
    checks.Expect(program.Command(IDC_SOLVE), "Solve answered");
    checks.ExpectNear(program.Text(IDC_CRITERION_VALUE), -1594.692558, 1e-5,
                      "lnL at the known optimum");
    CheckPictures(checks, program, setup, "solved", true);
    program.SetText(IDC_BETAT_EDIT, "0.2");
    checks.ExpectText(program.Text(IDC_D_VALUE), "0.150000", "d = 3/4 bt under JC69");
    program.Command(IDC_SOLVE);
}

// The commands the main window answers without opening a window, as sent
// messages: a message returns once the program has handled it.
void TimeCommands(Checks& checks, RemoteProgram& program) {
    constexpr int kRounds = 8;  // even, so that alternating rounds end where they began
    bool answered = true;
    program.SelectItem(IDC_MODEL_COMBO, kHky85);
    PrintMedian("solve", kRounds, [&] {
        program.SetText(IDC_BETAT_EDIT, "0.1");
        return TimeMs([&] { answered &= program.Command(IDC_SOLVE); });
    });
    const std::pair<const char*, std::function<bool(bool)>> kAlternating[] = {
        {"model switch",
         [&](bool odd) { return program.SelectItem(IDC_MODEL_COMBO, odd ? kHky85 : kK80); }},
        {"criterion switch",
         [&](bool odd) {
             return program.Command(odd ? IDC_LIKELIHOOD : IDC_LEAST_SQUARES, BN_CLICKED);
         }},
        // The same switch through the button itself, which adds Wine's own click handling.
        {"criterion click",
         [&](bool odd) { return program.Click(odd ? IDC_LIKELIHOOD : IDC_LEAST_SQUARES); }},
        {"keystroke", [&](bool odd) { return program.SetText(IDC_KAPPA_EDIT, odd ? "2" : "3"); }},
        {"step button",
         [&](bool odd) { return program.Command(odd ? IDC_BETAT_DOWN : IDC_BETAT_UP); }},
        {"equal", [&](bool) { return program.Command(IDC_EQUAL); }},
        {"empirical", [&](bool) { return program.Command(IDC_EMPIRICAL); }},
        {"refresh", [&](bool) { return program.Command(IDC_REFRESH); }}};
    for (const auto& [what, send] : kAlternating) {
        int round = 0;
        PrintMedian(what, kRounds,
                    [&] { return TimeMs([&] { answered &= send(round++ % 2 == 1); }); });
    }
    checks.Group("timed commands");
    checks.Expect(answered, "every timed command answered");
    program.SelectItem(IDC_MODEL_COMBO, kJc69);
}

}  // namespace e2e
