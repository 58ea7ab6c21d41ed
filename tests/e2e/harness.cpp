#include "harness.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <thread>

namespace e2e {
namespace {

// Long enough for a Solve under Wine; a hung program fails the check instead
// of hanging the run.
constexpr UINT kSendTimeoutMs = 30000;

// A binary PPM (P6, maximum 255), as the service writes it.
std::optional<Image> ReadPpm(const std::string& path, const RECT& area) {
    std::ifstream file(path, std::ios::binary);
    std::string magic;
    int maximum = 0;
    Image image;
    image.area = area;
    if (!(file >> magic >> image.width >> image.height >> maximum) || magic != "P6" ||
        maximum != 255) {
        return std::nullopt;
    }
    file.get();  // the single white-space character before the samples
    image.rgb.resize(static_cast<size_t>(image.width) * image.height * 3);
    file.read(reinterpret_cast<char*>(image.rgb.data()),
              static_cast<std::streamsize>(image.rgb.size()));
    return file ? std::optional<Image>(std::move(image)) : std::nullopt;
}

}  // namespace

void Checks::Group(const std::string& name) {
    group = name;
    std::printf("== %s\n", name.c_str());
    std::fflush(stdout);
}

bool Checks::Expect(bool ok, const std::string& what, const std::string& detail) {
    ++(ok ? passed : failed);
    if (ok) {
        std::printf("  ok    %s\n", what.c_str());
    } else {
        std::printf("  FAIL  %s: %s%s%s\n", group.c_str(), what.c_str(),
                    detail.empty() ? "" : " -- ", detail.c_str());
    }
    std::fflush(stdout);
    return ok;
}

int Checks::Finish() const {
    std::printf("%d passed, %d failed\n", passed, failed);
    std::fflush(stdout);
    return failed == 0 ? 0 : 1;
}

bool ParseNumber(const std::string& text, double& value) {
    char* end = nullptr;
    value = std::strtod(text.c_str(), &end);
    return !text.empty() && end != nullptr && *end == '\0';
}

bool Near(const std::string& text, double expected, double tolerance) {
    double value = 0.0;
    return ParseNumber(text, value) && std::abs(value - expected) <= tolerance;
}

double TimeMs(const std::function<void()>& action) {
    const auto start = std::chrono::steady_clock::now();
    action();
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
        .count();
}

void PrintMedian(const std::string& what, int rounds, const std::function<double()>& round) {
    std::vector<double> samples;
    for (int i = 0; i < rounds; ++i) samples.push_back(round());
    std::sort(samples.begin(), samples.end());
    const size_t n = samples.size();
    const double median = n % 2 ? samples[n / 2] : (samples[n / 2 - 1] + samples[n / 2]) / 2;
    std::printf("timing %s median %.1f ms\n", what.c_str(), median);
    std::fflush(stdout);
}

bool WaitUntil(const std::function<bool()>& condition, double seconds, int pollMs) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
    while (!condition()) {
        if (std::chrono::steady_clock::now() >= deadline) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(pollMs));
    }
    return true;
}

HWND FindTopLevel(const std::string& className, const std::string& title, DWORD processId,
                  double seconds, int pollMs) {
    HWND found = nullptr;
    const auto next = [&] { return FindWindowExA(nullptr, found, className.c_str(), nullptr); };
    WaitUntil(
        [&] {
            for (found = nullptr; (found = next()) != nullptr;) {
                DWORD owner = 0;
                GetWindowThreadProcessId(found, &owner);
                if (IsWindowVisible(found) && (processId == 0 || processId == owner) &&
                    (title.empty() || WindowText(found) == title)) {
                    return true;
                }
            }
            return false;
        },
        seconds, pollMs);
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

bool Answer(HWND box, int button, double seconds) {
    PostMessageA(box, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), 0);
    return WaitUntil([&] { return !IsWindow(box) || !IsWindowVisible(box); }, seconds);
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

std::optional<LRESULT> RemoteProgram::Send(int id, UINT message, WPARAM wParam,
                                           LPARAM lParam) const {
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutA(id == 0 ? hwndMain : Control(id), message, wParam, lParam, SMTO_NORMAL,
                             kSendTimeoutMs, &result)) {
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

RECT Image::ClientArea(HWND window) const {
    RECT client{};
    GetClientRect(window, &client);
    MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&client), 2);
    OffsetRect(&client, -area.left, -area.top);
    return client;
}

std::optional<Image> TakeShot(const std::string& folder, const std::string& name, HWND window) {
    RECT area{};
    if (folder.empty() || !GetWindowRect(window, &area)) return std::nullopt;
    const std::string base = folder + "\\" + name;
    DeleteFileA((base + ".done").c_str());
    // Written under another name first: the service must never read half a request.
    std::ofstream(base + ".part") << (area.right - area.left) << ' ' << (area.bottom - area.top)
                                  << ' ' << area.left << ' ' << area.top << '\n';
    MoveFileExA((base + ".part").c_str(), (base + ".request").c_str(), MOVEFILE_REPLACE_EXISTING);
    const bool done = WaitUntil(
        [&] { return GetFileAttributesA((base + ".done").c_str()) != INVALID_FILE_ATTRIBUTES; },
        30.0);
    return done ? ReadPpm(base + ".ppm", area) : std::nullopt;
}

int CountPixels(const Image& image, const RECT& area, bool (*test)(int red, int green, int blue)) {
    int count = 0;
    for (int y = std::max(0L, area.top); y < std::min<LONG>(image.height, area.bottom); ++y) {
        for (int x = std::max(0L, area.left); x < std::min<LONG>(image.width, area.right); ++x) {
            const unsigned char* pixel = &image.rgb[(static_cast<size_t>(y) * image.width + x) * 3];
            count += test(pixel[0], pixel[1], pixel[2]) ? 1 : 0;
        }
    }
    return count;
}

}  // namespace e2e
