#include "remote.h"

#include <chrono>
#include <thread>

namespace e2e {
namespace {

// Long enough for a Solve under Wine; a hung program fails the check instead
// of hanging the run.
constexpr UINT kSendTimeoutMs = 30000;

struct TopLevelQuery {
    const std::string& className;
    const std::string& title;
    DWORD processId;
    HWND found;
};

BOOL CALLBACK MatchTopLevel(HWND window, LPARAM parameter) {
    auto& query = *reinterpret_cast<TopLevelQuery*>(parameter);
    char className[64] = {};
    GetClassNameA(window, className, sizeof className);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (IsWindowVisible(window) && query.className == className &&
        (query.processId == 0 || query.processId == owner) &&
        (query.title.empty() || WindowText(window) == query.title)) {
        query.found = window;
        return FALSE;
    }
    return TRUE;
}

}  // namespace

bool WaitUntil(const std::function<bool()>& condition, double seconds, int pollMs) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
    while (!condition()) {
        if (std::chrono::steady_clock::now() >= deadline) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(pollMs));
    }
    return true;
}

HWND FindTopLevel(const std::string& className, const std::string& title, DWORD processId,
                  double seconds) {
    TopLevelQuery query{className, title, processId, nullptr};
    WaitUntil([&] { return !EnumWindows(MatchTopLevel, reinterpret_cast<LPARAM>(&query)); },
              seconds);
    return query.found;
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

std::vector<std::string> ListTexts(HWND list, UINT countMessage, UINT textMessage) {
    std::vector<std::string> items;
    DWORD_PTR count = 0;
    SendMessageTimeoutA(list, countMessage, 0, 0, SMTO_NORMAL, kSendTimeoutMs, &count);
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

std::string MessageBoxText(HWND box) { return WindowText(GetDlgItem(box, 0xFFFF)); }

bool Answer(HWND box, int button, double seconds) {
    PostMessageA(box, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), 0);
    return WaitUntil([&] { return !IsWindow(box) || !IsWindowVisible(box); }, seconds);
}

std::vector<std::string> CloseDialogs(DWORD processId) {
    std::vector<std::string> titles;
    for (HWND box; (box = FindTopLevel("#32770", "", processId)) != nullptr;) {
        titles.push_back(WindowText(box));
        // A Yes/No box has no Cancel: No is its way out.
        if (!Answer(box, GetDlgItem(box, IDNO) != nullptr ? IDNO : IDCANCEL, 5.0)) break;
    }
    return titles;
}

RemoteProgram::~RemoteProgram() {
    if (process.hProcess == nullptr) return;
    if (WaitForSingleObject(process.hProcess, 0) == WAIT_TIMEOUT) {
        TerminateProcess(process.hProcess, 99);  // a case left it hanging
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
}

bool RemoteProgram::Start(const std::string& program, const std::string& workingDirectory) {
    std::string commandLine = "\"" + program + "\"";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    if (!CreateProcessA(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        workingDirectory.c_str(), &startup, &process)) {
        return false;
    }
    hwndMain = FindTopLevel("Dyvern", "", ProcessId(), 20.0);
    return hwndMain != nullptr;
}

std::optional<LRESULT> RemoteProgram::Send(HWND target, UINT message, WPARAM wParam,
                                           LPARAM lParam) {
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutA(target, message, wParam, lParam, SMTO_NORMAL, kSendTimeoutMs,
                             &result)) {
        return std::nullopt;
    }
    return static_cast<LRESULT>(result);
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

}  // namespace e2e
