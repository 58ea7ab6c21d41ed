// File > Open of an alignment through the real window: the pair dialog, the
// table it loads (read back from the report), Solve on it, and the choices
// that change nothing.
#include <fstream>
#include <sstream>

#include "cases.h"
#include "system/control_ids.h"

namespace e2e {
namespace {

constexpr char kPairTitle[] = "Choose two sequences";

HWND PairDialog(RemoteProgram& program, const std::string& path) {
    return ChooseFile(program, path)
               ? FindTopLevel(kDialogClass, kPairTitle, program.ProcessId(), 15.0)
               : nullptr;
}

// Opens the alignment, picks positions `first` and `second` and presses `button`.
bool PickPair(RemoteProgram& program, const std::string& path, int first, int second, int button) {
    const HWND dialog = PairDialog(program, path);
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
    std::string words;
    for (std::size_t number = 5; number <= 8 && number < lines.size(); ++number) {
        std::istringstream in(lines[number]);
        for (std::string word; in >> word;) words += word + " ";
    }
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
    const HWND dialog = PairDialog(program, primates);
    if (!checks.Expect(dialog != nullptr, "pair dialog appears")) return;
    const std::vector<std::string> names = {"Human", "Chimpanzee", "Gorilla", "Orangutan",
                                            "Gibbon"};
    const auto items = [&](int id) {
        return ListTexts(GetDlgItem(dialog, id), LB_GETCOUNT, LB_GETTEXT);
    };
    checks.Expect(items(IDC_PAIR_FIRST) == names && items(IDC_PAIR_SECOND) == names,
                  "both lists hold the five names in file order");
    checks.Expect(Answer(dialog, IDOK), "OK on Human and Chimpanzee, chosen at the start");
    checks.Expect(WaitForLoad(program, primates + " (Human, Chimpanzee)"),
                  "title names the file and the pair", program.Title());

    checks.Group("Human and Chimpanzee: the sample's table and its K80 estimates");
    std::ostringstream sample;
    for (const auto& row : setup.sample.counts)
        for (const double cell : row) sample << cell << ".000000 ";
    checks.ExpectText(ReportedTable(program, setup), sample.str(),
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
