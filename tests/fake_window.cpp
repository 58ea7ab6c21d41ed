#include "tests/fake_window.h"

#include <stdexcept>

#include "system/control_ids.h"

namespace dyvern::testing {
namespace {

constexpr int kEditIds[] = {IDC_BETAT_EDIT, IDC_KAPPA_EDIT, IDC_PIA_EDIT,
                            IDC_PIC_EDIT,   IDC_PIG_EDIT,   IDC_PIT_EDIT};
constexpr int kOtherIds[] = {
    IDC_SOLVE,           IDC_REFRESH,         IDC_EQUAL,          IDC_EMPIRICAL,
    IDC_REPORT,          IDC_MODEL_LABEL,     IDC_MODEL_COMBO,    IDC_BETAT_LABEL,
    IDC_BETAT_LABEL2,    IDC_BETAT_UP,        IDC_BETAT_DOWN,     IDC_KAPPA_LABEL,
    IDC_KAPPA_UP,        IDC_KAPPA_DOWN,      IDC_PIA_LABEL,      IDC_PIA_LABEL2,
    IDC_PIA_UP,          IDC_PIA_DOWN,        IDC_PIC_LABEL,      IDC_PIC_LABEL2,
    IDC_PIC_UP,          IDC_PIC_DOWN,        IDC_PIG_LABEL,      IDC_PIG_LABEL2,
    IDC_PIG_UP,          IDC_PIG_DOWN,        IDC_PIT_LABEL,      IDC_PIT_LABEL2,
    IDC_CRITERION_LABEL, IDC_CRITERION_VALUE, IDC_OBSERVED_FRAME, IDC_OBSERVED_GRID,
    IDC_EXPECTED_FRAME,  IDC_EXPECTED_GRID,   IDC_GAUGE,          IDC_LIKELIHOOD,
    IDC_LEAST_SQUARES};

// Client sizes of the drawn controls at the system font's dialog units.
constexpr Size kGaugeSize{18, 224};
constexpr Size kGridSize{146, 84};

}  // namespace

FakeWindow::FakeWindow(std::string programPath) : programPath(std::move(programPath)) {
    for (const int id : kEditIds) controls[id].isEdit = true;
    for (const int id : kOtherIds) controls[id];
    controls[IDC_CRITERION_LABEL].text = "lnL =";
    controls[IDC_CRITERION_VALUE].text = "-1690.00";
    controls[IDC_PIT_EDIT].enabled = false;
    for (const int id :
         {IDM_OPEN, IDC_REPORT, IDM_EXIT, IDC_EMPIRICAL, IDC_EQUAL, IDM_HELP_CONTENTS, IDM_ABOUT})
        menuEnabled[id] = true;
}

bool FakeWindow::HasControl(int id) const { return controls.count(id) != 0; }

std::string FakeWindow::ControlText(int id) const { return controls.at(id).text; }

void FakeWindow::SetControlText(int id, const std::string& text) {
    FakeControl& control = controls.at(id);
    control.text = text;
    log.push_back("text " + std::to_string(id) + " " + text);
    if (id == IDC_CRITERION_VALUE) ++criterionShows;
    if (control.isEdit && commands) commands->Command(id, DYVERN_EN_UPDATE);
}

void FakeWindow::Type(int editId, const std::string& text) {
    if (!controls.at(editId).enabled) throw std::logic_error("typing into a disabled field");
    SetControlText(editId, text);
}

void FakeWindow::ChooseModel(int position) {
    selectedItem = position;
    commands->Command(IDC_MODEL_COMBO, DYVERN_CBN_SELCHANGE);
}

void FakeWindow::EnableControl(int id, bool enabled) {
    controls.at(id).enabled = enabled;
    log.push_back((enabled ? "enable " : "disable ") + std::to_string(id));
}

void FakeWindow::EnableMenuItem(int id, bool enabled) {
    menuEnabled.at(id) = enabled;
    log.push_back((enabled ? "enable menu " : "disable menu ") + std::to_string(id));
}

void FakeWindow::SetCheck(int id, bool checked) { controls.at(id).checked = checked; }

void FakeWindow::InsertListItem(int id, int position, const std::string& text) {
    if (id != IDC_MODEL_COMBO) throw std::logic_error("not a list");
    listItems.insert(listItems.begin() + position, text);
}

void FakeWindow::SelectListItem(int id, int position) {
    if (id != IDC_MODEL_COMBO) throw std::logic_error("not a list");
    selectedItem = position;
    log.push_back("select " + std::to_string(position));
}

int FakeWindow::SelectedListItem(int) const { return selectedItem; }

MessageAnswer FakeWindow::ShowMessage(const std::string& text, const std::string& caption,
                                      MessageStyle style) {
    messages.push_back({text, caption, style});
    log.push_back("message " + text);
    if (messageAnswers.empty())
        return style == MessageStyle::Error ? MessageAnswer::Ok : MessageAnswer::No;
    const MessageAnswer answer = messageAnswers.front();
    messageAnswers.pop_front();
    return answer;
}

std::optional<std::string> FakeWindow::AskForDataFile(const std::string& initialName) {
    dialogInitialNames.push_back(initialName);
    if (fileAnswers.empty()) return std::nullopt;
    const std::optional<std::string> answer = fileAnswers.front();
    fileAnswers.pop_front();
    return answer;
}

bool FakeWindow::MakeFont(FontRole role, const std::string& face, int pixelHeight) {
    fonts[role] = face + " " + std::to_string(pixelHeight);
    return true;
}

void FakeWindow::ReleaseFont(FontRole role) {
    if (fonts.erase(role) == 1) ++fontsDeleted;
}

void FakeWindow::SetControlFont(int id, FontRole role) {
    if (fonts.count(role) == 0) throw std::logic_error("font set before it was made");
    controls.at(id).font = role;
}

Size FakeWindow::ClientSize(int id) const {
    if (id == IDC_GAUGE) return kGaugeSize;
    if (id == IDC_OBSERVED_GRID || id == IDC_EXPECTED_GRID) return kGridSize;
    return {};
}

void FakeWindow::Paint(int id, const Picture& picture, bool erase) {
    pictures[id] = picture;
    ++paints[id];
    log.push_back(std::string("paint ") + std::to_string(id) + (erase ? " erase" : ""));
}

}  // namespace dyvern::testing
