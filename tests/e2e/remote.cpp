#include "remote.h"

#include <chrono>
#include <thread>

namespace e2e {
namespace {

// Long enough for a Solve under Wine; a hung program fails the check instead
// of hanging the run.
constexpr UINT kSendTimeoutMs = 30000;

struct TopLevelQuery {
    std::string className;
    std::string title;
    DWORD processId = 0;
    HWND found = nullptr;
};

BOOL CALLBACK MatchTopLevel(HWND window, LPARAM parameter) {
    auto& query = *reinterpret_cast<TopLevelQuery*>(parameter);
    char className[64] = {};
    GetClassNameA(window, className, sizeof className);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    const bool matches = IsWindowVisible(window) && query.className == className &&
                         (query.title.empty() || WindowText(window) == query.title) &&
                         (query.processId == 0 || query.processId == owner);
    if (matches) {
        query.found = window;
        return FALSE;
    }
    return TRUE;
}

BOOL CALLBACK CollectChildText(HWND child, LPARAM parameter) {
    reinterpret_cast<std::vector<std::string>*>(parameter)->push_back(WindowText(child));
    return TRUE;
}

}  // namespace

bool WaitUntil(const std::function<bool()>& condition, double seconds) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
    while (!condition()) {
        if (std::chrono::steady_clock::now() >= deadline) {
            return false;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return true;
}

HWND FindTopLevel(const std::string& className, const std::string& title, DWORD processId) {
    TopLevelQuery query{className, title, processId, nullptr};
    EnumWindows(MatchTopLevel, reinterpret_cast<LPARAM>(&query));
    return query.found;
}

HWND WaitForTopLevel(const std::string& className, const std::string& title, DWORD processId,
                     double seconds) {
    HWND found = nullptr;
    WaitUntil([&] { return (found = FindTopLevel(className, title, processId)) != nullptr; },
              seconds);
    return found;
}

std::string WindowText(HWND window) {
    char text[1024] = {};
    DWORD_PTR copied = 0;
    // WM_GETTEXT, not GetWindowText: only the message reaches an edit
    // control's text in another process.
    if (!SendMessageTimeoutA(window, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text),
                             SMTO_NORMAL, kSendTimeoutMs, &copied)) {
        return "<no answer>";
    }
    return std::string(text, copied);
}

std::vector<std::string> ChildTexts(HWND window) {
    std::vector<std::string> texts;
    EnumChildWindows(window, CollectChildText, reinterpret_cast<LPARAM>(&texts));
    return texts;
}

std::string MessageBoxText(HWND box) { return WindowText(GetDlgItem(box, 0xFFFF)); }

bool Answer(HWND box, int button, double seconds) {
    PostMessageA(box, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), 0);
    return WaitUntil([&] { return !IsWindow(box) || !IsWindowVisible(box); }, seconds);
}

std::vector<std::string> CloseDialogs(DWORD processId) {
    std::vector<std::string> titles;
    for (HWND box = FindTopLevel("#32770", "", processId); box != nullptr;
         box = FindTopLevel("#32770", "", processId)) {
        titles.push_back(WindowText(box));
        // A Yes/No box has no Cancel: No is its way out.
        const int button = GetDlgItem(box, IDNO) != nullptr ? IDNO : IDCANCEL;
        if (!Answer(box, button, 5.0)) {
            break;
        }
    }
    return titles;
}

RemoteProgram::~RemoteProgram() {
    if (process.hProcess != nullptr) {
        if (Running()) {
            TerminateProcess(process.hProcess, 99);  // a case left it hanging
        }
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
    }
}

bool RemoteProgram::Start(const std::string& program, const std::string& workingDirectory) {
    std::string commandLine = "\"" + program + "\"";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    if (!CreateProcessA(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        workingDirectory.c_str(), &startup, &process)) {
        return false;
    }
    return WaitUntil(
        [&] { return (hwndMain = FindTopLevel("Dyvern", "", ProcessId())) != nullptr; }, 20.0);
}

HWND RemoteProgram::Control(int id) const { return GetDlgItem(hwndMain, id); }

std::string RemoteProgram::Text(int id) const { return WindowText(Control(id)); }

std::string RemoteProgram::Title() const { return WindowText(hwndMain); }

bool RemoteProgram::Enabled(int id) const { return IsWindowEnabled(Control(id)) != FALSE; }

bool RemoteProgram::Checked(int id) const {
    DWORD_PTR state = 0;
    SendMessageTimeoutA(Control(id), BM_GETCHECK, 0, 0, SMTO_NORMAL, kSendTimeoutMs, &state);
    return state == BST_CHECKED;
}

std::vector<std::string> RemoteProgram::ListItems(int id) const {
    std::vector<std::string> items;
    DWORD_PTR count = 0;
    SendMessageTimeoutA(Control(id), CB_GETCOUNT, 0, 0, SMTO_NORMAL, kSendTimeoutMs, &count);
    for (WPARAM index = 0; index < count; ++index) {
        // Wine hands CB_GETLBTEXT across processes in UTF-16 whichever
        // variant is sent; the wide one reads the same everywhere.
        wchar_t text[256] = {};
        DWORD_PTR length = 0;
        SendMessageTimeoutW(Control(id), CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(text),
                            SMTO_NORMAL, kSendTimeoutMs, &length);
        items.emplace_back(text, text + std::char_traits<wchar_t>::length(text));
    }
    return items;
}

int RemoteProgram::SelectedItem(int id) const {
    DWORD_PTR selected = 0;
    SendMessageTimeoutA(Control(id), CB_GETCURSEL, 0, 0, SMTO_NORMAL, kSendTimeoutMs, &selected);
    return static_cast<int>(static_cast<LRESULT>(selected));
}

bool RemoteProgram::Send(UINT message, WPARAM wParam, LPARAM lParam, HWND target) const {
    DWORD_PTR result = 0;
    return SendMessageTimeoutA(target ? target : hwndMain, message, wParam, lParam, SMTO_NORMAL,
                               kSendTimeoutMs, &result) != 0;
}

bool RemoteProgram::SetText(int id, const std::string& text) {
    return Send(WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()), Control(id));
}

bool RemoteProgram::Command(int id, int notification) {
    return Send(WM_COMMAND, MAKEWPARAM(id, notification), reinterpret_cast<LPARAM>(Control(id)));
}

bool RemoteProgram::PostCommand(int id) {
    return PostMessageA(hwndMain, WM_COMMAND, MAKEWPARAM(id, 0),
                        reinterpret_cast<LPARAM>(Control(id))) != FALSE;
}

// The combo box raises no notification for CB_SETCURSEL: the user's choice
// is a selection followed by CBN_SELCHANGE.
bool RemoteProgram::SelectModel(int index) {
    return Send(CB_SETCURSEL, static_cast<WPARAM>(index), 0, Control(21)) &&
           Command(21, CBN_SELCHANGE);
}

bool RemoteProgram::Click(int id) { return Send(BM_CLICK, 0, 0, Control(id)); }

bool RemoteProgram::Responsive() const {
    DWORD_PTR result = 0;
    return SendMessageTimeoutA(hwndMain, WM_NULL, 0, 0, SMTO_NORMAL, 3000, &result) != 0;
}

std::optional<DWORD> RemoteProgram::WaitForExit(double seconds) {
    if (WaitForSingleObject(process.hProcess, static_cast<DWORD>(seconds * 1000)) !=
        WAIT_OBJECT_0) {
        return std::nullopt;
    }
    DWORD code = 0;
    GetExitCodeProcess(process.hProcess, &code);
    return code;
}

bool RemoteProgram::Running() const {
    return WaitForSingleObject(process.hProcess, 0) == WAIT_TIMEOUT;
}

}  // namespace e2e
