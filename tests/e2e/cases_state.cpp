// Cases on the main window's fields, model list, criterion and commands.
#include <chrono>
#include <cmath>
#include <initializer_list>
#include <iterator>

#include "cases.h"
#include "system/control_ids.h"

namespace e2e {
namespace {

constexpr const char* kModelNames[] = {"Jukes & Cantor (1969)", "Felsenstein (1981)",
                                       "Kimura (1980)", "Hasegawa et al. (1985)"};
constexpr int kFrequencyEdits[] = {IDC_PIA_EDIT, IDC_PIC_EDIT, IDC_PIG_EDIT};

// K80 optimum for the sample from an independent maximum-likelihood fit.
constexpr double kSampleK80LogLikelihood = -1530.006297;
constexpr double kSampleK80Kappa = 32.37011;

template <typename Action>
double TimeMs(Action action) {
    const auto start = std::chrono::steady_clock::now();
    action();
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
        .count();
}

double Number(const std::string& text) {
    double value = 0.0;
    return ParseNumber(text, value) ? value : NAN;
}

bool IsSixDecimal(const std::string& text) {
    const auto point = text.find('.');
    double value = 0.0;
    return ParseNumber(text, value) && point != std::string::npos && text.size() - point - 1 == 6;
}

void ExpectEnabled(Checks& checks, RemoteProgram& program, std::initializer_list<int> ids,
                   bool enabled, const std::string& what) {
    bool all = true;
    std::string wrong;
    for (const int id : ids) {
        if (program.Enabled(id) != enabled) {
            all = false;
            wrong += " " + std::to_string(id);
        }
    }
    checks.Expect(all, what + (enabled ? " enabled" : " disabled"), "controls" + wrong);
}

// Which parts of the window a model leaves free.
void ExpectModelState(Checks& checks, RemoteProgram& program, bool kappaFree,
                      bool frequenciesFree) {
    ExpectEnabled(checks, program, {IDC_BETAT_EDIT, IDC_BETAT_UP, IDC_BETAT_DOWN, IDC_SOLVE}, true,
                  "betat field and Solve");
    ExpectEnabled(checks, program, {IDC_KAPPA_LABEL, IDC_KAPPA_EDIT, IDC_KAPPA_UP, IDC_KAPPA_DOWN},
                  kappaFree, "kappa field");
    ExpectEnabled(checks, program,
                  {IDC_PIA_LABEL, IDC_PIA_LABEL2, IDC_PIA_EDIT, IDC_PIA_UP, IDC_PIA_DOWN,
                   IDC_PIC_EDIT, IDC_PIC_UP, IDC_PIC_DOWN, IDC_PIG_EDIT, IDC_PIG_UP, IDC_PIG_DOWN,
                   IDC_PIT_LABEL, IDC_PIT_EDIT},
                  frequenciesFree, "frequency fields");
    ExpectEnabled(checks, program, {IDC_EQUAL, IDC_EMPIRICAL}, frequenciesFree,
                  "Equal and Empirical buttons");
}

void ExpectPiTFollows(Checks& checks, RemoteProgram& program) {
    const double rest = 1.0 - Number(program.Text(IDC_PIA_EDIT)) -
                        Number(program.Text(IDC_PIC_EDIT)) - Number(program.Text(IDC_PIG_EDIT));
    checks.ExpectNear(program.Text(IDC_PIT_EDIT), rest, 1.5e-6, "piT shows 1 - piA - piC - piG");
}

}  // namespace

void CheckStartUp(Checks& checks, RemoteProgram& program, const Setup& setup) {
    checks.Group("start-up with the sample");
    checks.ExpectText(program.Title(), "Dyvern - " + setup.sampleFile, "title names sample.dat");
    checks.ExpectText(program.Text(IDC_BETAT_EDIT), "0.100000", "betat starts at 0.1");
    checks.ExpectText(program.Text(IDC_KAPPA_EDIT), "1.000000", "kappa starts at 1");
    for (const int edit : {IDC_PIA_EDIT, IDC_PIC_EDIT, IDC_PIG_EDIT, IDC_PIT_EDIT}) {
        checks.ExpectText(program.Text(edit), "0.250000", "frequency " + std::to_string(edit));
    }
    checks.ExpectText(program.Text(IDC_CRITERION_LABEL), "lnL =", "criterion label");
    const std::string value = program.Text(IDC_CRITERION_VALUE);
    checks.Expect(IsSixDecimal(value), "criterion shows six decimals", value);
    checks.ExpectNear(value, Jc69LogLikelihood(setup.sample, 0.1), 1.5e-6,
                      "lnL of JC69 at betat 0.1");
    const auto items = program.ListItems(IDC_MODEL_COMBO);
    checks.Expect(items == std::vector<std::string>(std::begin(kModelNames), std::end(kModelNames)),
                  "model list holds the four models in order",
                  items.empty() ? "empty" : items.front());
    checks.Expect(program.SelectedItem(IDC_MODEL_COMBO) == kJc69, "JC69 selected");
    ExpectModelState(checks, program, false, false);
    checks.Expect(program.Checked(IDC_LIKELIHOOD) && !program.Checked(IDC_LEAST_SQUARES),
                  "Likelihood checked, Least squares not");
}

void CheckSolveJc69(Checks& checks, RemoteProgram& program, const Setup& setup, Timings& timings) {
    checks.Group("Solve under JC69");
    const double ms = TimeMs([&] { checks.Expect(program.Command(IDC_SOLVE), "Solve answered"); });
    timings.Add("Solve (JC69, sample)", ms);
    const double best = Jc69BestBranchLength(setup.sample);
    checks.ExpectNear(program.Text(IDC_BETAT_EDIT), best, 5e-5, "betat at -ln(1 - 4p/3)");
    const std::string value = program.Text(IDC_CRITERION_VALUE);
    checks.Expect(IsSixDecimal(value), "criterion shows six decimals", value);
    checks.ExpectNear(value, Jc69LogLikelihood(setup.sample, best), 1e-5,
                      "lnL at the JC69 optimum (-1594.692558)");
    checks.ExpectText(program.Text(IDC_KAPPA_EDIT), "1.000000", "kappa stays fixed");
    checks.ExpectText(program.Text(IDC_PIT_EDIT), "0.250000", "frequencies stay fixed");
}

void CheckModelSwitches(Checks& checks, RemoteProgram& program, Timings& timings) {
    checks.Group("model switch: F81");
    const double ms = TimeMs([&] { checks.Expect(program.SelectModel(kF81), "F81 selected"); });
    timings.Add("model switch to F81 (CBN_SELCHANGE)", ms);
    checks.ExpectText(program.Text(IDC_KAPPA_EDIT), "1.000000", "kappa held at 1");
    ExpectModelState(checks, program, false, true);

    checks.Group("model switch: K80, then Solve");
    checks.Expect(program.SelectModel(kK80), "K80 selected");
    ExpectModelState(checks, program, true, false);
    checks.ExpectText(program.Text(IDC_PIA_EDIT), "0.250000", "frequencies held at 0.25");
    checks.Expect(program.Command(IDC_SOLVE), "Solve answered");
    checks.ExpectNear(program.Text(IDC_CRITERION_VALUE), kSampleK80LogLikelihood, 1e-5,
                      "lnL at the K80 optimum");
    checks.ExpectNear(program.Text(IDC_KAPPA_EDIT), kSampleK80Kappa, 0.01, "kappa estimate");

    checks.Group("model switch: HKY85, then Solve");
    checks.Expect(program.SelectModel(kHky85), "HKY85 selected");
    ExpectModelState(checks, program, true, true);
    checks.Expect(program.Command(IDC_SOLVE), "Solve answered");
    const double first = Number(program.Text(IDC_CRITERION_VALUE));
    checks.Expect(first >= kSampleK80LogLikelihood - 1e-5, "HKY85 fits at least as well as K80",
                  program.Text(IDC_CRITERION_VALUE));
    ExpectPiTFollows(checks, program);
    checks.Expect(program.Command(IDC_SOLVE), "second Solve answered");
    checks.ExpectNear(program.Text(IDC_CRITERION_VALUE), first, 1e-4,
                      "a second Solve stays at the optimum");

    checks.Group("model switch: back to JC69");
    checks.Expect(program.SelectModel(kJc69), "JC69 selected");
    ExpectModelState(checks, program, false, false);
    checks.ExpectText(program.Text(IDC_KAPPA_EDIT), "1.000000", "kappa reset to 1");
    checks.ExpectText(program.Text(IDC_PIG_EDIT), "0.250000", "frequencies reset to 0.25");
    checks.Expect(program.SelectModel(kHky85), "HKY85 selected again for what follows");
}

void CheckStepButtons(Checks& checks, RemoteProgram& program) {
    checks.Group("step buttons under HKY85");
    struct StepField {
        const char* name;
        int edit, up, down;
        double step;
    };
    const StepField fields[] = {{"betat", IDC_BETAT_EDIT, IDC_BETAT_UP, IDC_BETAT_DOWN, 0.001},
                                {"kappa", IDC_KAPPA_EDIT, IDC_KAPPA_UP, IDC_KAPPA_DOWN, 0.05},
                                {"piA", IDC_PIA_EDIT, IDC_PIA_UP, IDC_PIA_DOWN, 0.01},
                                {"piC", IDC_PIC_EDIT, IDC_PIC_UP, IDC_PIC_DOWN, 0.01},
                                {"piG", IDC_PIG_EDIT, IDC_PIG_UP, IDC_PIG_DOWN, 0.01}};
    for (const StepField& field : fields) {
        const std::string before = program.Text(field.edit);
        const std::string criterion = program.Text(IDC_CRITERION_VALUE);
        program.Command(field.up);
        checks.ExpectNear(program.Text(field.edit), Number(before) + field.step, 1e-6,
                          std::string(field.name) + " > adds one step");
        checks.Expect(program.Text(IDC_CRITERION_VALUE) != criterion,
                      std::string(field.name) + " > re-evaluates");
        ExpectPiTFollows(checks, program);
        program.Command(field.down);
        checks.ExpectText(program.Text(field.edit), before,
                          std::string(field.name) + " < undoes it");
        checks.ExpectText(program.Text(IDC_CRITERION_VALUE), criterion,
                          std::string(field.name) + " < restores the criterion");
    }
}

void CheckFrequencyTakeBack(Checks& checks, RemoteProgram& program) {
    checks.Group("a frequency step that leaves no room for piT is taken back");
    program.SetText(IDC_PIA_EDIT, "0.5");
    program.SetText(IDC_PIC_EDIT, "0.3");
    program.SetText(IDC_PIG_EDIT, "0.195");
    checks.ExpectText(program.Text(IDC_PIT_EDIT), "0.005000", "piT is 0.005 before the step");
    program.Command(IDC_PIA_UP);
    checks.ExpectText(program.Text(IDC_PIA_EDIT), "0.500000", "piA stays at 0.5");
    checks.ExpectText(program.Text(IDC_PIT_EDIT), "0.005000", "piT stays at 0.005");
    checks.Expect(IsSixDecimal(program.Text(IDC_CRITERION_VALUE)), "criterion valid again",
                  program.Text(IDC_CRITERION_VALUE));
}

void CheckEqualAndEmpirical(Checks& checks, RemoteProgram& program, const Setup& setup) {
    checks.Group("Equal and Empirical");
    program.SetText(IDC_PIA_EDIT, "0.4");
    program.Command(IDC_EQUAL);
    for (const int edit : {IDC_PIA_EDIT, IDC_PIC_EDIT, IDC_PIG_EDIT, IDC_PIT_EDIT}) {
        checks.ExpectText(program.Text(edit), "0.250000", "Equal sets " + std::to_string(edit));
    }
    program.Command(IDC_EMPIRICAL);
    const auto composition = EmpiricalFrequencies(setup.sample);
    for (int base = 0; base < 3; ++base) {
        checks.ExpectText(program.Text(kFrequencyEdits[base]), Six(composition[base]),
                          "Empirical sets base " + std::to_string(base));
    }
    checks.ExpectNear(program.Text(IDC_PIT_EDIT), composition[3], 2e-6, "Empirical piT");
    checks.Expect(IsSixDecimal(program.Text(IDC_CRITERION_VALUE)), "criterion valid",
                  program.Text(IDC_CRITERION_VALUE));
}

void CheckInvalidMarks(Checks& checks, RemoteProgram& program, const Setup& setup,
                       Timings& timings) {
    checks.Group("out-of-range values show the invalid marks");
    const double ms = TimeMs([&] { program.SetText(IDC_KAPPA_EDIT, "abc"); });
    timings.Add("keystroke (WM_SETTEXT on the kappa edit)", ms);
    checks.ExpectText(program.Text(IDC_CRITERION_VALUE), "*****", "kappa abc");
    CheckPictures(checks, program, setup, "invalid", 0);
    program.SetText(IDC_KAPPA_EDIT, "2");
    checks.Expect(IsSixDecimal(program.Text(IDC_CRITERION_VALUE)), "kappa 2 is valid again");
    program.SetText(IDC_BETAT_EDIT, "100.0001");
    checks.ExpectText(program.Text(IDC_CRITERION_VALUE), "*****", "betat above 100");
    program.SetText(IDC_BETAT_EDIT, "100");
    checks.Expect(IsSixDecimal(program.Text(IDC_CRITERION_VALUE)), "betat 100 is in range");
    program.SetText(IDC_BETAT_EDIT, "0.1");
}

void CheckLeastSquares(Checks& checks, RemoteProgram& program, const Setup& setup) {
    checks.Group("least squares and back (criterion buttons)");
    checks.Expect(program.Click(IDC_LEAST_SQUARES), "Least squares clicked");
    checks.ExpectText(program.Text(IDC_CRITERION_LABEL), "SS =", "label SS =");
    checks.Expect(IsSixDecimal(program.Text(IDC_CRITERION_VALUE)), "SS shown",
                  program.Text(IDC_CRITERION_VALUE));
    checks.Expect(program.Checked(IDC_LEAST_SQUARES) && !program.Checked(IDC_LIKELIHOOD),
                  "Least squares checked");
    ExpectModelState(checks, program, true, false);
    const auto composition = EmpiricalFrequencies(setup.sample);
    checks.ExpectText(program.Text(IDC_PIA_EDIT), Six(composition[0]), "piA empirical");
    checks.Expect(program.Click(IDC_LIKELIHOOD), "Likelihood clicked");
    checks.ExpectText(program.Text(IDC_CRITERION_LABEL), "lnL =", "label lnL =");
    checks.Expect(program.Checked(IDC_LIKELIHOOD), "Likelihood checked");
    ExpectModelState(checks, program, true, true);
}

void CheckRefreshAndUnknownCommand(Checks& checks, RemoteProgram& program) {
    checks.Group("Refresh and an unknown command change nothing");
    const std::string criterion = program.Text(IDC_CRITERION_VALUE);
    const std::string title = program.Title();
    checks.Expect(program.Command(IDC_REFRESH), "Refresh answered");
    checks.ExpectText(program.Text(IDC_CRITERION_VALUE), criterion, "criterion after Refresh");
    checks.Expect(program.Command(999), "command 999 answered");
    checks.ExpectText(program.Text(IDC_CRITERION_VALUE), criterion, "criterion after 999");
    checks.ExpectText(program.Title(), title, "title after 999");
}

void CheckLayout(Checks& checks, RemoteProgram& program) {
    checks.Group("layout");
    const LONG style = GetWindowLongA(program.Main(), GWL_STYLE);
    checks.Expect((style & (WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX)) ==
                          (WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX) &&
                      (style & (WS_MAXIMIZEBOX | WS_THICKFRAME)) == 0,
                  "fixed-size window with caption, system menu and minimise box");
    for (const int button : {IDC_LIKELIHOOD, IDC_LEAST_SQUARES}) {
        RECT mine{};
        GetWindowRect(program.Control(button), &mine);
        std::string overlapped;
        for (HWND other = GetWindow(program.Main(), GW_CHILD); other;
             other = GetWindow(other, GW_HWNDNEXT)) {
            RECT theirs{};
            RECT common{};
            GetWindowRect(other, &theirs);
            if (other != program.Control(button) && IntersectRect(&common, &mine, &theirs)) {
                overlapped += " " + std::to_string(GetDlgCtrlID(other));
            }
        }
        checks.Expect(overlapped.empty(), "button " + std::to_string(button) + " overlaps nothing",
                      "overlaps" + overlapped);
    }
}

}  // namespace e2e
