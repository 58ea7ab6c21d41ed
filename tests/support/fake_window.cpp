#include "support/fake_window.h"

#include <stdexcept>

#include "system/control_ids.h"

namespace dyvern::testing {
namespace {

struct ControlTemplate {
    int id;
    std::string className;
    std::string text;
    std::string style;  // as the resource script spells it
    int width;          // dialog units
    int height;
};

#define DYVERN_CONTROL(text, id, cls, style, x, y, w, h) {id, cls, text, #style, w, h},
const ControlTemplate kControls[] = {
#include "system/main_window_controls.inc"
};
#undef DYVERN_CONTROL

// The next of the answers given, or `otherwise` when none is left.
template <typename T>
T TakeFront(std::deque<T>& answers, T otherwise) {
    if (answers.empty()) return otherwise;
    T answer = answers.front();
    answers.pop_front();
    return answer;
}

// The system font's dialog base units: 4 horizontal units are 6 pixels and 8
// vertical units 13 pixels, rounded as MulDiv rounds.
int HorizontalPixels(int units) { return (units * 6 + 2) / 4; }
int VerticalPixels(int units) { return (units * 13 + 4) / 8; }

}  // namespace

FakeWindow::FakeWindow(std::string programPath) : programPath(std::move(programPath)) {
    for (const ControlTemplate& t : kControls) {
        FakeControl& control = controls[t.id];
        control.text = t.text;
        control.isEdit = t.className == "Edit";
        control.enabled = t.style.find("WS_DISABLED") == std::string::npos;
        control.size = {HorizontalPixels(t.width), VerticalPixels(t.height)};
    }
}

void FakeWindow::SetControlText(int id, const std::string& text) {
    FakeControl& control = controls.at(id);
    control.text = text;
    ++changes;
    ++draws[id];
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

MessageAnswer FakeWindow::ShowMessage(const std::string& text, const std::string& caption,
                                      MessageStyle style) {
    messages.push_back({text, caption, style});
    return TakeFront(messageAnswers,
                     style == MessageStyle::Error ? MessageAnswer::Ok : MessageAnswer::No);
}

std::optional<std::string> FakeWindow::AskForDataFile(const std::string&) {
    return TakeFront(fileAnswers, std::optional<std::string>());
}

void FakeWindow::RunDialog(const std::string&, DialogLogic& logic) {
    FakeDialog dialog;
    logic.Start(dialog);
    const DialogAnswer answer = TakeFront(dialogAnswers, DialogAnswer{-1, -1, 0, IDC_PAIR_CANCEL});
    if (answer.first >= 0) dialog.selected[IDC_PAIR_FIRST] = answer.first;
    if (answer.second >= 0) dialog.selected[IDC_PAIR_SECOND] = answer.second;
    // Radio buttons of one group, as the real ones behave.
    if (answer.radio != 0)
        for (const int id : {IDC_AMBIGUITY_SKIP, IDC_AMBIGUITY_AVERAGE, IDC_AMBIGUITY_RESOLVE})
            dialog.checks[id] = id == answer.radio;
    // A dialog that stays open after the press is then cancelled.
    if (!logic.Command(dialog, answer.button) && !logic.Command(dialog, IDC_PAIR_CANCEL))
        throw std::logic_error("the dialog does not close on Cancel");
}

void FakeWindow::Paint(int id, const Picture& picture, bool) {
    pictures[id] = picture;
    ++changes;
    ++draws[id];
}

}  // namespace dyvern::testing
