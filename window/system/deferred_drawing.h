// A window system that holds back drawing while a command runs. A command
// re-enters the command table once for every edit it sets, and each nested
// evaluation used to redraw the gauge, the grids and the result texts; under
// Wine every redraw costs milliseconds. Held back, each control is drawn once,
// with what the last request asked for, when the outermost command ends.
// Within a batch the text of a control is read from it once: each evaluation
// reads every field several times, and nobody can type while a command runs.
// A control is not enabled or disabled again in the state it was last given.
#pragma once

#include <map>
#include <set>
#include <string>
#include <utility>

#include "system/window_system.h"

namespace dyvern {

class DeferredDrawing final : public WindowSystem {
public:
    // Texts of `heldTexts` are held back as pictures are: controls whose text
    // nothing listens to.
    DeferredDrawing(WindowSystem& window, std::set<int> heldTexts);

    // Held while at least one Hold is not matched by a Release; the last
    // Release draws what is pending.
    void Hold() { ++depth; }
    void Release();
    // Draws what is pending now; a modal window or another program must find
    // the main window up to date.
    void Flush();

    bool HasControl(int id) const override { return window.HasControl(id); }
    std::string ControlText(int id) const override;
    void SetControlText(int id, const std::string& text) override;
    void EnableControl(int id, bool enabled) override;
    void EnableMenuItem(int id, bool enabled) override { window.EnableMenuItem(id, enabled); }
    void SetCheck(int id, bool checked) override { window.SetCheck(id, checked); }
    void SetTitle(const std::string& title) override { window.SetTitle(title); }
    void InsertListItem(int id, int position, const std::string& text) override {
        window.InsertListItem(id, position, text);
    }
    void SelectListItem(int id, int position) override { window.SelectListItem(id, position); }
    int SelectedListItem(int id) const override { return window.SelectedListItem(id); }
    MessageAnswer ShowMessage(const std::string& text, const std::string& caption,
                              MessageStyle style) override;
    std::optional<std::string> AskForDataFile(const std::string& initialName) override;
    void ShowAbout() override;
    void RunDialog(const std::string& templateName, DialogLogic& logic) override;
    void OpenHelp(const std::string& helpFile) override;
    void StartProgram(const std::string& commandLine) override;
    std::string ProgramPath() const override { return window.ProgramPath(); }
    void Quit(int exitCode) override { window.Quit(exitCode); }
    bool MakeFont(FontRole role, const std::string& face, int pixelHeight) override {
        return window.MakeFont(role, face, pixelHeight);
    }
    void ReleaseFont(FontRole role) override { window.ReleaseFont(role); }
    void SetControlFont(int id, FontRole role) override { window.SetControlFont(id, role); }
    Size ClientSize(int id) const override { return window.ClientSize(id); }
    void Paint(int id, const Picture& picture, bool erase) override;

private:
    struct PendingPaint {
        Picture picture;
        bool erase = false;  // any request of the batch asked to erase
    };

    WindowSystem& window;
    const std::set<int> heldTexts;
    int depth = 0;
    std::map<int, std::string> texts;
    std::map<int, PendingPaint> paints;
    mutable std::map<int, std::string> textsRead;
    std::map<int, bool> enabledSet;  // only the logic enables controls, so this stays true
};

// Holds a DeferredDrawing for one scope.
class DrawingBatch {
public:
    explicit DrawingBatch(DeferredDrawing& drawing) : drawing(drawing) { drawing.Hold(); }
    ~DrawingBatch() { drawing.Release(); }
    DrawingBatch(const DrawingBatch&) = delete;
    DrawingBatch& operator=(const DrawingBatch&) = delete;

private:
    DeferredDrawing& drawing;
};

}  // namespace dyvern
