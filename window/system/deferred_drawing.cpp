#include "system/deferred_drawing.h"

namespace dyvern {

DeferredDrawing::DeferredDrawing(WindowSystem& window, std::set<int> heldTexts)
    : window(window), heldTexts(std::move(heldTexts)) {}

void DeferredDrawing::Release() {
    if (depth > 0 && --depth == 0) Flush();
}

void DeferredDrawing::Flush() {
    textsRead.clear();  // the user may act before the next read
    // Taken out first: a text set here may raise a notification that runs
    // another command, which must find nothing left to draw.
    const std::map<int, std::string> dueTexts = std::exchange(texts, {});
    const std::map<int, PendingPaint> duePaints = std::exchange(paints, {});
    for (const auto& [id, text] : dueTexts) window.SetControlText(id, text);
    for (const auto& [id, paint] : duePaints) window.Paint(id, paint.picture, paint.erase);
}

std::string DeferredDrawing::ControlText(int id) const {
    const auto pending = texts.find(id);
    if (pending != texts.end()) return pending->second;
    if (depth == 0) return window.ControlText(id);
    const auto read = textsRead.find(id);
    if (read != textsRead.end()) return read->second;
    return textsRead[id] = window.ControlText(id);
}

void DeferredDrawing::SetControlText(int id, const std::string& text) {
    textsRead.erase(id);  // the control may keep less than it is given
    if (depth > 0 && heldTexts.count(id) != 0)
        texts[id] = text;
    else
        window.SetControlText(id, text);
}

void DeferredDrawing::EnableControl(int id, bool enabled) {
    const auto known = enabledSet.find(id);
    if (known != enabledSet.end() && known->second == enabled) return;
    enabledSet[id] = enabled;
    window.EnableControl(id, enabled);
}

void DeferredDrawing::Paint(int id, const Picture& picture, bool erase) {
    if (depth == 0) {
        window.Paint(id, picture, erase);
        return;
    }
    PendingPaint& pending = paints[id];
    pending.picture = picture;
    pending.erase = pending.erase || erase;
}

MessageAnswer DeferredDrawing::ShowMessage(const std::string& text, const std::string& caption,
                                           MessageStyle style) {
    Flush();
    return window.ShowMessage(text, caption, style);
}

std::optional<std::string> DeferredDrawing::AskForDataFile(const std::string& initialName) {
    Flush();
    return window.AskForDataFile(initialName);
}

void DeferredDrawing::ShowAbout() {
    Flush();
    window.ShowAbout();
}

void DeferredDrawing::RunDialog(const std::string& templateName, DialogLogic& logic) {
    Flush();
    window.RunDialog(templateName, logic);
}

void DeferredDrawing::OpenHelp(const std::string& helpFile) {
    Flush();
    window.OpenHelp(helpFile);
}

void DeferredDrawing::StartProgram(const std::string& commandLine) {
    Flush();
    window.StartProgram(commandLine);
}

}  // namespace dyvern
