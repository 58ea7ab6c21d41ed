// Data opened through the real window: Compare models on other.dat against
// what the command-line program prints, and an alignment through the pair
// dialog, its table read back from the report.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <sstream>

#include "cases.h"
#include "system/control_ids.h"

namespace e2e {
namespace {

constexpr char kPairTitle[] = "Choose two sequences";

// What dyvern-cli.exe beside the driver prints, by lines; nothing when it fails.
std::vector<std::string> CliLines(const std::string& arguments) {
    std::vector<std::string> lines;
    FILE* out = _popen(("dyvern-cli.exe " + arguments).c_str(), "r");
    char line[1024];
    while (out != nullptr && std::fgets(line, sizeof line, out) != nullptr) lines.push_back(line);
    return out != nullptr && _pclose(out) == 0 ? lines : std::vector<std::string>{};
}

// The words of `line` from the `skip`th on that read as numbers.
std::vector<double> NumbersIn(const std::string& line, int skip) {
    std::istringstream words(line);
    std::vector<double> numbers;
    double value = 0;
    for (std::string word; words >> word;) {
        if (skip-- <= 0 && ParseNumber(word, value)) numbers.push_back(value);
    }
    return numbers;
}

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
        const std::vector<double> numbers = NumbersIn(row, 3);
        if (numbers.size() < 3) continue;
        ++rows;
        std::istringstream cells(row);
        std::string seq1, seq2, model;
        cells >> seq1 >> seq2 >> model;
        const auto showsRow = [&](const std::string& line) {
            const std::vector<double> shown = NumbersIn(line, 0);
            return line.rfind(model + " ", 0) == 0 &&
                   std::all_of(numbers.begin(), numbers.end(), [&](double number) {
                       return std::any_of(shown.begin(), shown.end(), [&](double value) {
                           return std::abs(value - number) <= 6e-7;
                       });
                   });
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
    std::ostringstream sample;
    for (const auto& row : setup.sample.counts)
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
    checks.Expect(PickPair(program, primates, 2, 3, IDOK) && WaitForLoad(program, loaded),
                  "Gorilla and Orangutan chosen: the title names them", program.Title());
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
    checks.Expect(
        program.Title() == "Dyvern - " + loaded && program.Text(IDC_CRITERION_VALUE) == criterion,
        "title and criterion unchanged after all three", program.Title());
    DeleteFileA(bad.c_str());
}

}  // namespace e2e
