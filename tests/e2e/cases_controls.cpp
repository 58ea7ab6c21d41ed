// Cases on the main window's controls and menu: what the logic sets must
// reach the real controls, and the real controls' commands the logic.
#include <cmath>
#include <tuple>

#include "cases.h"
#include "system/control_ids.h"

namespace e2e {
namespace {

struct NamedControl {
    int id;
    const char* name;
};
using Controls = std::initializer_list<NamedControl>;

// Enough of each group to show enabling reaching the real controls; piT's
// edit starts greyed by the resource and is freed by the logic.
const Controls kKappaControls = {{IDC_KAPPA_EDIT, "kappa edit"}, {IDC_KAPPA_UP, "kappa >"}};
const Controls kFrequencyControls = {{IDC_PIA_EDIT, "piA edit"},
                                     {IDC_PIG_DOWN, "piG <"},
                                     {IDC_PIT_EDIT, "piT edit"},
                                     {IDC_EQUAL, "Equal"},
                                     {IDC_EMPIRICAL, "Empirical"}};

// Known optimum of the sample under JC69, from an independent fit.
constexpr double kSampleJc69LogLikelihood = -1594.692558;

void ExpectEnabled(Checks& checks, const RemoteProgram& program, Controls controls, bool enabled,
                   const std::string& what) {
    std::string wrong;
    for (const NamedControl& control : controls) {
        if (program.Enabled(control.id) != enabled) wrong += std::string(" ") + control.name;
    }
    checks.Expect(wrong.empty(), what + (enabled ? " enabled" : " greyed"), "not so:" + wrong);
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

bool MenuClosed(RemoteProgram& program) {
    return WaitUntil([&] { return program.MenuPopup() == nullptr; }, 5.0) && program.Responsive();
}

}  // namespace

double Jc69BestBranchLength(const dyvern::DataFileTable& table) {
    double same = 0.0;
    for (int base = 0; base < 4; ++base) same += table.counts[base][base];
    return -std::log(1.0 - 4.0 / 3.0 * (1.0 - same / table.siteCount));
}

void CheckStartUp(Checks& checks, RemoteProgram& program, const Setup& setup) {
    checks.Group("start-up: the controls show what the logic set");
    checks.ExpectText(program.Title(), "Dyvern - " + setup.File("sample.dat"),
                      "title names sample.dat");
    checks.ExpectText(program.Text(IDC_BETAT_EDIT), "0.100000", "betat edit");
    checks.ExpectText(program.Text(IDC_PIT_EDIT), "0.250000", "piT edit");
    checks.ExpectText(program.Text(IDC_CRITERION_LABEL), "lnL =", "criterion label");
    // Inserted by position into a sorting combo box: the order must survive.
    const std::vector<std::string> models = {"Jukes & Cantor (1969)", "Felsenstein (1981)",
                                             "Kimura (1980)", "Hasegawa et al. (1985)"};
    const auto items = program.ListItems(IDC_MODEL_COMBO);
    checks.Expect(items == models, "model list holds the four models in order",
                  items.empty() ? "empty" : "first \"" + items.front() + "\"");
    checks.Expect(program.SelectedItem(IDC_MODEL_COMBO) == kJc69, "JC69 selected");
    checks.Expect(program.Checked(IDC_LIKELIHOOD) && !program.Checked(IDC_LEAST_SQUARES),
                  "Likelihood checked, Least squares not");
}

void CheckModelEnabling(Checks& checks, RemoteProgram& program, const Setup& setup) {
    const std::tuple<Model, const char*, bool, bool> kModels[] = {
        {kF81, "F81", false, true},
        {kK80, "K80", true, false},
        {kHky85, "HKY85", true, true},
        {kJc69, "JC69", false, false}};  // model, name, kappa free, frequencies free
    for (const auto& [model, name, kappaFree, frequenciesFree] : kModels) {
        checks.Group(std::string("model ") + name + ": controls and menu items it frees");
        checks.Expect(program.SelectItem(IDC_MODEL_COMBO, model), "chosen in the model list");
        ExpectEnabled(checks, program, kKappaControls, kappaFree, "kappa controls");
        ExpectEnabled(checks, program, kFrequencyControls, frequenciesFree, "frequency controls");
        checks.Expect(OpenFrequenciesMenu(program), "Frequencies menu opens");
        const auto black = MenuLowerItemEnabled(program, setup, std::string("menu-") + name);
        checks.Expect(black == frequenciesFree,
                      frequenciesFree ? "Frequencies > Equal in black" : "Frequencies > Equal grey",
                      black ? "it is not" : "no screenshot");
        program.PostKey(VK_ESCAPE);  // the popup, then the menu bar
        program.PostKey(VK_ESCAPE);
        checks.Expect(MenuClosed(program), "menu closed");
    }
}

void CheckFrequenciesMenu(Checks& checks, RemoteProgram& program) {
    checks.Group("Frequencies > Empirical through the menu does what its button does");
    program.SelectItem(IDC_MODEL_COMBO, kF81);
    program.Command(IDC_EMPIRICAL);
    const std::string empirical = program.Text(IDC_PIA_EDIT);
    program.Command(IDC_EQUAL);
    checks.Expect(empirical != program.Text(IDC_PIA_EDIT), "Equal and Empirical differ", empirical);
    checks.Expect(OpenFrequenciesMenu(program), "Frequencies menu opens");
    program.PostChar('e');
    checks.Expect(MenuClosed(program), "the menu closes on its item");
    checks.ExpectText(program.Text(IDC_PIA_EDIT), empirical, "piA is the empirical share");
    program.SelectItem(IDC_MODEL_COMBO, kJc69);
}

void CheckSolve(Checks& checks, RemoteProgram& program, const Setup& setup) {
    checks.Group("Solve under JC69 shows the optimum");
    checks.Expect(program.Command(IDC_SOLVE), "Solve answered");
    checks.ExpectNear(program.Text(IDC_BETAT_EDIT), Jc69BestBranchLength(setup.sample), 5e-5,
                      "betat at -ln(1 - 4p/3)");
    checks.ExpectNear(program.Text(IDC_CRITERION_VALUE), kSampleJc69LogLikelihood, 1e-5,
                      "lnL at the known optimum");
    checks.ExpectNear(program.Text(IDC_D_VALUE), 0.75 * Jc69BestBranchLength(setup.sample), 5e-5,
                      "d at -3/4 ln(1 - 4p/3)");
    CheckPictures(checks, program, setup, "solved", GaugeShows::Full);

    checks.Group("d follows a typed branch length");
    program.SetText(IDC_BETAT_EDIT, "0.2");
    checks.ExpectText(program.Text(IDC_D_VALUE), "0.150000", "d = 3/4 bt under JC69");
    program.Command(IDC_SOLVE);
}

void CheckDPlacement(Checks& checks, RemoteProgram& program) {
    checks.Group("d lies inside the window and clear of every other control");
    RECT client{};
    GetClientRect(program.Main(), &client);
    MapWindowPoints(program.Main(), nullptr, reinterpret_cast<POINT*>(&client), 2);
    std::string overlaps;
    for (const int id : {IDC_D_LABEL, IDC_D_VALUE}) {
        RECT placed{}, both{};
        GetWindowRect(program.Control(id), &placed);
        checks.Expect(IntersectRect(&both, &placed, &client) && EqualRect(&both, &placed),
                      "control " + std::to_string(id) + " inside the client area");
        for (HWND other = GetWindow(program.Main(), GW_CHILD); other;
             other = GetWindow(other, GW_HWNDNEXT)) {
            RECT rect{};
            const int otherId = GetDlgCtrlID(other);
            if (otherId == IDC_D_LABEL || otherId == IDC_D_VALUE) continue;
            if (GetWindowRect(other, &rect) && IntersectRect(&both, &placed, &rect))
                overlaps += " " + std::to_string(id) + "/" + std::to_string(otherId);
        }
    }
    checks.Expect(overlaps.empty(), "no overlap", overlaps);
}

void CheckCriterionButtons(Checks& checks, RemoteProgram& program) {
    checks.Group("criterion buttons: check marks and label");
    const std::tuple<int, int, const char*> kClicks[] = {
        {IDC_LEAST_SQUARES, IDC_LIKELIHOOD, "SS ="}, {IDC_LIKELIHOOD, IDC_LEAST_SQUARES, "lnL ="}};
    for (const auto& [clicked, other, label] : kClicks) {
        checks.Expect(program.Click(clicked) && program.Checked(clicked) && !program.Checked(other),
                      std::string("clicked, checked, the other not, for ") + label);
        checks.ExpectText(program.Text(IDC_CRITERION_LABEL), label, "criterion label");
    }
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
