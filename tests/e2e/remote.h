// Driving a running Windows program from outside, through its windows only:
// the way a user's clicks and keys reach it, as messages.
#pragma once

#include <windows.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace e2e {

// Polls `condition` every 50 ms until it holds or `seconds` have passed.
bool WaitUntil(const std::function<bool()>& condition, double seconds);

// A visible top-level window of `className` titled `title` (any title when
// empty), owned by process `processId` (any process when 0).
HWND FindTopLevel(const std::string& className, const std::string& title, DWORD processId);
HWND WaitForTopLevel(const std::string& className, const std::string& title, DWORD processId,
                     double seconds);
// The texts of a window's child controls, in z-order.
std::vector<std::string> ChildTexts(HWND window);
std::string WindowText(HWND window);
// A message box's text (its static control 0xFFFF).
std::string MessageBoxText(HWND box);
// Posts a button press (IDOK, IDYES ...) and waits for the window to go.
bool Answer(HWND box, int button, double seconds);
// Closes every visible dialog or message box of a process, so that one case
// left open does not block the next; returns their titles.
std::vector<std::string> CloseDialogs(DWORD processId);

// One run of the program under test, started by the driver.
class RemoteProgram {
public:
    RemoteProgram() = default;
    ~RemoteProgram();
    RemoteProgram(const RemoteProgram&) = delete;
    RemoteProgram& operator=(const RemoteProgram&) = delete;

    // Starts the program and waits for its main window of class "Dyvern".
    bool Start(const std::string& program, const std::string& workingDirectory);
    HWND Main() const { return hwndMain; }
    DWORD ProcessId() const { return process.dwProcessId; }

    HWND Control(int id) const;
    std::string Text(int id) const;
    std::string Title() const;
    bool Enabled(int id) const;
    bool Checked(int id) const;
    std::vector<std::string> ListItems(int id) const;
    int SelectedItem(int id) const;

    // Sent messages return when the program has handled them (false on a
    // time-out); anything that opens a modal window must be posted instead.
    bool SetText(int id, const std::string& text);
    bool Command(int id, int notification = 0);
    bool PostCommand(int id);
    bool SelectModel(int index);
    bool Click(int id);
    bool Responsive() const;

    // The exit code once the process has ended, nothing on a time-out.
    std::optional<DWORD> WaitForExit(double seconds);
    bool Running() const;

private:
    bool Send(UINT message, WPARAM wParam, LPARAM lParam, HWND target = nullptr) const;

    PROCESS_INFORMATION process{};
    HWND hwndMain = nullptr;
};

}  // namespace e2e
