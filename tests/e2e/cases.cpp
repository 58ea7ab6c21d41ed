// The end-to-end cases. On the main window: what the logic sets must reach
// the real controls, the real controls' commands the logic, and its pictures
// the screen (read from screenshots against the controls' real client
// rectangles). Then the windows it opens: the open-file and pair dialogs,
// message boxes, the editor on the report, models.txt and the guide, the
// About box; Compare models against what the command-line program prints;
// and how the program ends. What the window's logic does with what it is
// given (the tables read, the messages for bad files) is tested in-process.
#include <algorithm>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <sstream>
#include <tuple>
#include <utility>

#include "harness.h"
#include "system/control_ids.h"

namespace e2e {
namespace {

// Slots are trimmed so that the grid's frame lines on their edges are not
// taken for text; the gauge's blue column is outlined by one black pixel.
constexpr int kSlotInset = 2;
constexpr int kOutline = 1;

bool IsBlue(int red, int green, int blue) { return red == 0 && green == 0 && blue == 255; }
// Text ink, anti-aliased edges included.
bool IsDark(int red, int green, int blue) { return red + green + blue < 300; }
// Ink of enabled text; grey (disabled) text and highlight colours are not.
bool IsBlackInk(int red, int green, int blue) { return red < 64 && green < 64 && blue < 64; }

// Dividing the client area into five by five slots, the 4x4 block at the
// bottom right holds one cell text per slot.
int CellSlotsWithText(const Image& image, const RECT& client) {
    const auto x = [&](int i) { return client.left + i * (client.right - client.left) / 5; };
    const auto y = [&](int i) { return client.top + i * (client.bottom - client.top) / 5; };
    int withText = 0;
    for (int row = 1; row <= 4; ++row) {
        for (int column = 1; column <= 4; ++column) {
            const RECT slot{x(column) + kSlotInset, y(row) + kSlotInset, x(column + 1) - kSlotInset,
                            y(row + 1) - kSlotInset};
            withText += CountPixels(image, slot, IsDark) > 0 ? 1 : 0;
        }
    }
    return withText;
}

// A full gauge is blue from the second row of its client area to the last
// but one, an empty one not at all; both grids show text in their 16 cells.
void CheckPicture(Checks& checks, RemoteProgram& program, const Setup& setup,
                  const std::string& name, bool gaugeFull) {
    const auto image = TakeShot(setup.shots, name, program.Main());
    if (!checks.Expect(image.has_value(), "screenshot " + name + ".png")) return;
    const RECT gauge = image->ClientArea(program.Control(IDC_GAUGE));
    const int centre = (gauge.left + gauge.right) / 2;
    const int inside = gauge.bottom - gauge.top - 2 * kOutline;
    const int column = CountPixels(
        *image, {centre, gauge.top + kOutline, centre + 1, gauge.bottom - kOutline}, IsBlue);
    checks.Expect(column == (gaugeFull ? inside : 0),
                  gaugeFull ? "gauge full to the top" : "gauge empty",
                  std::to_string(column) + " of " + std::to_string(inside) + " rows blue");
    std::string slots;
    for (const int grid : {IDC_OBSERVED_GRID, IDC_EXPECTED_GRID})
        slots += " " + std::to_string(
                           CellSlotsWithText(*image, image->ClientArea(program.Control(grid))));
    checks.Expect(slots == " 16 16", "both grids show text in their 16 cells",
                  "cells with text:" + slots);
}

// Opens the Frequencies menu by keys from the menu bar (its title shares
// File's mnemonic) and says whether its lower item, Equal, has black
// (enabled) text; the upper item is highlighted, its text never black.
std::optional<bool> EqualItemBlack(RemoteProgram& program, const Setup& setup,
                                   const std::string& name) {
    program.Post(WM_SYSCOMMAND, SC_KEYMENU, 0);  // the menu bar, File selected, nothing open
    program.Post(WM_KEYDOWN, VK_RIGHT, 0);
    program.Post(WM_KEYDOWN, VK_DOWN, 0);
    const bool opened = WaitUntil([&] { return program.MenuPopup() != nullptr; }, 5.0);
    const auto image = opened ? TakeShot(setup.shots, name, program.MenuPopup()) : std::nullopt;
    program.Post(WM_KEYDOWN, VK_ESCAPE, 0);  // the popup, then the menu bar
    program.Post(WM_KEYDOWN, VK_ESCAPE, 0);
    WaitUntil([&] { return program.MenuPopup() == nullptr; }, 5.0);
    if (!image) return {};
    const RECT lower{4, image->height / 2, image->width - 4, image->height - 4};
    return CountPixels(*image, lower, IsBlackInk) > 0;
}

void CheckControls(Checks& checks, RemoteProgram& program, const Setup& setup) {
    checks.Group("start-up: the controls show what the logic set");
    // Inserted by position into a sorting combo box: the order must survive.
    const std::vector<std::string> models = {"Jukes & Cantor (1969)", "Felsenstein (1981)",
                                             "Kimura (1980)", "Hasegawa et al. (1985)"};
    const auto items = ListTexts(program.Control(IDC_MODEL_COMBO), CB_GETCOUNT, CB_GETLBTEXT);
    checks.Expect(items == models && program.Send(IDC_MODEL_COMBO, CB_GETCURSEL) == kJc69,
                  "model list holds the four models in order, JC69 selected");
    checks.Expect(program.Send(IDC_LIKELIHOOD, BM_GETCHECK) == BST_CHECKED &&
                      program.Send(IDC_LEAST_SQUARES, BM_GETCHECK) == BST_UNCHECKED,
                  "Likelihood checked, Least squares not");

    // One model frees the frequencies alone, the other kappa alone; piT's
    // edit starts greyed by the resource and is freed by the logic.
    const std::tuple<Model, const char*, bool> kModels[] = {{kF81, "F81", true},
                                                            {kK80, "K80", false}};
    const std::pair<int, bool> kControls[] = {{IDC_KAPPA_EDIT, false}, {IDC_KAPPA_UP, false},
                                              {IDC_PIA_EDIT, true},    {IDC_PIG_DOWN, true},
                                              {IDC_PIT_EDIT, true},    {IDC_EQUAL, true}};
    for (const auto& [model, name, frequenciesFree] : kModels) {
        checks.Group(std::string("model ") + name + ": controls and menu items it frees");
        std::string wrong;
        program.SelectItem(IDC_MODEL_COMBO, model);
        for (const auto& [id, isFrequency] : kControls)
            if ((IsWindowEnabled(program.Control(id)) != FALSE) != (isFrequency == frequenciesFree))
                wrong += " " + std::to_string(id);
        checks.Expect(wrong.empty(), "kappa and frequency controls enabled as the model says",
                      "wrong:" + wrong);
        const auto black = EqualItemBlack(program, setup, std::string("menu-") + name);
        checks.Expect(black == frequenciesFree, "Frequencies > Equal black when free, else grey",
                      black ? "it is not" : "no menu or no screenshot");
    }
    program.SelectItem(IDC_MODEL_COMBO, kJc69);
}

void CheckSolveAndPictures(Checks& checks, RemoteProgram& program, const Setup& setup) {
    checks.Group("Solve under JC69: the optimum, a full gauge, both grids");
    program.Command(IDC_SOLVE);
    const std::string lnL = program.Text(IDC_CRITERION_VALUE);
    checks.Expect(Near(lnL, -1594.692558, 1e-5), "lnL at the known optimum", lnL);
    CheckPicture(checks, program, setup, "solved", true);

    // Wine shows an uncovered window from a kept copy of its pixels, without
    // asking it to paint; Windows invalidates what was hidden, as done here
    // (minimising and restoring reach the same painting: nothing handles a size).
    checks.Group("the same after being invalidated, as uncovering does");
    RedrawWindow(program.Main(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
    CheckPicture(checks, program, setup, "invalidated", true);

    checks.Group("a kappa typed out of range empties the gauge");
    program.SelectItem(IDC_MODEL_COMBO, kK80);
    program.SetText(IDC_KAPPA_EDIT, "abc");
    CheckPicture(checks, program, setup, "invalid", false);
    program.SetText(IDC_KAPPA_EDIT, "1");
    program.SelectItem(IDC_MODEL_COMBO, kJc69);
}

// The commands the main window answers without opening a window, as sent
// messages: a message returns once the program has handled it.
void TimeCommands(Checks& checks, RemoteProgram& program, const Setup&) {
    constexpr int kRounds = 8;  // even, so that alternating rounds end where they began
    bool answered = true;
    program.SelectItem(IDC_MODEL_COMBO, kHky85);
    // Each Solve from the same start.
    const auto restart = [&] { program.SetText(IDC_BETAT_EDIT, "0.1"); };
    restart();
    PrintMedian(
        "solve", kRounds, [&] { answered &= program.Command(IDC_SOLVE); }, restart);
    const std::pair<const char*, std::function<bool(bool)>> kAlternating[] = {
        {"model switch",
         [&](bool odd) { return program.SelectItem(IDC_MODEL_COMBO, odd ? kHky85 : kK80); }},
        {"criterion switch",
         [&](bool odd) {
             return program.Command(odd ? IDC_LIKELIHOOD : IDC_LEAST_SQUARES, BN_CLICKED);
         }},
        // The same switch through the button itself, which adds Wine's own click handling.
        {"criterion click",
         [&](bool odd) {
             return program.Send(odd ? IDC_LIKELIHOOD : IDC_LEAST_SQUARES, BM_CLICK).has_value();
         }},
        {"keystroke", [&](bool odd) { return program.SetText(IDC_KAPPA_EDIT, odd ? "2" : "3"); }},
        {"step button",
         [&](bool odd) { return program.Command(odd ? IDC_BETAT_DOWN : IDC_BETAT_UP); }},
        {"equal", [&](bool) { return program.Command(IDC_EQUAL); }},
        {"empirical", [&](bool) { return program.Command(IDC_EMPIRICAL); }},
        {"refresh", [&](bool) { return program.Command(IDC_REFRESH); }}};
    for (const auto& [what, send] : kAlternating) {
        int round = 0;
        PrintMedian(what, kRounds, [&] { answered &= send(round++ % 2 == 1); });
    }
    checks.Group("timed commands");
    checks.Expect(answered, "every timed command answered");
    program.SelectItem(IDC_MODEL_COMBO, kJc69);
}

constexpr char kReplaceTitle[] = "Report file already exists";

// Posts File > Open and confirms `path` in the dialog; what opens next is the caller's.
bool ChooseFile(RemoteProgram& program, const std::string& path) {
    program.PostCommand(IDM_OPEN);
    const HWND open = FindTopLevel(kDialogClass, "Open", program.ProcessId(), 15.0);
    if (open == nullptr) return false;
    // 0x47c: the dialog's file name field.
    SendMessageA(GetDlgItem(open, 0x47c), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(path.c_str()));
    return Answer(open, IDOK);
}

bool CloseEditor(HWND editor) { return editor != nullptr && Dismiss(editor, WM_CLOSE); }

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
    HWND window = nullptr;
    PrintMedian(
        what, 3,
        [&] {
            program.PostCommand(command);
            window = FindTopLevel(className, title, owner, 20.0, 1);
        },
        [&] { expected &= window != nullptr && answer(window); });
    return expected;
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

// Whether one of `lines` starts with the name of a row's `cells` (its model,
// null model or test) and shows each of its other words, numbers as far as
// six decimals go.
bool ShowsRow(const std::vector<std::string>& lines, const std::vector<std::string>& cells) {
    return std::any_of(lines.begin(), lines.end(), [&](const std::string& line) {
        const std::vector<std::string> words = Words(line);
        const auto shown = [&](const std::string& cell) {
            double value = 0;
            if (!ParseNumber(cell, value))
                return std::find(words.begin(), words.end(), cell) != words.end();
            return std::any_of(words.begin(), words.end(),
                               [&](const std::string& word) { return Near(word, value, 6e-7); });
        };
        return !words.empty() && words[0] == cells[2] &&
               std::all_of(cells.begin() + 3, cells.end(), shown);
    });
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
    WaitUntil([&] { return program.MenuPopup() != nullptr; }, 5.0);
    PrintMedian("exit", 1, [&] {
        program.Post(WM_CHAR, 'x', 0);
        program.WaitForExit(15.0);
    });
    ExpectExitCode(checks, program);
}

void CheckCompareModels(Checks& checks, RemoteProgram& program, const Setup& setup) {
    checks.Group("File > Open of other.dat, then Compare models against dyvern-cli compare");
    checks.Expect(
        ChooseFile(program, setup.File("other.dat")) && program.Loaded(setup.File("other.dat")),
        "other.dat chosen in the dialog and loaded", program.Title());
    const std::string models = setup.File("models.txt");
    DeleteFileA(models.c_str());
    program.PostCommand(IDM_COMPARE);
    checks.Expect(EditorShowed("models.txt", 20.0), "editor opened on models.txt and closed");
    const std::vector<std::string> lines = ReadLines(models);
    // Each row of a model (k lnL AIC AICc BIC and the weights), of a
    // likelihood-ratio test (alternative df LR P) or of a symmetry test
    // (statistic df P) that dyvern-cli prints must be a line of models.txt.
    int rows = 0;
    std::string missing;
    for (const std::string& row : CliLines("compare other.dat")) {
        const std::vector<std::string> cells = Words(row);
        double number = 0;
        // Headings hold a word where the rows hold lnL or df.
        if (cells.size() < 6 || !ParseNumber(cells[4], number)) continue;
        ++rows;
        if (!ShowsRow(lines, cells)) missing += " [" + row + "]";
    }
    checks.Expect(rows == 9 + 12 + 3 && missing.empty(),
                  "every figure of the nine models, twelve tests of nested models and three of "
                  "symmetry shown in models.txt",
                  std::to_string(rows) + " rows; not shown:" + missing);
}

void CheckOpenAlignment(Checks& checks, RemoteProgram& program, const Setup& setup) {
    checks.Group("File > Open of primates.fasta: the pair dialog");
    const std::string primates = setup.File("primates.fasta");
    const HWND dialog = PairDialog(program, primates);
    const std::vector<std::string> names = {"Human", "Chimpanzee", "Gorilla", "Orangutan",
                                            "Gibbon"};
    checks.Expect(
        ListTexts(GetDlgItem(dialog, IDC_PAIR_FIRST), LB_GETCOUNT, LB_GETTEXT) == names &&
            ListTexts(GetDlgItem(dialog, IDC_PAIR_SECOND), LB_GETCOUNT, LB_GETTEXT) == names,
        "the pair dialog's lists both hold the five names in file order");
    checks.Expect(Answer(dialog, IDOK) && program.Loaded(primates + " (Human, Chimpanzee)"),
                  "OK on Human and Chimpanzee, chosen at the start: the title names them",
                  program.Title());

    checks.Group("another pair, then Cancel");
    const std::string loaded = primates + " (Gorilla, Orangutan)";
    checks.Expect(PickPair(PairDialog(program, primates), 2, 3, IDOK) && program.Loaded(loaded),
                  "Gorilla and Orangutan chosen: the title names them", program.Title());
    const std::string criterion = program.Text(IDC_CRITERION_VALUE);
    checks.Expect(PickPair(PairDialog(program, primates), 0, 4, IDCANCEL) &&
                      program.Title() == "Dyvern - " + loaded &&
                      program.Text(IDC_CRITERION_VALUE) == criterion,
                  "dialog cancelled: title and criterion unchanged", program.Title());
}

}  // namespace

const std::vector<Case> kCases = {CheckControls,      CheckSolveAndPictures, TimeCommands,
                                  CheckReports,       CheckCompareModels,    CheckOpenAboutHelp,
                                  CheckOpenAlignment, CheckMenuExit};

// sample.dat is moved aside for a while: the program looks for it beside itself.
void CheckMissingSample(Checks& checks, const Setup& setup) {
    checks.Group("start-up without sample.dat, then the close box");
    const std::string sample = setup.File("sample.dat");
    MoveFileA(sample.c_str(), (sample + ".aside").c_str());
    RemoteProgram program;
    program.Start(setup.File("dyvern.exe"), setup.folder);
    const HWND box = FindTopLevel(kDialogClass, "Dyvern error", program.ProcessId(), 20.0);
    const std::string seen = box ? MessageBoxText(box) : "no box";
    checks.Expect(seen.rfind("Could not open file '" + sample + "'", 0) == 0 && Answer(box, IDOK),
                  "error box names the missing file, closes with OK", seen);
    program.Post(WM_SYSCOMMAND, SC_CLOSE, 0);
    ExpectExitCode(checks, program);
    MoveFileA((sample + ".aside").c_str(), sample.c_str());
}

}  // namespace e2e
