// An in-memory main window for driving the window logic in tests. It behaves
// as the real controls do where the logic depends on it: setting the text of
// an edit control raises EN_UPDATE at once, re-entering the command table.
#pragma once

#include <deque>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "shell/main_window.h"
#include "system/window_system.h"

namespace dyvern::testing {

struct FakeControl {
    std::string text;
    bool enabled = true;
    bool checked = false;
    bool isEdit = false;
    Size size;  // client pixels
};

// A dialog's controls in memory: list selections and check marks.
struct FakeDialog final : DialogControls {
    void InsertListItem(int, int, const std::string&) override {}
    void SelectListItem(int id, int position) override { selected[id] = position; }
    int SelectedListItem(int id) const override {
        return selected.count(id) ? selected.at(id) : -1;
    }
    void SetCheck(int id, bool on) override { checks[id] = on; }
    bool Checked(int id) const override { return checks.count(id) && checks.at(id); }

    std::map<int, int> selected;
    std::map<int, bool> checks;
};

// What the user does in the next dialog: the list positions chosen (-1 keeps
// the selection), the radio button clicked (0 for none) and the button pressed.
struct DialogAnswer {
    int first = -1;
    int second = -1;
    int radio = 0;
    int button = 0;
};

struct ShownMessage {
    std::string text;
    std::string caption;
    MessageStyle style;
};

class FakeWindow final : public WindowSystem {
public:
    // A window with every control of the main window's template; the program
    // file lives at `programPath`.
    explicit FakeWindow(std::string programPath);

    // The command table that edit notifications re-enter.
    void Attach(MainWindow* mainWindow) { commands = mainWindow; }

    // What the user does: a typed text (EN_UPDATE follows), a combo selection
    // (CBN_SELCHANGE follows), answers to the next message box and file dialog.
    void Type(int editId, const std::string& text);
    void ChooseModel(int position);
    void AnswerNextMessage(MessageAnswer answer) { messageAnswers.push_back(answer); }
    void AnswerNextFileDialog(std::optional<std::string> path) { fileAnswers.push_back(path); }
    void AnswerNextDialog(DialogAnswer answer) { dialogAnswers.push_back(answer); }

    // WindowSystem; every call that changes what the window shows counts in `changes`.
    bool HasControl(int id) const override { return controls.count(id) != 0; }
    std::string ControlText(int id) const override { return controls.at(id).text; }
    void SetControlText(int id, const std::string& text) override;
    void EnableControl(int id, bool on) override { Change(controls.at(id).enabled, on); }
    void EnableMenuItem(int id, bool on) override { Change(menuEnabled[id], on); }
    void SetCheck(int id, bool checked) override { Change(controls.at(id).checked, checked); }
    void SetTitle(const std::string& text) override { Change(title, text); }
    void InsertListItem(int, int, const std::string&) override { ++changes; }
    void SelectListItem(int, int position) override { Change(selectedItem, position); }
    int SelectedListItem(int) const override { return selectedItem; }
    MessageAnswer ShowMessage(const std::string& text, const std::string& caption,
                              MessageStyle style) override;
    std::optional<std::string> AskForDataFile(const std::string& initialName) override;
    void ShowAbout() override {}
    // Without an answer the dialog is cancelled.
    void RunDialog(const std::string& templateName, DialogLogic& logic) override;
    void OpenHelp(const std::string&) override {}
    void StartProgram(const std::string& commandLine) override { started.push_back(commandLine); }
    std::string ProgramPath() const override { return programPath; }
    void Quit(int) override {}
    bool MakeFont(FontRole, const std::string&, int) override { return true; }
    void ReleaseFont(FontRole) override {}
    void SetControlFont(int, FontRole) override {}
    Size ClientSize(int id) const override { return controls.at(id).size; }
    void Paint(int id, const Picture& picture, bool erase) override;

    std::map<int, FakeControl> controls;
    std::map<int, bool> menuEnabled;
    int selectedItem = -1;
    std::string title = "Dyvern";
    std::vector<ShownMessage> messages;
    std::vector<std::string> started;
    std::map<int, Picture> pictures;  // what each drawn control shows now
    std::map<int, int> draws;         // paints and text sets of each control
    int changes = 0;

private:
    template <typename T, typename V>
    void Change(T& field, const V& value) {
        field = value;
        ++changes;
    }

    std::string programPath;
    MainWindow* commands = nullptr;
    std::deque<MessageAnswer> messageAnswers;
    std::deque<std::optional<std::string>> fileAnswers;
    std::deque<DialogAnswer> dialogAnswers;
};

}  // namespace dyvern::testing
