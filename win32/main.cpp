// Dyvern's entry point: the window class, the main window from its dialog
// template, the message loop, and the two window procedures.
#include <memory>
#include <string>

#include "base/stop.h"
#include "shell/main_window.h"
#include "system/control_ids.h"
#include "win32_window.h"

#include <windowsx.h>

namespace {

constexpr char kClassName[] = "Dyvern";
constexpr char kResourceName[] = "DYVERN";  // template, menu and icon

// The running program: the window system over the main window, and the logic
// that drives it. Lives from window creation to the end of the message loop.
struct Application {
    Application(HINSTANCE instance, HWND mainWindow, DLGPROC aboutProc)
        : window(instance, mainWindow, aboutProc), logic(window) {}
    dyvern::Win32Window window;
    dyvern::MainWindow logic;
};

std::unique_ptr<Application> application;

std::string FileNameOf(const std::string& path) {
    const auto separator = path.find_last_of('\\');
    return separator == std::string::npos ? path : path.substr(separator + 1);
}

// A failed assertion is shown in a box captioned with the program's name
// before the process ends.
void ShowAssertion(const std::string& text) {
    const std::string caption = FileNameOf(dyvern::ModulePath(nullptr));
    MessageBoxA(nullptr, text.c_str(), caption.c_str(), MB_OK | MB_ICONHAND | MB_TASKMODAL);
}

// The controls do not exist yet during WM_CREATE: the set-up runs as command 1
// once the loop delivers it.
BOOL OnCreate(HWND hwnd, LPCREATESTRUCT) {
    PostMessageA(hwnd, WM_COMMAND, MAKEWPARAM(IDM_INIT, 0), 0);
    return TRUE;
}

// Commands raised while the template builds its controls find no application
// yet and are dropped.
void OnCommand(HWND, int id, HWND, UINT notification) {
    if (application) {
        application->logic.Command(id, static_cast<int>(notification));
    }
}

void OnDestroy(HWND) {
    if (application) {
        application->logic.CleanUp();
    }
    PostQuitMessage(0);
}

LRESULT CALLBACK MainWndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        HANDLE_MSG(hwnd, WM_CREATE, OnCreate);
        HANDLE_MSG(hwnd, WM_COMMAND, OnCommand);
        HANDLE_MSG(hwnd, WM_DESTROY, OnDestroy);
        default:
            return DefWindowProcA(hwnd, message, wParam, lParam);
    }
}

// The About box: returns 0 when closed with Ok or Escape.
INT_PTR CALLBACK AboutDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
        case WM_INITDIALOG:
            return TRUE;  // default focus
        case WM_COMMAND:
            if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) {
                EndDialog(dialog, 0);
                return TRUE;
            }
            return FALSE;
        default:
            return FALSE;
    }
}

void RegisterMainClass(HINSTANCE instance) {
    WNDCLASSEXA windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.style = CS_HREDRAW | CS_VREDRAW;
    windowClass.lpfnWndProc = MainWndProc;
    windowClass.cbWndExtra = DLGWINDOWEXTRA;  // a window built from a dialog template
    windowClass.hInstance = instance;
    windowClass.hIcon = LoadIconA(instance, kResourceName);
    windowClass.hIconSm = LoadIconA(instance, kResourceName);
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszMenuName = kResourceName;
    windowClass.lpszClassName = kClassName;
    RegisterClassExA(&windowClass);
}

// No IsDialogMessage and no accelerators: keys go to the focused control.
int RunMessageLoop() {
    MSG message{};
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return static_cast<int>(message.wParam);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showState) {
    dyvern::SetAssertionReporter(ShowAssertion);
    RegisterMainClass(instance);
    const HWND mainWindow = CreateDialogParamA(instance, kResourceName, nullptr, nullptr, 0);
    if (mainWindow == nullptr) {
        return 1;
    }
    application = std::make_unique<Application>(instance, mainWindow, AboutDlgProc);
    ShowWindow(mainWindow, showState);
    const int exitCode = RunMessageLoop();
    application.reset();
    return exitCode;
}
