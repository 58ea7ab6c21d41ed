// Cases on the windows the program opens: the open-file dialog, message
// boxes, the editor on the report, the About box, help; and how it ends.
#include <fstream>
#include <sstream>

#include "cases.h"
#include "system/control_ids.h"

namespace e2e {
namespace {

constexpr char kDialogClass[] = "#32770";
constexpr char kReplaceTitle[] = "Report file already exists";
constexpr int kFileNameControl = 0x47c;
constexpr int kModalRounds = 3;

std::string Contents(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

bool CloseEditor(HWND editor) {
    if (editor == nullptr) return false;
    PostMessageA(editor, WM_CLOSE, 0, 0);
    return WaitUntil([&] { return !IsWindow(editor); }, 10.0);
}

// Waits for the editor on a file beside the program and closes it again.
bool EditorShowed(const std::string& fileName, double seconds) {
    return CloseEditor(FindTopLevel("Notepad", fileName + " - Notepad", 0, seconds));
}

bool EditorShowedReport(double seconds) { return EditorShowed("report.txt", seconds); }

// Posts a command that opens a modal window titled `title` (any when empty)
// and waits for it, polling finely as the wait is timed.
HWND PostAndWait(RemoteProgram& program, int command, const std::string& title, double* ms) {
    HWND window = nullptr;
    const double taken = TimeMs([&] {
        program.PostCommand(command);
        WaitUntil([&] { return (window = FindTopLevel(kDialogClass, title, program.ProcessId())); },
                  15.0, 1);
    });
    if (ms != nullptr) *ms = taken;
    return window;
}

// Times kModalRounds posts of a command that opens a modal window; `answer`
// answers each window and says whether it was as expected.
bool TimeModal(RemoteProgram& program, const std::string& what, int command,
               const std::string& title, const std::function<bool(HWND)>& answer) {
    bool expected = true;
    PrintMedian(what, kModalRounds, [&] {
        double ms = 0.0;
        const HWND window = PostAndWait(program, command, title, &ms);
        expected &= window != nullptr && answer(window);
        return ms;
    });
    return expected;
}

void ExpectExitCode(Checks& checks, RemoteProgram& program) {
    const auto code = program.WaitForExit(15.0);
    checks.Expect(code.has_value(), "process ended");
    checks.Expect(code == DWORD{0}, "exit code 0", code ? std::to_string(*code) : "none");
}

}  // namespace

bool WaitForLoad(RemoteProgram& program, const std::string& dataFile) {
    return WaitUntil([&] { return program.Title() == "Dyvern - " + dataFile; }, 20.0);
}

void CheckOpenChosen(Checks& checks, RemoteProgram& program, const Setup& setup) {
    checks.Group("File > Open with a chosen file");
    const HWND dialog = PostAndWait(program, IDM_OPEN, "Open", nullptr);
    if (!checks.Expect(dialog != nullptr, "Open dialog appears")) return;
    SendMessageA(GetDlgItem(dialog, kFileNameControl), WM_SETTEXT, 0,
                 reinterpret_cast<LPARAM>(setup.File("other.dat").c_str()));
    checks.Expect(Answer(dialog, IDOK), "dialog confirmed");
    checks.Expect(WaitForLoad(program, setup.File("other.dat")), "title names other.dat",
                  program.Title());
    checks.Expect(program.Command(IDC_SOLVE), "Solve answered");
    checks.ExpectNear(program.Text(IDC_BETAT_EDIT), Jc69BestBranchLength(setup.other), 5e-5,
                      "betat at the JC69 optimum of other.dat");
}

void CheckReports(Checks& checks, RemoteProgram& program, const Setup& setup) {
    checks.Group("Report with no earlier report");
    const std::string report = setup.File("report.txt");
    DeleteFileA(report.c_str());
    program.PostCommand(IDC_REPORT);
    checks.Expect(EditorShowedReport(20.0), "editor opened on report.txt and closed");

    checks.Group("Report again, answered No");
    const std::string before = Contents(report);
    checks.Expect(TimeModal(program, "report", IDC_REPORT, kReplaceTitle,
                            [](HWND box) {
                                return MessageBoxText(box) == "Replace it" &&
                                       GetDlgItem(box, IDYES) != nullptr && Answer(box, IDNO);
                            }),
                  "each time a Yes/No box asks \"Replace it\" and takes No");
    checks.Expect(!EditorShowedReport(2.0), "no editor");
    checks.Expect(Contents(report) == before, "report file unchanged");

    checks.Group("Report again, answered Yes");
    program.SelectItem(IDC_MODEL_COMBO, kK80);
    program.PostCommand(IDC_REPORT);
    const HWND box = FindTopLevel(kDialogClass, kReplaceTitle, program.ProcessId(), 10.0);
    checks.Expect(box != nullptr && Answer(box, IDYES), "question box answered Yes");
    checks.Expect(EditorShowedReport(20.0), "editor opened on the new report and closed");
    checks.Expect(Contents(report) != before, "report file rewritten for K80");
    program.SelectItem(IDC_MODEL_COMBO, kJc69);
}

void CheckOpenCancelled(Checks& checks, RemoteProgram& program) {
    checks.Group("File > Open cancelled");
    const std::string title = program.Title();
    const std::string criterion = program.Text(IDC_CRITERION_VALUE);
    checks.Expect(TimeModal(program, "open", IDM_OPEN, "Open",
                            [](HWND dialog) { return Answer(dialog, IDCANCEL); }),
                  "each time the dialog appears and is cancelled");
    checks.Expect(FindTopLevel(kDialogClass, "", program.ProcessId(), 2.0) == nullptr,
                  "no message follows");
    checks.ExpectText(program.Title(), title, "title unchanged");
    checks.ExpectText(program.Text(IDC_CRITERION_VALUE), criterion, "criterion unchanged");
}

void CheckAbout(Checks& checks, RemoteProgram& program) {
    checks.Group("About box");
    checks.Expect(TimeModal(program, "about", IDM_ABOUT, "",
                            [&](HWND box) {
                                return GetWindow(box, GW_OWNER) == program.Main() &&
                                       FindWindowExA(box, nullptr, "Static", "version 1d") &&
                                       Answer(box, IDOK);
                            }),
                  "each time owned by the main window, shows its version, closes with Ok");
    checks.Expect(program.Responsive(), "main window answers again");
}

void CheckHelp(Checks& checks, RemoteProgram& program, const Setup& setup) {
    checks.Group("Help without the help file opens the guide in the editor");
    bool shown = true;
    PrintMedian("help", kModalRounds, [&] {
        HWND editor = nullptr;
        const double ms = TimeMs([&] {
            program.PostCommand(IDM_HELP_CONTENTS);
            WaitUntil([&] { return (editor = FindTopLevel("Notepad", "guide.txt - Notepad", 0)); },
                      20.0, 1);
        });
        shown &= CloseEditor(editor);
        return ms;
    });
    checks.Expect(shown, "each time the editor shows guide.txt and closes");
    checks.Expect(FindTopLevel(kDialogClass, "", 0, 1.0) == nullptr, "no box");

    checks.Group("Help with the help file beside the program (help viewer disabled)");
    const std::string helpFile = setup.File("dyvern32.hlp");
    std::ofstream(helpFile) << "?";
    program.PostCommand(IDM_HELP_CONTENTS);
    checks.Expect(!EditorShowed("guide.txt", 2.0), "the guide stays closed");
    checks.Expect(FindTopLevel(kDialogClass, "", 0, 1.0) == nullptr,
                  "no box from the program or a help viewer");
    checks.Expect(program.Responsive(), "main window answers");
    DeleteFileA(helpFile.c_str());
}

void CheckMenuExit(Checks& checks, RemoteProgram& program) {
    checks.Group("File > Exit through the menu");
    program.OpenMenu('f');
    checks.Expect(WaitUntil([&] { return program.MenuPopup() != nullptr; }, 5.0),
                  "File menu opens");
    PrintMedian("exit", 1, [&] {
        return TimeMs([&] {
            program.PostChar('x');
            program.WaitForExit(15.0);
        });
    });
    ExpectExitCode(checks, program);
}

void CheckCloseBox(Checks& checks, RemoteProgram& program) {
    checks.Group("close box");
    PostMessageA(program.Main(), WM_SYSCOMMAND, SC_CLOSE, 0);
    ExpectExitCode(checks, program);
}

void CheckMissingSample(Checks& checks, RemoteProgram& program, const std::string& folder) {
    checks.Group("start-up without sample.dat");
    const HWND error = FindTopLevel(kDialogClass, "Dyvern error", program.ProcessId(), 20.0);
    if (checks.Expect(error != nullptr, "error box appears")) {
        checks.ExpectText(MessageBoxText(error), "Could not open file '" + folder + "\\sample.dat'",
                          "error text names the missing file");
        checks.Expect(Answer(error, IDOK), "error box closed with OK");
    }
    checks.Expect(program.Responsive(), "main window answers");
    CheckCloseBox(checks, program);
}

}  // namespace e2e
