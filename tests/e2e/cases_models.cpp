// File > Compare models through the real window: models.txt in the editor,
// its figures against those the command-line program prints for the table.
#include <cmath>
#include <fstream>
#include <sstream>
#include <vector>

#include "cases.h"
#include "system/control_ids.h"

namespace e2e {
namespace {

std::vector<std::string> Lines(const std::string& path) {
    std::ifstream file(path);
    std::vector<std::string> lines;
    for (std::string line; std::getline(file, line);) lines.push_back(line);
    return lines;
}

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

// Whether one line of models.txt starts with `first` and shows each of the
// numbers as far as its six decimals go.
bool ShownOnOneLine(const std::vector<std::string>& lines, const std::string& first,
                    const std::vector<double>& numbers) {
    for (const std::string& line : lines) {
        if (line.rfind(first + " ", 0) != 0) continue;
        std::vector<double> shown;
        std::istringstream words(line);
        for (std::string word; words >> word;) {
            double value = 0;
            if (ParseNumber(word, value)) shown.push_back(value);
        }
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
    checks.Group("File > Compare models on other.dat, loaded by File > Open");
    const std::string models = setup.File("models.txt");
    DeleteFileA(models.c_str());
    program.PostCommand(IDM_COMPARE);
    const HWND editor = FindTopLevel("Notepad", "models.txt - Notepad", 0, 20.0);
    checks.Expect(editor != nullptr, "editor opened on models.txt");
    if (editor) PostMessageA(editor, WM_CLOSE, 0, 0);
    const std::vector<std::string> lines = Lines(models);
    if (!checks.Expect(lines.size() > 30, "models.txt written")) return;
    checks.ExpectText(lines[2], "Data: " + setup.File("other.dat"), "names the data file");
    checks.ExpectText(lines[4], "Sites: " + std::to_string(setup.other.siteCount), "and the sites");

    checks.Group("Compare models: the figures dyvern-cli compare prints for other.dat");
    const std::string printed = setup.File("compare.tsv");
    if (!checks.Expect(RunCli(setup, "compare other.dat", printed), "dyvern-cli ran")) return;
    int rows = 0;
    for (const std::string& line : Lines(printed)) {
        std::istringstream cells(line);
        std::string seq1, seq2, first, second;
        cells >> seq1 >> seq2 >> first;
        // Model rows: k, then lnL AIC AICc BIC and the weights; test rows:
        // the alternative, then df LR P.
        std::vector<double> numbers;
        const bool test =
            !(cells >> second) || !std::isdigit(static_cast<unsigned char>(second[0]));
        for (double number; cells >> number;) numbers.push_back(number);
        if (numbers.size() < 3) continue;
        if (test) numbers.erase(numbers.begin());  // df, as an integer
        checks.Expect(ShownOnOneLine(lines, first, numbers), first + " " + second + " row", line);
        ++rows;
    }
    checks.Expect(rows == 8, "four models and four tests compared", std::to_string(rows));
}

}  // namespace e2e
