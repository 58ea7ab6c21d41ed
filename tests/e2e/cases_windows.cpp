// Cases on the windows the program opens: the open-file dialog, message
// boxes, the editor on the report, the About box, help; and how it ends.
#include <fstream>

#include "cases.h"
#include "system/control_ids.h"

namespace e2e {
namespace {

constexpr char kReplaceTitle[] = "Report file already exists";
constexpr int kFileNameControl = 0x47c;

HWND FindEditor(const std::string& fileName, double seconds, int pollMs = 50) {
    return FindTopLevel("Notepad", fileName + " - Notepad", 0, seconds, pollMs);
}

bool CloseEditor(HWND editor) {
    if (editor == nullptr) return false;
    PostMessageA(editor, WM_CLOSE, 0, 0);
    return WaitUntil([&] { return !IsWindow(editor); }, 10.0);
}

// Times three posts of `command`, each opening a window that `find` waits for
// (polling finely) and `answer` closes, saying whether it was as expected.
bool TimeOpening(const std::string& what, RemoteProgram& program, int command,
                 const std::function<HWND()>& find, const std::function<bool(HWND)>& answer) {
    bool expected = true;
    PrintMedian(what, 3, [&] {
        HWND window = nullptr;
        const double ms = TimeMs([&] {
            program.PostCommand(command);
            window = find();
        });
        expected &= window != nullptr && answer(window);
        return ms;
    });
    return expected;
}

std::function<HWND()> DialogOf(const RemoteProgram& program, const std::string& title) {
    return [&program, title] {
        return FindTopLevel(kDialogClass, title, program.ProcessId(), 15.0, 1);
    };
}

void ExpectExitCode(Checks& checks, RemoteProgram& program) {
    const auto code = program.WaitForExit(15.0);
    checks.Expect(code == DWORD{0}, "process ended with exit code 0",
                  code ? std::to_string(*code) : "still running");
}

}  // namespace

bool WaitForLoad(RemoteProgram& program, const std::string& dataFile) {
    return WaitUntil([&] { return program.Title() == "Dyvern - " + dataFile; }, 20.0);
}

bool ChooseFile(RemoteProgram& program, const std::string& path) {
    program.PostCommand(IDM_OPEN);
    const HWND open = FindTopLevel(kDialogClass, "Open", program.ProcessId(), 15.0);
    if (open == nullptr) return false;
    SendMessageA(GetDlgItem(open, kFileNameControl), WM_SETTEXT, 0,
                 reinterpret_cast<LPARAM>(path.c_str()));
    return Answer(open, IDOK);
}

bool EditorShowed(const std::string& fileName, double seconds) {
    return CloseEditor(FindEditor(fileName, seconds));
}

std::vector<std::string> ReadLines(const std::string& path) {
    std::ifstream file(path);
    std::vector<std::string> lines;
    for (std::string line; std::getline(file, line);) lines.push_back(line);
    return lines;
}

void CheckReports(Checks& checks, RemoteProgram& program, const Setup& setup) {
    checks.Group("Report: written at once, then the replace question");
    const std::string report = setup.File("report.txt");
    DeleteFileA(report.c_str());
    program.PostCommand(IDC_REPORT);
    checks.Expect(EditorShowed("report.txt", 20.0), "editor opened on report.txt and closed");
    const std::vector<std::string> before = ReadLines(report);
    checks.Expect(TimeOpening("report", program, IDC_REPORT, DialogOf(program, kReplaceTitle),
                              [](HWND box) {
                                  return MessageBoxText(box) == "Replace it" &&
                                         GetDlgItem(box, IDYES) != nullptr && Answer(box, IDNO);
                              }),
                  "each time a Yes/No box asks \"Replace it\" and takes No");
    checks.Expect(!EditorShowed("report.txt", 2.0) && ReadLines(report) == before,
                  "after No: no editor, report unchanged");
    program.SelectItem(IDC_MODEL_COMBO, kK80);
    program.PostCommand(IDC_REPORT);
    const HWND box = FindTopLevel(kDialogClass, kReplaceTitle, program.ProcessId(), 10.0);
    checks.Expect(box != nullptr && Answer(box, IDYES) && EditorShowed("report.txt", 20.0) &&
                      ReadLines(report) != before,
                  "after Yes: the editor opens on the report rewritten for K80");
    program.SelectItem(IDC_MODEL_COMBO, kJc69);
}

void CheckOpenCancelled(Checks& checks, RemoteProgram& program, const Setup&) {
    checks.Group("File > Open cancelled");
    const std::string title = program.Title();
    checks.Expect(TimeOpening("open", program, IDM_OPEN, DialogOf(program, "Open"),
                              [](HWND dialog) { return Answer(dialog, IDCANCEL); }),
                  "each time the dialog appears and is cancelled");
    checks.Expect(FindTopLevel(kDialogClass, "", program.ProcessId(), 2.0) == nullptr &&
                      program.Title() == title,
                  "no message follows, title unchanged", program.Title());
}

void CheckAbout(Checks& checks, RemoteProgram& program, const Setup&) {
    checks.Group("About box");
    checks.Expect(TimeOpening("about", program, IDM_ABOUT, DialogOf(program, ""),
                              [&](HWND box) {
                                  return GetWindow(box, GW_OWNER) == program.Main() &&
                                         FindWindowExA(box, nullptr, "Static", "version 1d") &&
                                         Answer(box, IDOK);
                              }),
                  "each time owned by the main window, shows its version, closes with Ok");
}

void CheckHelp(Checks& checks, RemoteProgram& program, const Setup&) {
    checks.Group("Help without the help file opens the guide in the editor");
    checks.Expect(TimeOpening(
                      "help", program, IDM_HELP_CONTENTS,
                      [] { return FindEditor("guide.txt", 20.0, 1); }, CloseEditor),
                  "each time the editor shows guide.txt and closes");
}

void CheckMenuExit(Checks& checks, RemoteProgram& program, const Setup&) {
    checks.Group("File > Exit through the menu");
    program.Post(WM_SYSCOMMAND, SC_KEYMENU, 'f');
    checks.Expect(WaitUntil([&] { return program.MenuPopup() != nullptr; }, 5.0),
                  "File menu opens");
    PrintMedian("exit", 1, [&] {
        return TimeMs([&] {
            program.Post(WM_CHAR, 'x', 0);
            program.WaitForExit(15.0);
        });
    });
    ExpectExitCode(checks, program);
}

void CheckMissingSample(Checks& checks, const Setup& setup) {
    checks.Group("start-up without sample.dat, then the close box");
    const std::string folder = setup.File("no-sample");
    const std::string copy = folder + "\\dyvern.exe";
    CreateDirectoryA(folder.c_str(), nullptr);
    CopyFileA(setup.File("dyvern.exe").c_str(), copy.c_str(), FALSE);
    {
        RemoteProgram program;
        checks.Expect(program.Start(copy, folder), "copy without sample.dat starts");
        const HWND error = FindTopLevel(kDialogClass, "Dyvern error", program.ProcessId(), 20.0);
        const std::string text = error ? MessageBoxText(error) : "no error box";
        checks.Expect(text == "Could not open file '" + folder + "\\sample.dat'",
                      "error box names the missing file", text);
        checks.Expect(error != nullptr && Answer(error, IDOK), "error box closed with OK");
        program.Post(WM_SYSCOMMAND, SC_CLOSE, 0);
        ExpectExitCode(checks, program);
    }
    DeleteFileA(copy.c_str());
    RemoveDirectoryA(folder.c_str());
}

}  // namespace e2e
