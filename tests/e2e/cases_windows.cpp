// Cases on the windows the program opens: the open-file dialog and the pair
// dialog, message boxes, the editor on the report, models.txt and the guide,
// the About box; Compare models against what the command-line program
// prints; and how the program ends.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <sstream>

#include "data/data_file.h"
#include "harness.h"
#include "system/control_ids.h"

namespace e2e {
namespace {

constexpr char kReplaceTitle[] = "Report file already exists";
constexpr int kFileNameControl = 0x47c;

// Posts File > Open and confirms `path` in the dialog; what opens next is the caller's.
bool ChooseFile(RemoteProgram& program, const std::string& path) {
    program.PostCommand(IDM_OPEN);
    const HWND open = FindTopLevel(kDialogClass, "Open", program.ProcessId(), 15.0);
    if (open == nullptr) return false;
    SendMessageA(GetDlgItem(open, kFileNameControl), WM_SETTEXT, 0,
                 reinterpret_cast<LPARAM>(path.c_str()));
    return Answer(open, IDOK);
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

std::vector<std::string> ReadLines(const std::string& path) {
    std::ifstream file(path);
    std::vector<std::string> lines;
    for (std::string line; std::getline(file, line);) lines.push_back(line);
    return lines;
}

std::vector<std::string> Words(const std::string& line) {
    std::istringstream in(line);
    return {std::istream_iterator<std::string>(in), std::istream_iterator<std::string>()};
}

// Times three posts of `command`, each opening a window of `className` and
// `title` (the editor's belongs to another process) that `answer` closes,
// saying whether it was as expected.
bool TimeOpening(const std::string& what, RemoteProgram& program, int command,
                 const std::string& className, const std::string& title,
                 const std::function<bool(HWND)>& answer) {
    const DWORD owner = className == kDialogClass ? program.ProcessId() : 0;
    bool expected = true;
    PrintMedian(what, 3, [&] {
        HWND window = nullptr;
        const double ms = TimeMs([&] {
            program.PostCommand(command);
            window = FindTopLevel(className, title, owner, 20.0, 1);
        });
        expected &= window != nullptr && answer(window);
        return ms;
    });
    return expected;
}

// An error box whose text starts with `start`, closed with OK; `seen` is its text.
bool ShowsError(RemoteProgram& program, const std::string& start, std::string& seen) {
    const HWND box = FindTopLevel(kDialogClass, "Dyvern error", program.ProcessId(), 20.0);
    seen = box ? MessageBoxText(box) : "no box";
    return box != nullptr && seen.rfind(start, 0) == 0 && Answer(box, IDOK);
}

void ExpectExitCode(Checks& checks, RemoteProgram& program) {
    const auto code = program.WaitForExit(15.0);
    checks.Expect(code == DWORD{0}, "process ended with exit code 0",
                  code ? std::to_string(*code) : "still running");
}

// What dyvern-cli.exe beside the driver prints, by lines; nothing when it fails.
std::vector<std::string> CliLines(const std::string& arguments) {
    std::vector<std::string> lines;
    FILE* out = _popen(("dyvern-cli.exe " + arguments).c_str(), "r");
    char line[1024];
    while (out != nullptr && std::fgets(line, sizeof line, out) != nullptr) lines.push_back(line);
    return out != nullptr && _pclose(out) == 0 ? lines : std::vector<std::string>{};
}

HWND PairDialog(RemoteProgram& program, const std::string& path) {
    return ChooseFile(program, path)
               ? FindTopLevel(kDialogClass, "Choose two sequences", program.ProcessId(), 15.0)
               : nullptr;
}

// Picks positions `first` and `second` in the pair dialog and presses `button`.
bool PickPair(HWND dialog, int first, int second, int button) {
    if (dialog == nullptr) return false;
    SendDlgItemMessageA(dialog, IDC_PAIR_FIRST, LB_SETCURSEL, first, 0);
    SendDlgItemMessageA(dialog, IDC_PAIR_SECOND, LB_SETCURSEL, second, 0);
    return Answer(dialog, button);
}

// The words of the observed counts of report.txt, as the report writes them.
std::string ReportedTable(RemoteProgram& program, const Setup& setup) {
    DeleteFileA(setup.File("report.txt").c_str());
    program.PostCommand(IDC_REPORT);
    EditorShowed("report.txt", 20.0);
    const std::vector<std::string> lines = ReadLines(setup.File("report.txt"));
    std::string table;
    for (std::size_t number = 5; number <= 8 && number < lines.size(); ++number) {
        for (const std::string& word : Words(lines[number])) table += word + " ";
    }
    return table;
}

void CheckReports(Checks& checks, RemoteProgram& program, const Setup& setup) {
    checks.Group("Report: written at once, then the replace question");
    const std::string report = setup.File("report.txt");
    DeleteFileA(report.c_str());
    program.PostCommand(IDC_REPORT);
    checks.Expect(EditorShowed("report.txt", 20.0), "editor opened on report.txt and closed");
    const std::vector<std::string> before = ReadLines(report);
    checks.Expect(TimeOpening("report", program, IDC_REPORT, kDialogClass, kReplaceTitle,
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

// Open cancelled, About and Help, each timed.
void CheckOpenAboutHelp(Checks& checks, RemoteProgram& program, const Setup&) {
    checks.Group("File > Open cancelled");
    const std::string title = program.Title();
    checks.Expect(TimeOpening("open", program, IDM_OPEN, kDialogClass, "Open",
                              [](HWND dialog) { return Answer(dialog, IDCANCEL); }),
                  "each time the dialog appears and is cancelled");
    checks.Expect(FindTopLevel(kDialogClass, "", program.ProcessId(), 2.0) == nullptr &&
                      program.Title() == title,
                  "no message follows, title unchanged", program.Title());
    checks.Group("About box");
    checks.Expect(TimeOpening("about", program, IDM_ABOUT, kDialogClass, "",
                              [&](HWND box) {
                                  return GetWindow(box, GW_OWNER) == program.Main() &&
                                         FindWindowExA(box, nullptr, "Static", "version 1d") &&
                                         Answer(box, IDOK);
                              }),
                  "each time owned by the main window, shows its version, closes with Ok");
    checks.Group("Help without the help file opens the guide in the editor");
    checks.Expect(TimeOpening("help", program, IDM_HELP_CONTENTS, "Notepad", "guide.txt - Notepad",
                              CloseEditor),
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

void CheckCompareModels(Checks& checks, RemoteProgram& program, const Setup& setup) {
    checks.Group("File > Open of other.dat, then Compare models against dyvern-cli compare");
    checks.Expect(ChooseFile(program, setup.File("other.dat")) &&
                      WaitForLoad(program, setup.File("other.dat")),
                  "other.dat chosen in the dialog and loaded", program.Title());
    const std::string models = setup.File("models.txt");
    DeleteFileA(models.c_str());
    program.PostCommand(IDM_COMPARE);
    checks.Expect(EditorShowed("models.txt", 20.0), "editor opened on models.txt and closed");
    const std::vector<std::string> lines = ReadLines(models);
    const std::vector<std::string> printed = CliLines("compare other.dat");
    if (!checks.Expect(!printed.empty(), "dyvern-cli ran")) return;
    // Each row of a model (k lnL AIC AICc BIC and the weights) or of a test
    // (df LR P) must be one line of models.txt, starting with the same
    // model, that shows its numbers as far as six decimals go.
    int rows = 0;
    std::string missing;
    for (const std::string& row : printed) {
        const std::vector<std::string> cells = Words(row);
        double number = 0;
        // Headings hold a word where the rows hold lnL or df.
        if (cells.size() < 7 || !ParseNumber(cells[4], number)) continue;
        ++rows;
        const auto shown = [](const std::string& cell, const std::vector<std::string>& words) {
            double value = 0;
            return !ParseNumber(cell, value) ||
                   std::any_of(words.begin(), words.end(),
                               [&](const std::string& word) { return Near(word, value, 6e-7); });
        };
        const auto showsRow = [&](const std::string& line) {
            const std::vector<std::string> words = Words(line);
            return !words.empty() && words[0] == cells[2] &&
                   std::all_of(cells.begin() + 3, cells.end(),
                               [&](const std::string& cell) { return shown(cell, words); });
        };
        if (std::none_of(lines.begin(), lines.end(), showsRow)) missing += " [" + row + "]";
    }
    checks.Expect(rows == 8 && missing.empty(),
                  "every figure of the four models and four tests shown in models.txt",
                  std::to_string(rows) + " rows; not shown:" + missing);
}

void CheckOpenAlignment(Checks& checks, RemoteProgram& program, const Setup& setup) {
    checks.Group("File > Open of primates.fasta: the pair dialog");
    const std::string primates = setup.File("primates.fasta");
    const HWND dialog = PairDialog(program, primates);
    if (!checks.Expect(dialog != nullptr, "pair dialog appears")) return;
    const std::vector<std::string> names = {"Human", "Chimpanzee", "Gorilla", "Orangutan",
                                            "Gibbon"};
    const auto items = [&](int id) {
        return ListTexts(GetDlgItem(dialog, id), LB_GETCOUNT, LB_GETTEXT);
    };
    checks.Expect(items(IDC_PAIR_FIRST) == names && items(IDC_PAIR_SECOND) == names,
                  "both lists hold the five names in file order");
    checks.Expect(Answer(dialog, IDOK) && WaitForLoad(program, primates + " (Human, Chimpanzee)"),
                  "OK on Human and Chimpanzee, chosen at the start: the title names them",
                  program.Title());

    checks.Group("Human and Chimpanzee: the sample's table and its K80 estimates");
    // The sample is read as the program reads it, through the core.
    std::ifstream file(setup.File("sample.dat"));
    std::ostringstream sample;
    for (const auto& row : dyvern::ReadDataFile(file, 0).counts)
        for (const double cell : row) sample << cell << ".000000 ";
    const std::string table = ReportedTable(program, setup);
    checks.Expect(table == sample.str(), "report's observed table is the sample's", table);
    program.SelectItem(IDC_MODEL_COMBO, kK80);
    program.SetText(IDC_BETAT_EDIT, "0.1");
    program.SetText(IDC_KAPPA_EDIT, "1");
    program.Command(IDC_SOLVE);
    const std::string lnL = program.Text(IDC_CRITERION_VALUE);
    const std::string kappa = program.Text(IDC_KAPPA_EDIT);
    checks.Expect(Near(lnL, -1530.006297, 1e-5) && Near(kappa, 32.37011, 2e-4),
                  "lnL and kappa at the known optimum", "lnL " + lnL + ", kappa " + kappa);
    program.SelectItem(IDC_MODEL_COMBO, kJc69);

    checks.Group("another pair, Cancel, the same sequence twice, an unreadable alignment");
    const std::string loaded = primates + " (Gorilla, Orangutan)";
    checks.Expect(
        PickPair(PairDialog(program, primates), 2, 3, IDOK) && WaitForLoad(program, loaded),
        "Gorilla and Orangutan chosen: the title names them", program.Title());
    const std::string criterion = program.Text(IDC_CRITERION_VALUE);
    checks.Expect(PickPair(PairDialog(program, primates), 0, 4, IDCANCEL), "dialog cancelled");
    std::string seen;
    checks.Expect(PickPair(PairDialog(program, primates), 4, 4, IDOK) &&
                      ShowsError(program, "Sequence 1 and sequence 2 are both 'Gibbon'", seen),
                  "the same sequence twice is refused", seen);
    const std::string bad = setup.File("unequal.fasta");
    std::ofstream(bad) << ">a\nACGT\n>b\nAC\n";
    checks.Expect(ChooseFile(program, bad) && ShowsError(program, bad, seen),
                  "the reader's message names the file", seen);
    checks.Expect(
        program.Title() == "Dyvern - " + loaded && program.Text(IDC_CRITERION_VALUE) == criterion,
        "title and criterion unchanged after all three", program.Title());
    DeleteFileA(bad.c_str());
}

}  // namespace

bool WaitForLoad(RemoteProgram& program, const std::string& dataFile) {
    return WaitUntil([&] { return program.Title() == "Dyvern - " + dataFile; }, 20.0);
}

const std::vector<Case> kOpenedWindowCases = {CheckReports, CheckCompareModels, CheckOpenAboutHelp,
                                              CheckOpenAlignment, CheckMenuExit};

void CheckMissingSample(Checks& checks, const Setup& setup) {
    checks.Group("start-up without sample.dat, then the close box");
    const std::string folder = setup.File("no-sample");
    const std::string copy = folder + "\\dyvern.exe";
    CreateDirectoryA(folder.c_str(), nullptr);
    CopyFileA(setup.File("dyvern.exe").c_str(), copy.c_str(), FALSE);
    {
        RemoteProgram program;
        program.Start(copy, folder);
        std::string seen;
        checks.Expect(ShowsError(program, "Could not open file '" + folder + "\\sample.dat'", seen),
                      "error box names the missing file, closes with OK", seen);
        program.Post(WM_SYSCOMMAND, SC_CLOSE, 0);
        ExpectExitCode(checks, program);
    }
    DeleteFileA(copy.c_str());
    RemoveDirectoryA(folder.c_str());
}

}  // namespace e2e
