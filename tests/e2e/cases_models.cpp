// File > Compare models through the real window: models.txt in the editor,
// its figures against those the command-line program prints for the table.
#include <cmath>
#include <sstream>

#include "cases.h"
#include "system/control_ids.h"

namespace e2e {
namespace {

// Runs dyvern-cli.exe beside the driver with its standard output in a file.
bool RunCli(const Setup& setup, const std::string& arguments, const std::string& output) {
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    // Shared: a console host started with the program may hold the handle a while.
    const HANDLE out =
        CreateFileA(output.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherit,
                    CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = out;
    PROCESS_INFORMATION process{};
    std::string command = "\"" + setup.File("dyvern-cli.exe") + "\" " + arguments;
    DWORD code = 1;
    if (out != INVALID_HANDLE_VALUE &&
        CreateProcessA(nullptr, command.data(), nullptr, nullptr, TRUE, CREATE_NO_WINDOW, nullptr,
                       setup.folder.c_str(), &startup, &process)) {
        WaitForSingleObject(process.hProcess, 60000);
        GetExitCodeProcess(process.hProcess, &code);
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
    }
    CloseHandle(out);
    return code == 0;
}

std::vector<double> Numbers(std::istringstream& words) {
    std::vector<double> numbers;
    for (std::string word; words >> word;) {
        double value = 0;
        if (ParseNumber(word, value)) numbers.push_back(value);
    }
    return numbers;
}

// Whether one line of models.txt starts with `first` and shows each of the
// numbers as far as its six decimals go.
bool ShownOnOneLine(const std::vector<std::string>& lines, const std::string& first,
                    const std::vector<double>& numbers) {
    for (const std::string& line : lines) {
        if (line.rfind(first + " ", 0) != 0) continue;
        std::istringstream words(line);
        const std::vector<double> shown = Numbers(words);
        bool all = true;
        for (const double number : numbers) {
            bool found = false;
            for (const double value : shown) found = found || std::abs(value - number) <= 6e-7;
            all = all && found;
        }
        if (all) return true;
    }
    return false;
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
    const std::string printed = setup.File("compare.tsv");
    if (!checks.Expect(RunCli(setup, "compare other.dat", printed), "dyvern-cli ran")) return;
    int rows = 0;
    std::string missing;
    for (const std::string& line : ReadLines(printed)) {
        std::istringstream cells(line);
        std::string seq1, seq2, first, second;
        cells >> seq1 >> seq2 >> first >> second;
        // Model rows: k, then lnL AIC AICc BIC and the weights; test rows:
        // the alternative, then df (an integer, not shown as one) LR P.
        std::vector<double> numbers;
        for (double number; cells >> number;) numbers.push_back(number);
        if (numbers.size() < 3) continue;
        if (!std::isdigit(static_cast<unsigned char>(second[0]))) numbers.erase(numbers.begin());
        if (!ShownOnOneLine(lines, first, numbers)) missing += " [" + line + "]";
        ++rows;
    }
    checks.Expect(rows == 8 && missing.empty(),
                  "every figure of the four models and four tests shown in models.txt",
                  std::to_string(rows) + " rows; not shown:" + missing);
}

}  // namespace e2e
