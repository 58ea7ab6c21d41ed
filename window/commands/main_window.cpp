#include "commands/main_window.h"

#include <iterator>
#include <optional>

#include "actions/evaluation.h"
#include "actions/model_selection.h"
#include "actions/open_data_file.h"
#include "actions/parameter_rules.h"
#include "actions/write_report.h"
#include "base/stop.h"
#include "controls/count_grid.h"
#include "system/control_ids.h"

namespace dyvern {
namespace {

constexpr int kAnyNotification = -1;
constexpr const char* kHelpFile = "dyvern32.hlp";
constexpr const char* kModelNames[] = {"Jukes & Cantor (1969)", "Felsenstein (1981)",
                                       "Kimura (1980)", "Hasegawa et al. (1985)"};

}  // namespace

struct MainWindow::CommandEntry {
    int id;
    int notification;  // kAnyNotification, or the one notification answered
    void (MainWindow::*run)(int id);
};

const MainWindow::CommandEntry* MainWindow::FindCommand(int id, int notification) {
    static const CommandEntry kCommands[] = {
        {IDM_INIT, kAnyNotification, &MainWindow::InitMainWindow},
        {IDM_HELP_CONTENTS, kAnyNotification, &MainWindow::OpenHelp},
        {IDM_ABOUT, kAnyNotification, &MainWindow::ShowAbout},
        {IDC_SOLVE, kAnyNotification, &MainWindow::SolveCommand},
        {IDM_OPEN, kAnyNotification, &MainWindow::OpenCommand},
        {IDM_EXIT, kAnyNotification, &MainWindow::Exit},
        {IDC_REFRESH, kAnyNotification, &MainWindow::Refresh},
        {IDC_EQUAL, kAnyNotification, &MainWindow::Equal},
        {IDC_EMPIRICAL, kAnyNotification, &MainWindow::Empirical},
        {IDC_REPORT, kAnyNotification, &MainWindow::Report},
        {IDC_MODEL_COMBO, DYVERN_CBN_SELCHANGE, &MainWindow::ModelChosen},
        {IDC_BETAT_EDIT, DYVERN_EN_UPDATE, &MainWindow::FieldChanged},
        {IDC_KAPPA_EDIT, DYVERN_EN_UPDATE, &MainWindow::FieldChanged},
        {IDC_PIA_EDIT, DYVERN_EN_UPDATE, &MainWindow::FieldChanged},
        {IDC_PIC_EDIT, DYVERN_EN_UPDATE, &MainWindow::FieldChanged},
        {IDC_PIG_EDIT, DYVERN_EN_UPDATE, &MainWindow::FieldChanged},
        {IDC_BETAT_UP, kAnyNotification, &MainWindow::StepButton},
        {IDC_BETAT_DOWN, kAnyNotification, &MainWindow::StepButton},
        {IDC_KAPPA_UP, kAnyNotification, &MainWindow::StepButton},
        {IDC_KAPPA_DOWN, kAnyNotification, &MainWindow::StepButton},
        {IDC_PIA_UP, kAnyNotification, &MainWindow::StepButton},
        {IDC_PIA_DOWN, kAnyNotification, &MainWindow::StepButton},
        {IDC_PIC_UP, kAnyNotification, &MainWindow::StepButton},
        {IDC_PIC_DOWN, kAnyNotification, &MainWindow::StepButton},
        {IDC_PIG_UP, kAnyNotification, &MainWindow::StepButton},
        {IDC_PIG_DOWN, kAnyNotification, &MainWindow::StepButton},
        {IDC_LIKELIHOOD, kAnyNotification, &MainWindow::CriterionChosen},
        {IDC_LEAST_SQUARES, kAnyNotification, &MainWindow::CriterionChosen},
    };
    for (const CommandEntry& entry : kCommands) {
        if (entry.id == id &&
            (entry.notification == kAnyNotification || entry.notification == notification))
            return &entry;
    }
    return nullptr;
}

MainWindow::MainWindow(WindowSystem& window) : session(window) {}

void MainWindow::Command(int id, int notification) {
    if (cleanedUp) return;
    // Start-up runs once, and nothing else means anything before it.
    const bool startUp = id == IDM_INIT;
    if (startUp == started) return;
    if (const CommandEntry* entry = FindCommand(id, notification)) (this->*(entry->run))(id);
}

void MainWindow::OpenHelp(int) { session.window.OpenHelp(kHelpFile); }
void MainWindow::ShowAbout(int) { session.window.ShowAbout(); }
void MainWindow::SolveCommand(int) { Solve(session, false); }
void MainWindow::OpenCommand(int) { OpenDataFile(session, std::nullopt); }
void MainWindow::Report(int) { WriteReport(session); }
void MainWindow::FieldChanged(int) { Evaluate(session, false); }

void MainWindow::Exit(int) {
    CleanUp();
    session.window.Quit(0);
}

void MainWindow::Equal(int) {
    SetEqualFrequencies(session);
    Evaluate(session, false);
}

void MainWindow::Empirical(int) {
    SetEmpiricalFrequencies(session);
    Evaluate(session, false);
}

void MainWindow::ModelChosen(int) {
    SelectModel(session, session.window.SelectedListItem(IDC_MODEL_COMBO));
}

void MainWindow::CriterionChosen(int id) {
    SelectCriterion(session,
                    id == IDC_LIKELIHOOD ? Criterion::MaxLikelihood : Criterion::LeastSquares);
}

// A frequency step that leaves no room for piT is taken back at once.
void MainWindow::StepButton(int id) {
    ParameterFields& f = session.fields;
    const struct {
        int up;
        int down;
        Param* field;
        bool frequency;
    } buttons[] = {
        {IDC_BETAT_UP, IDC_BETAT_DOWN, f.betatField.get(), false},
        {IDC_KAPPA_UP, IDC_KAPPA_DOWN, f.kappaField.get(), false},
        {IDC_PIA_UP, IDC_PIA_DOWN, f.piAField.get(), true},
        {IDC_PIC_UP, IDC_PIC_DOWN, f.piCField.get(), true},
        {IDC_PIG_UP, IDC_PIG_DOWN, f.piGField.get(), true},
    };
    for (const auto& button : buttons) {
        if (id != button.up && id != button.down) continue;
        const bool up = id == button.up;
        if (up)
            button.field->StepUp();
        else
            button.field->StepDown();
        if (button.frequency) CheckFrequencies(session, button.field, up ? -1 : 1);
    }
}

void MainWindow::Refresh(int) {
    DrawCountGrid(session.window, session.state, IDC_EXPECTED_GRID, true);
    DrawCountGrid(session.window, session.state, IDC_OBSERVED_GRID, true);
    const std::unique_ptr<Thermometer>& thermometer = session.thermometer;
    DYVERN_ASSERT(thermometer, "dyvern");
    thermometer->Update(thermometer->value);
}

void MainWindow::InitMainWindow(int) {
    started = true;
    WindowSystem& window = session.window;
    session.files = LocateFiles(window.ProgramPath());
    session.state.observed = {};
    session.state.expected = {};
    CreateParamFields();
    FillModelCombo();
    session.thermometer = std::make_unique<Thermometer>(window, IDC_GAUGE);
    session.thermometer->Clear();
    window.SetControlText(IDC_CRITERION_VALUE, "******");
    window.SetCheck(IDC_LIKELIHOOD, true);
    window.SetCheck(IDC_LEAST_SQUARES, false);
    CreateFonts();
    OpenDataFile(session, session.files.samplePath);
}

void MainWindow::CreateParamFields() {
    WindowSystem& window = session.window;
    ParameterFields& f = session.fields;
    f.betatField =
        std::make_unique<Param>(window, IDC_BETAT_LABEL, IDC_BETAT_LABEL2, IDC_BETAT_EDIT,
                                IDC_BETAT_UP, IDC_BETAT_DOWN, 0.001, 100, 0.001);
    f.kappaField = std::make_unique<Param>(window, IDC_KAPPA_LABEL, 0, IDC_KAPPA_EDIT, IDC_KAPPA_UP,
                                           IDC_KAPPA_DOWN, 0.05, 100, 0.05);
    f.piAField = std::make_unique<Param>(window, IDC_PIA_LABEL, IDC_PIA_LABEL2, IDC_PIA_EDIT,
                                         IDC_PIA_UP, IDC_PIA_DOWN, 0.01, 0.99, 0.01);
    f.piCField = std::make_unique<Param>(window, IDC_PIC_LABEL, IDC_PIC_LABEL2, IDC_PIC_EDIT,
                                         IDC_PIC_UP, IDC_PIC_DOWN, 0.01, 0.99, 0.01);
    f.piGField = std::make_unique<Param>(window, IDC_PIG_LABEL, IDC_PIG_LABEL2, IDC_PIG_EDIT,
                                         IDC_PIG_UP, IDC_PIG_DOWN, 0.01, 0.99, 0.01);
    f.piTField = std::make_unique<FixedParam>(window, IDC_PIT_LABEL, IDC_PIT_LABEL2, IDC_PIT_EDIT);
    f.betatField->SetValue(0.1);
    f.kappaField->SetValue(1.0);
    f.piAField->SetValue(0.25);
    f.piCField->SetValue(0.25);
    f.piGField->SetValue(0.25);
    f.piTField->SetValue(0.25);
    f.betatField->Enable();
}

void MainWindow::FillModelCombo() {
    WindowSystem& window = session.window;
    const bool hwndModelCombo = window.HasControl(IDC_MODEL_COMBO);
    DYVERN_ASSERT(hwndModelCombo, "dyvern");
    for (int position = 0; position < static_cast<int>(std::size(kModelNames)); ++position)
        window.InsertListItem(IDC_MODEL_COMBO, position, kModelNames[position]);
    window.SelectListItem(IDC_MODEL_COMBO, 0);
    SelectModel(session, static_cast<int>(ModelKind::JC69));
}

void MainWindow::CreateFonts() {
    WindowSystem& window = session.window;
    const bool hSmallFont = window.MakeFont(FontRole::Small, "Arial", 10);
    DYVERN_ASSERT(hSmallFont, "dyvern");
    for (const int id : {IDC_EMPIRICAL, IDC_EQUAL}) window.SetControlFont(id, FontRole::Small);
    const bool hSymbolFont = window.MakeFont(FontRole::Symbol, "Symbol", 14);
    DYVERN_ASSERT(hSymbolFont, "dyvern");
    for (const int id : {IDC_KAPPA_LABEL, IDC_BETAT_LABEL, IDC_PIA_LABEL, IDC_PIC_LABEL,
                         IDC_PIG_LABEL, IDC_PIT_LABEL})
        window.SetControlFont(id, FontRole::Symbol);
    const bool hVariablesFont = window.MakeFont(FontRole::Variables, "Tms Rmn", 14);
    DYVERN_ASSERT(hVariablesFont, "dyvern");
    for (const int id :
         {IDC_BETAT_LABEL2, IDC_PIA_LABEL2, IDC_PIC_LABEL2, IDC_PIG_LABEL2, IDC_PIT_LABEL2})
        window.SetControlFont(id, FontRole::Variables);
}

void MainWindow::CleanUp() {
    if (cleanedUp || !started) {
        cleanedUp = true;
        return;
    }
    cleanedUp = true;
    ParameterFields& f = session.fields;
    f.betatField.reset();
    f.kappaField.reset();
    f.piAField.reset();
    f.piCField.reset();
    f.piGField.reset();
    f.piTField.reset();
    session.state.expected = {};
    session.state.observed = {};
    session.thermometer.reset();
    session.window.ReleaseFont(FontRole::Symbol);
    session.window.ReleaseFont(FontRole::Small);
    session.window.ReleaseFont(FontRole::Variables);
}

}  // namespace dyvern
