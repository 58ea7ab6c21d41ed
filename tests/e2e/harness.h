// What the end-to-end driver needs to work a running Windows program from
// outside: checks that print one line each, round trips printed as medians,
// the program's windows reached through messages, and screenshots.
#pragma once

#include <windows.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace e2e {

// Every check prints a line; the run ends with "N passed, N failed".
class Checks {
public:
    void Group(const std::string& name);
    // `detail` says what was seen when the check fails.
    bool Expect(bool ok, const std::string& what, const std::string& detail = {});
    // The process exit code: 0 only without failures.
    int Finish() const;

private:
    std::string group;
    int passed = 0;
    int failed = 0;
};

// Reads a whole text as a number; false when it is not one.
bool ParseNumber(const std::string& text, double& value);
// The text is a number within `tolerance` of `expected`.
bool Near(const std::string& text, double expected, double tolerance);
double TimeMs(const std::function<void()>& action);
// Runs `round` `rounds` times, each returning the milliseconds it measured,
// and prints "timing <what> median <ms> ms".
void PrintMedian(const std::string& what, int rounds, const std::function<double()>& round);

bool WaitUntil(const std::function<bool()>& condition, double seconds, int pollMs = 50);
// A visible top-level window of `className` titled `title` (any title when
// empty) of process `processId` (any when 0), waiting up to `seconds` for it.
HWND FindTopLevel(const std::string& className, const std::string& title, DWORD processId,
                  double seconds = 0, int pollMs = 50);
std::string WindowText(HWND window);
// The texts of a combo box (CB_GETCOUNT, CB_GETLBTEXT) or a list box (LB_...).
std::vector<std::string> ListTexts(HWND list, UINT countMessage, UINT textMessage);
inline std::string MessageBoxText(HWND box) { return WindowText(GetDlgItem(box, 0xFFFF)); }
// Posts a button press (IDOK, IDYES ...) and waits for the window to go.
bool Answer(HWND box, int button, double seconds = 10);

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

    // Sent to control `id`, or to the main window for id 0, and returned once
    // handled (nothing on a time-out); a command that opens a modal window
    // must be posted instead.
    std::optional<LRESULT> Send(int id, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;
    bool SetText(int id, const std::string& text) {
        return Send(id, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str())).has_value();
    }
    bool Command(int id, int notification = 0) {
        return Send(0, WM_COMMAND, MAKEWPARAM(id, notification),
                    reinterpret_cast<LPARAM>(Control(id)))
            .has_value();
    }
    // A combo box choice as the user makes it: CB_SETCURSEL raises no notification.
    bool SelectItem(int id, int index) {
        return Send(id, CB_SETCURSEL, index) && Command(id, CBN_SELCHANGE);
    }
    void PostCommand(int id) { Post(WM_COMMAND, MAKEWPARAM(id, 0), 0); }
    // The menu loop reads keys from the thread's queue, whichever window they name.
    void Post(UINT message, WPARAM wParam, LPARAM lParam) {
        PostMessageA(hwndMain, message, wParam, lParam);
    }
    HWND MenuPopup() const { return FindTopLevel("#32768", "", ProcessId()); }
    // The exit code once the process has ended, nothing on a time-out.
    std::optional<DWORD> WaitForExit(double seconds);

private:
    PROCESS_INFORMATION process{};
    HWND hwndMain = nullptr;
};

// A screenshot of a screen area: the driver cannot reach the X screen, so a
// service beside Wine takes it on request files in a shared folder.
struct Image {
    RECT area{};
    int width = 0;
    int height = 0;
    std::vector<unsigned char> rgb;
    // A window's client area in this image's coordinates.
    RECT ClientArea(HWND window) const;
};
// The screen area of `window` saved as <folder>\<name>.png and read back;
// nothing without a folder.
std::optional<Image> TakeShot(const std::string& folder, const std::string& name, HWND window);
// How many pixels of `area` have a colour that passes `test`.
int CountPixels(const Image& image, const RECT& area, bool (*test)(int red, int green, int blue));

}  // namespace e2e
