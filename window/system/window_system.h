// Everything the main window's logic asks of the window system, and nothing
// more. The Win32 program implements it with real controls; the tests with an
// in-memory window that behaves as the real controls do where it matters.
#pragma once

#include <optional>
#include <string>

#include "system/dialog.h"
#include "system/picture.h"

namespace dyvern {

enum class MessageStyle {
    Error,     // OK only, no icon
    Question,  // Yes and No, question icon
};

enum class MessageAnswer { Ok, Yes, No };

class WindowSystem {
public:
    virtual ~WindowSystem() = default;

    virtual bool HasControl(int id) const = 0;
    virtual std::string ControlText(int id) const = 0;
    // Setting the text of an edit control raises its update notification at
    // once: the command table runs nested inside this call.
    virtual void SetControlText(int id, const std::string& text) = 0;
    virtual void EnableControl(int id, bool enabled) = 0;
    virtual void EnableMenuItem(int id, bool enabled) = 0;
    virtual void SetCheck(int id, bool checked) = 0;
    virtual void SetTitle(const std::string& title) = 0;

    // The model combo box: insertion by position, selection without notification.
    virtual void InsertListItem(int id, int position, const std::string& text) = 0;
    virtual void SelectListItem(int id, int position) = 0;
    virtual int SelectedListItem(int id) const = 0;

    // Modal message box owned by the main window.
    virtual MessageAnswer ShowMessage(const std::string& text, const std::string& caption,
                                      MessageStyle style) = 0;
    // The open-file dialog, offering `initialName`; nothing when cancelled.
    virtual std::optional<std::string> AskForDataFile(const std::string& initialName) = 0;
    virtual void ShowAbout() = 0;
    // Runs a dialog of our own from its template, modal to the main window.
    virtual void RunDialog(const std::string& templateName, DialogLogic& logic) = 0;
    virtual void OpenHelp(const std::string& helpFile) = 0;
    // Starts another program with a command line; whether it started is not reported.
    virtual void StartProgram(const std::string& commandLine) = 0;
    // Full path of the running program's own file.
    virtual std::string ProgramPath() const = 0;
    // Ends the message loop with the exit code.
    virtual void Quit(int exitCode) = 0;

    // Fonts by role, made at start-up and released at shut-down.
    virtual bool MakeFont(FontRole role, const std::string& face, int pixelHeight) = 0;
    virtual void ReleaseFont(FontRole role) = 0;
    virtual void SetControlFont(int id, FontRole role) = 0;

    // Drawing into a static control, in its client pixels.
    virtual Size ClientSize(int id) const = 0;
    // Erases the control when asked, lets it repaint itself, then draws the
    // picture; the control keeps showing it until the next Paint.
    virtual void Paint(int id, const Picture& picture, bool erase) = 0;
};

}  // namespace dyvern
