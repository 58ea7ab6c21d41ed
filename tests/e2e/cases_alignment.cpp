// File > Open of an alignment through the real window: the pair dialog, the
// table it loads (read back from the report), Solve on it, and the choices
// that change nothing.
#include <fstream>
#include <sstream>

#include "cases.h"
#include "system/control_ids.h"

namespace e2e {
namespace {

constexpr char kDialogClass[] = "#32770";
constexpr char kPairTitle[] = "Choose two sequences";
constexpr int kFileNameControl = 0x47c;
const std::vector<std::string> kPrimates = {"Human", "Chimpanzee", "Gorilla", "Orangutan",
                                            "Gibbon"};

// Chooses `path` in the open-file dialog; the window the program opens next
// (the pair dialog or a message box) is left to the caller.
bool ChooseFile(RemoteProgram& program, const std::string& path) {
    program.PostCommand(IDM_OPEN);
    const HWND open = FindTopLevel(kDialogClass, "Open", program.ProcessId(), 15.0);
    if (open == nullptr) return false;
    SendMessageA(GetDlgItem(open, kFileNameControl), WM_SETTEXT, 0,
                 reinterpret_cast<LPARAM>(path.c_str()));
    return Answer(open, IDOK);
}

std::vector<std::string> ListBoxItems(HWND list) {
    std::vector<std::string> items;
    const LRESULT count = SendMessageA(list, LB_GETCOUNT, 0, 0);
    for (LRESULT index = 0; index < count; ++index) {
        wchar_t text[256] = {};  // wide, as for the combo box: the same across processes
        SendMessageW(list, LB_GETTEXT, index, reinterpret_cast<LPARAM>(text));
        items.emplace_back(text, text + std::char_traits<wchar_t>::length(text));
    }
    return items;
}

// Opens the alignment, picks positions `first` and `second` and presses `button`.
bool PickPair(RemoteProgram& program, const std::string& path, int first, int second, int button) {
    if (!ChooseFile(program, path)) return false;
    const HWND dialog = FindTopLevel(kDialogClass, kPairTitle, program.ProcessId(), 15.0);
    if (dialog == nullptr) return false;
    SendDlgItemMessageA(dialog, IDC_PAIR_FIRST, LB_SETCURSEL, first, 0);
    SendDlgItemMessageA(dialog, IDC_PAIR_SECOND, LB_SETCURSEL, second, 0);
    return Answer(dialog, button);
}

// The observed counts of report.txt, rows joined, as the report writes them.
std::string ReportedTable(RemoteProgram& program, const Setup& setup) {
    const std::string report = setup.File("report.txt");
    DeleteFileA(report.c_str());
    program.PostCommand(IDC_REPORT);
    const HWND editor = FindTopLevel("Notepad", "report.txt - Notepad", 0, 20.0);
    if (editor) PostMessageA(editor, WM_CLOSE, 0, 0);
    std::ifstream file(report);
    std::string line, rows;
    for (int number = 0; std::getline(file, line); ++number)
        if (number >= 5 && number <= 8) rows += line;
    return rows;
}

std::string WordsOf(const std::string& text) {
    std::istringstream in(text);
    std::string word, words;
    while (in >> word) words += word + " ";
    return words;
}

bool ShowsError(RemoteProgram& program, const std::string& start, std::string& seen) {
    const HWND box = FindTopLevel(kDialogClass, "Dyvern error", program.ProcessId(), 15.0);
    seen = box ? MessageBoxText(box) : "no box";
    return box != nullptr && seen.rfind(start, 0) == 0 && Answer(box, IDOK);
}

}  // namespace

void CheckOpenAlignment(Checks& checks, RemoteProgram& program, const Setup& setup) {
    checks.Group("File > Open of primates.fasta: the pair dialog");
    const std::string primates = setup.File("primates.fasta");
    if (!checks.Expect(ChooseFile(program, primates), "file chosen")) return;
    const HWND dialog = FindTopLevel(kDialogClass, kPairTitle, program.ProcessId(), 15.0);
    if (!checks.Expect(dialog != nullptr, "pair dialog appears")) return;
    checks.Expect(GetWindow(dialog, GW_OWNER) == program.Main(), "owned by the main window");
    Sleep(300);  // let it paint before the picture
    checks.Expect(setup.shots.Take("pair-dialog", dialog).has_value(),
                  "screenshot pair-dialog.png");
    for (const int list : {IDC_PAIR_FIRST, IDC_PAIR_SECOND})
        checks.Expect(ListBoxItems(GetDlgItem(dialog, list)) == kPrimates,
                      "list " + std::to_string(list) + " holds the five names in file order");
    checks.Expect(IsDlgButtonChecked(dialog, IDC_AMBIGUITY_SKIP) == BST_CHECKED,
                  "Skip chosen for ambiguity codes");
    checks.Expect(Answer(dialog, IDOK), "OK on Human and Chimpanzee, chosen at the start");
    checks.Expect(WaitForLoad(program, primates + " (Human, Chimpanzee)"),
                  "title names the file and the pair", program.Title());

    checks.Group("Human and Chimpanzee: the sample's table and its K80 estimates");
    std::ostringstream sample;
    for (const auto& row : setup.sample.counts)
        for (const double cell : row) sample << cell << ".000000 ";
    checks.ExpectText(WordsOf(ReportedTable(program, setup)), sample.str(),
                      "report's observed table is the sample's");
    program.SelectItem(IDC_MODEL_COMBO, kK80);
    program.SetText(IDC_BETAT_EDIT, "0.1");
    program.SetText(IDC_KAPPA_EDIT, "1");
    program.Command(IDC_SOLVE);
    checks.ExpectNear(program.Text(IDC_CRITERION_VALUE), -1530.006297, 1e-5, "lnL");
    checks.ExpectNear(program.Text(IDC_KAPPA_EDIT), 32.37011, 2e-4, "kappa");
    program.SelectItem(IDC_MODEL_COMBO, kJc69);

    checks.Group("another pair, Cancel, the same sequence twice, an unreadable alignment");
    checks.Expect(PickPair(program, primates, 2, 3, IDOK), "Gorilla and Orangutan chosen");
    const std::string loaded = primates + " (Gorilla, Orangutan)";
    checks.Expect(WaitForLoad(program, loaded), "title names them", program.Title());
    const std::string criterion = program.Text(IDC_CRITERION_VALUE);
    checks.Expect(PickPair(program, primates, 0, 4, IDCANCEL), "dialog cancelled");
    std::string seen;
    checks.Expect(PickPair(program, primates, 4, 4, IDOK) &&
                      ShowsError(program, "Sequence 1 and sequence 2 are both 'Gibbon'", seen),
                  "the same sequence twice is refused", seen);
    const std::string bad = setup.File("unequal.fasta");
    std::ofstream(bad) << ">a\nACGT\n>b\nAC\n";
    checks.Expect(ChooseFile(program, bad) && ShowsError(program, bad, seen),
                  "the reader's message names the file", seen);
    checks.ExpectText(program.Title(), "Dyvern - " + loaded, "title unchanged after all three");
    checks.ExpectText(program.Text(IDC_CRITERION_VALUE), criterion, "criterion unchanged");
    DeleteFileA(bad.c_str());
}

}  // namespace e2e
