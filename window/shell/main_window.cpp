#include "shell/main_window.h"

#include <optional>

#include "actions/compare_models.h"
#include "actions/evaluation.h"
#include "actions/model_selection.h"
#include "actions/open_data_file.h"
#include "actions/open_help.h"
#include "actions/parameter_rules.h"
#include "actions/write_report.h"
#include "base/stop.h"
#include "controls/count_grid.h"
#include "controls/field_table.h"
#include "model/model_family.h"
#include "system/control_ids.h"

namespace dyvern {
namespace {

constexpr int kAnyNotification = -1;

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
        {IDM_COMPARE, kAnyNotification, &MainWindow::CompareModels},
        {IDC_MODEL_COMBO, DYVERN_CBN_SELCHANGE, &MainWindow::ModelChosen},
        {IDC_LIKELIHOOD, kAnyNotification, &MainWindow::CriterionChosen},
        {IDC_LEAST_SQUARES, kAnyNotification, &MainWindow::CriterionChosen},
    };
    for (const CommandEntry& entry : kCommands) {
        if (entry.id == id &&
            (entry.notification == kAnyNotification || entry.notification == notification))
            return &entry;
    }
    // The parameter fields' edits and buttons, routed by the field table.
    static const CommandEntry kFieldEdit{0, DYVERN_EN_UPDATE, &MainWindow::FieldChanged};
    static const CommandEntry kFieldButton{0, kAnyNotification, &MainWindow::StepButton};
    if (FieldWithEdit(id)) return notification == DYVERN_EN_UPDATE ? &kFieldEdit : nullptr;
    if (FieldWithButton(id)) return &kFieldButton;
    return nullptr;
}

// The texts every evaluation rewrites; none raises a command the table answers.
MainWindow::MainWindow(WindowSystem& window)
    : screen(window, {IDC_CRITERION_VALUE, IDC_D_VALUE, IDC_PIT_EDIT}), session(screen) {}

void MainWindow::Command(int id, int notification) {
    if (cleanedUp) return;
    // Start-up runs once, and nothing else means anything before it.
    const bool startUp = id == IDM_INIT;
    if (startUp == started) return;
    const DrawingBatch batch(screen);
    if (const CommandEntry* entry = FindCommand(id, notification)) (this->*(entry->run))(id);
}

void MainWindow::OpenHelp(int) { dyvern::OpenHelp(session); }
void MainWindow::ShowAbout(int) { session.window.ShowAbout(); }
void MainWindow::SolveCommand(int) { Solve(session, false); }
void MainWindow::OpenCommand(int) { OpenDataFile(session, std::nullopt); }
void MainWindow::Report(int) { WriteReport(session); }
void MainWindow::CompareModels(int) { CompareLoadedModels(session); }
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
    const FieldDescription* button = FieldWithButton(id);
    if (!button) return;
    FixedParam& field = session.fields[button->field];
    const bool up = id == button->idUp;
    if (up)
        field.StepUp();
    else
        field.StepDown();
    if (button->role == FieldRole::Frequency) CheckFrequencies(session, &field, up ? -1 : 1);
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
    session.fields.Create(window);
    FillModelCombo();
    session.thermometer = std::make_unique<Thermometer>(window, IDC_GAUGE);
    session.thermometer->Clear();
    window.SetControlText(IDC_CRITERION_VALUE, "******");
    window.SetControlText(IDC_D_VALUE, "******");
    window.SetCheck(IDC_LIKELIHOOD, true);
    window.SetCheck(IDC_LEAST_SQUARES, false);
    CreateFonts();
    OpenDataFile(session, session.files.samplePath);
}

void MainWindow::FillModelCombo() {
    WindowSystem& window = session.window;
    const bool hwndModelCombo = window.HasControl(IDC_MODEL_COMBO);
    DYVERN_ASSERT(hwndModelCombo, "dyvern");
    for (const ModelKind model : kWindowModels)
        window.InsertListItem(IDC_MODEL_COMBO, static_cast<int>(model), FactsOf(model).listName);
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
    for (const FieldDescription& d : kFieldTable) window.SetControlFont(d.idLabel, FontRole::Symbol);
    const bool hVariablesFont = window.MakeFont(FontRole::Variables, "Tms Rmn", 14);
    DYVERN_ASSERT(hVariablesFont, "dyvern");
    for (const FieldDescription& d : kFieldTable)
        if (d.idLabel2 != 0) window.SetControlFont(d.idLabel2, FontRole::Variables);
}

void MainWindow::CleanUp() {
    if (cleanedUp || !started) {
        cleanedUp = true;
        return;
    }
    cleanedUp = true;
    session.fields.Release();
    session.state.expected = {};
    session.state.observed = {};
    session.thermometer.reset();
    session.window.ReleaseFont(FontRole::Symbol);
    session.window.ReleaseFont(FontRole::Small);
    session.window.ReleaseFont(FontRole::Variables);
}

}  // namespace dyvern
