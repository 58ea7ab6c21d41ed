// What the end-to-end driver needs to work a running Windows program from
// outside: checks that print one line each, round trips printed as medians,
// the program's windows reached through messages, and screenshots; then the
// cases, grouped by what they work: the main window's controls and what it
// draws, and the windows it opens.
#pragma once

#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <optional>
#include <string>
#include <thread>
#include <vector>

namespace e2e {

// Long enough for a Solve under Wine; a hung program fails the check instead
// of hanging the run.
inline constexpr UINT kSendTimeoutMs = 30000;

// Every check prints a line (stdout is unbuffered: a hung run still shows
// where it stopped); the run ends with "N passed, N failed".
class Checks {
public:
    void Group(const std::string& name) {
        group = name;
        std::printf("== %s\n", name.c_str());
    }

    // `detail` says what was seen when the check fails.
    bool Expect(bool ok, const std::string& what, const std::string& detail = {}) {
        ++(ok ? passed : failed);
        const std::string shown = ok ? "ok    " + what : "FAIL  " + group + ": " + what;
        const std::string seen = ok || detail.empty() ? "" : " -- " + detail;
        std::printf("  %s%s\n", shown.c_str(), seen.c_str());
        return ok;
    }

    // The process exit code: 0 only without failures.
    int Finish() const {
        std::printf("%d passed, %d failed\n", passed, failed);
        return failed == 0 ? 0 : 1;
    }

private:
    std::string group;
    int passed = 0;
    int failed = 0;
};

// Reads a whole text as a number; false when it is not one.
inline bool ParseNumber(const std::string& text, double& value) {
    char* end = nullptr;
    value = std::strtod(text.c_str(), &end);
    return !text.empty() && end != nullptr && *end == '\0';
}

// The text is a number within `tolerance` of `expected`.
inline bool Near(const std::string& text, double expected, double tolerance) {
    double value = 0.0;
    return ParseNumber(text, value) && std::abs(value - expected) <= tolerance;
}

// Times `action` `rounds` times, each followed by `untimed`, and prints
// "timing <what> median <ms> ms".
inline void PrintMedian(
    const std::string& what, int rounds, const std::function<void()>& action,
    const std::function<void()>& untimed = [] {}) {
    std::vector<double> samples;
    for (int i = 0; i < rounds; ++i) {
        const auto start = std::chrono::steady_clock::now();
        action();
        const auto end = std::chrono::steady_clock::now();
        samples.push_back(std::chrono::duration<double, std::milli>(end - start).count());
        untimed();
    }
    std::sort(samples.begin(), samples.end());
    const size_t n = samples.size();
    const double median = n % 2 ? samples[n / 2] : (samples[n / 2 - 1] + samples[n / 2]) / 2;
    std::printf("timing %s median %.1f ms\n", what.c_str(), median);
}

inline bool WaitUntil(const std::function<bool()>& condition, double seconds, int pollMs = 50) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
    while (!condition()) {
        if (std::chrono::steady_clock::now() >= deadline) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(pollMs));
    }
    return true;
}

// A message sent to a window of the program and answered once handled; nothing
// on a time-out.
inline std::optional<LRESULT> SendTimeout(HWND window, UINT message, WPARAM wParam = 0,
                                          LPARAM lParam = 0) {
    DWORD_PTR result = 0;
    return SendMessageTimeoutA(window, message, wParam, lParam, SMTO_NORMAL, kSendTimeoutMs,
                               &result)
               ? std::optional(static_cast<LRESULT>(result))
               : std::nullopt;
}

// WM_GETTEXT, not GetWindowText: only the message reaches an edit control's
// text in another process.
inline std::string WindowText(HWND window) {
    char text[1024] = {};
    const auto copied =
        SendTimeout(window, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text));
    return copied ? std::string(text, *copied) : "<no answer>";
}

// A visible top-level window of `className` titled `title` (any title when
// empty) of process `processId` (any when 0), waiting up to `seconds` for it.
inline HWND FindTopLevel(const std::string& className, const std::string& title, DWORD processId,
                         double seconds = 0, int pollMs = 50) {
    HWND found = nullptr;
    const auto next = [&] { return FindWindowExA(nullptr, found, className.c_str(), nullptr); };
    WaitUntil(
        [&] {
            for (found = nullptr; (found = next()) != nullptr;) {
                DWORD owner = 0;
                GetWindowThreadProcessId(found, &owner);
                if (IsWindowVisible(found) && (processId == 0 || processId == owner) &&
                    (title.empty() || WindowText(found) == title))
                    return true;
            }
            return false;
        },
        seconds, pollMs);
    return found;
}

// The texts of a combo box (CB_GETCOUNT, CB_GETLBTEXT) or a list box (LB_...).
inline std::vector<std::string> ListTexts(HWND list, UINT countMessage, UINT textMessage) {
    std::vector<std::string> items;
    const auto count = static_cast<WPARAM>(SendTimeout(list, countMessage).value_or(0));
    for (WPARAM index = 0; index < count; ++index) {
        // Wine hands list texts across processes in UTF-16 whichever
        // variant is sent; the wide one reads the same everywhere.
        wchar_t text[256] = {};
        DWORD_PTR length = 0;
        SendMessageTimeoutW(list, textMessage, index, reinterpret_cast<LPARAM>(text), SMTO_NORMAL,
                            kSendTimeoutMs, &length);
        items.emplace_back(text, text + std::char_traits<wchar_t>::length(text));
    }
    return items;
}

inline std::string MessageBoxText(HWND box) { return WindowText(GetDlgItem(box, 0xFFFF)); }

// Posts `message` to a window (of any process) and waits for it to go.
inline bool Dismiss(HWND window, UINT message, WPARAM wParam = 0) {
    PostMessageA(window, message, wParam, 0);
    return WaitUntil([&] { return !IsWindow(window) || !IsWindowVisible(window); }, 10.0);
}

// A button press (IDOK, IDYES ...) on a dialog or message box.
inline bool Answer(HWND box, int button) {
    return Dismiss(box, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED));
}

// One run of the program under test, started by the driver.
class RemoteProgram {
public:
    RemoteProgram() = default;
    ~RemoteProgram() {
        if (process.hProcess == nullptr) return;
        // A case left it hanging.
        if (WaitForSingleObject(process.hProcess, 0) == WAIT_TIMEOUT)
            TerminateProcess(process.hProcess, 99);
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
    }

    RemoteProgram(const RemoteProgram&) = delete;
    RemoteProgram& operator=(const RemoteProgram&) = delete;

    // Starts the program and waits for its main window of class "Dyvern".
    bool Start(const std::string& program, const std::string& workingDirectory) {
        std::string commandLine = "\"" + program + "\"";
        STARTUPINFOA startup{};
        startup.cb = sizeof startup;
        if (!CreateProcessA(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0,
                            nullptr, workingDirectory.c_str(), &startup, &process)) {
            return false;
        }
        hwndMain = FindTopLevel("Dyvern", "", ProcessId(), 20.0);
        return hwndMain != nullptr;
    }

    HWND Main() const { return hwndMain; }
    DWORD ProcessId() const { return process.dwProcessId; }
    HWND Control(int id) const { return GetDlgItem(hwndMain, id); }
    std::string Text(int id) const { return WindowText(Control(id)); }
    std::string Title() const { return WindowText(hwndMain); }

    // Sent to control `id`, or to the main window for id 0, and returned once
    // handled (nothing on a time-out); a command that opens a modal window
    // must be posted instead.
    std::optional<LRESULT> Send(int id, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const {
        return SendTimeout(id == 0 ? hwndMain : Control(id), message, wParam, lParam);
    }

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
    // Whether the title names `dataFile` within a while: the data are loaded.
    bool Loaded(const std::string& dataFile) const {
        return WaitUntil([&] { return Title() == "Dyvern - " + dataFile; }, 20.0);
    }
    HWND MenuPopup() const { return FindTopLevel("#32768", "", ProcessId()); }
    // The exit code once the process has ended, nothing on a time-out.
    std::optional<DWORD> WaitForExit(double seconds) {
        DWORD code = 0;
        const bool ended = WaitForSingleObject(process.hProcess,
                                               static_cast<DWORD>(seconds * 1000)) == WAIT_OBJECT_0;
        return ended && GetExitCodeProcess(process.hProcess, &code) ? std::optional(code)
                                                                    : std::nullopt;
    }

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
    RECT ClientArea(HWND window) const {
        RECT client{};
        GetClientRect(window, &client);
        MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&client), 2);
        OffsetRect(&client, -area.left, -area.top);
        return client;
    }
};

// The screen area of `window` saved as <folder>\<name>.png and read back;
// nothing without a folder.
inline std::optional<Image> TakeShot(const std::string& folder, const std::string& name,
                                     HWND window) {
    Image image;
    if (folder.empty() || !GetWindowRect(window, &image.area)) return std::nullopt;
    // Once the window's thread has handled what came before, queued painting included.
    SendTimeout(window, WM_NULL);
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    const RECT& area = image.area;
    const std::string base = folder + "\\" + name;
    const std::string done = base + ".done";
    DeleteFileA(done.c_str());
    // Written under another name first: the service must never read half a request.
    std::ofstream(base + ".part") << (area.right - area.left) << ' ' << (area.bottom - area.top)
                                  << ' ' << area.left << ' ' << area.top << '\n';
    MoveFileExA((base + ".part").c_str(), (base + ".request").c_str(), MOVEFILE_REPLACE_EXISTING);
    if (!WaitUntil([&] { return GetFileAttributesA(done.c_str()) != INVALID_FILE_ATTRIBUTES; }, 30))
        return std::nullopt;
    // A binary PPM (P6, maximum 255), then a single white-space character.
    std::ifstream file(base + ".ppm", std::ios::binary);
    std::string magic;
    int maximum = 0;
    if (!(file >> magic >> image.width >> image.height >> maximum) || magic != "P6" ||
        maximum != 255 || file.get() == EOF)
        return std::nullopt;
    image.rgb.resize(static_cast<size_t>(image.width) * image.height * 3);
    file.read(reinterpret_cast<char*>(image.rgb.data()),
              static_cast<std::streamsize>(image.rgb.size()));
    return file ? std::optional<Image>(std::move(image)) : std::nullopt;
}

// How many pixels of `area` have a colour that passes `test`.
inline int CountPixels(const Image& image, const RECT& area,
                       bool (*test)(int red, int green, int blue)) {
    int count = 0;
    for (int y = std::max(0L, area.top); y < std::min<LONG>(image.height, area.bottom); ++y) {
        for (int x = std::max(0L, area.left); x < std::min<LONG>(image.width, area.right); ++x) {
            const unsigned char* pixel = &image.rgb[(static_cast<size_t>(y) * image.width + x) * 3];
            count += test(pixel[0], pixel[1], pixel[2]) ? 1 : 0;
        }
    }
    return count;
}

// Where the program under test lives: the driver runs beside it, with
// sample.dat, other.dat, primates.fasta, guide.txt and dyvern-cli.exe.
struct Setup {
    std::string folder;  // Windows path, no trailing backslash
    std::string shots;   // the screenshot service's folder, empty when none runs
    std::string File(const std::string& name) const { return folder + "\\" + name; }
};

// Model list positions.
enum Model { kJc69 = 0, kF81 = 1, kK80 = 2, kHky85 = 3 };

inline constexpr char kDialogClass[] = "#32770";

using Case = void (*)(Checks& checks, RemoteProgram& program, const Setup& setup);
// The main window's controls and pictures, then the windows it opens
// (cases.cpp), ending with File > Exit; each command timed prints its
// "timing" line.
extern const std::vector<Case> kCases;
// Starts a copy of the program in a folder without sample.dat; ends it by the close box.
void CheckMissingSample(Checks& checks, const Setup& setup);

}  // namespace e2e
