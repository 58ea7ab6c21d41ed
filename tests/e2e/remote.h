// Driving a running Windows program from outside, through its windows only:
// the way a user's clicks and keys reach it, as messages.
#pragma once

#include <windows.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace e2e {

// Polls `condition` every `pollMs` until it holds or `seconds` have passed.
bool WaitUntil(const std::function<bool()>& condition, double seconds, int pollMs = 50);

// A visible top-level window of `className` titled `title` (any title when
// empty) of process `processId` (any when 0), waiting up to `seconds` for it.
HWND FindTopLevel(const std::string& className, const std::string& title, DWORD processId,
                  double seconds = 0);
std::string WindowText(HWND window);
// The texts of a combo box (CB_GETCOUNT, CB_GETLBTEXT) or a list box (LB_...).
std::vector<std::string> ListTexts(HWND list, UINT countMessage, UINT textMessage);
// A message box's text (its static control 0xFFFF).
std::string MessageBoxText(HWND box);
// Posts a button press (IDOK, IDYES ...) and waits for the window to go.
bool Answer(HWND box, int button, double seconds = 10);
// Closes every dialog or message box of a process, so that one case left
// open does not block the next; returns their titles.
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

    HWND Control(int id) const { return GetDlgItem(hwndMain, id); }
    std::string Text(int id) const { return WindowText(Control(id)); }
    std::string Title() const { return WindowText(hwndMain); }
    bool Enabled(int id) const { return IsWindowEnabled(Control(id)) != FALSE; }
    bool Checked(int id) const { return Send(Control(id), BM_GETCHECK, 0, 0) == BST_CHECKED; }
    std::vector<std::string> ListItems(int id) const {
        return ListTexts(Control(id), CB_GETCOUNT, CB_GETLBTEXT);
    }
    int SelectedItem(int id) const {
        return static_cast<int>(Send(Control(id), CB_GETCURSEL, 0, 0).value_or(CB_ERR));
    }

    // Sent messages return when the program has handled them (false on a
    // time-out); anything that opens a modal window must be posted instead.
    bool SetText(int id, const std::string& text) {
        return Send(Control(id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str())).has_value();
    }
    bool Command(int id, int notification = 0) {
        return Send(hwndMain, WM_COMMAND, MAKEWPARAM(id, notification),
                    reinterpret_cast<LPARAM>(Control(id)))
            .has_value();
    }
    void PostCommand(int id) { PostMessageA(hwndMain, WM_COMMAND, MAKEWPARAM(id, 0), 0); }
    // A combo box choice as the user makes it: CB_SETCURSEL raises no notification.
    bool SelectItem(int id, int index) {
        return Send(Control(id), CB_SETCURSEL, index, 0) && Command(id, CBN_SELCHANGE);
    }
    bool Click(int id) { return Send(Control(id), BM_CLICK, 0, 0).has_value(); }
    bool Responsive() const { return Send(hwndMain, WM_NULL, 0, 0).has_value(); }

    // The menu bar through the keyboard: Alt with a title's mnemonic, then the
    // keys and characters the open menu takes; its popup is of class "#32768".
    // The menu loop reads them from the thread's queue, whichever window they name.
    void OpenMenu(char mnemonic) { PostMessageA(hwndMain, WM_SYSCOMMAND, SC_KEYMENU, mnemonic); }
    void PostKey(WPARAM virtualKey) { PostMessageA(hwndMain, WM_KEYDOWN, virtualKey, 0); }
    void PostChar(char character) { PostMessageA(hwndMain, WM_CHAR, character, 0); }
    HWND MenuPopup() const { return FindTopLevel("#32768", "", ProcessId()); }

    // The exit code once the process has ended, nothing on a time-out.
    std::optional<DWORD> WaitForExit(double seconds);

private:
    // The result, or nothing when the program did not answer in time.
    static std::optional<LRESULT> Send(HWND target, UINT message, WPARAM wParam, LPARAM lParam);

    PROCESS_INFORMATION process{};
    HWND hwndMain = nullptr;
};

}  // namespace e2e
