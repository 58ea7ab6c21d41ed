// File > Compare models through the real window: models.txt in the editor,
// its figures against those the command-line program prints for the same
// table.
#include <algorithm>
#include <cmath>
#include <fstream>
#include <map>
#include <sstream>
#include <vector>

#include "cases.h"
#include "system/control_ids.h"

namespace e2e {
namespace {

using Words = std::vector<std::string>;

Words Split(const std::string& line, char separator) {
    Words words;
    std::istringstream in(line);
    for (std::string word;
         separator == ' ' ? bool(in >> word) : bool(std::getline(in, word, separator));)
        words.push_back(word);
    return words;
}

std::vector<std::string> Lines(const std::string& path) {
    std::ifstream file(path);
    std::vector<std::string> lines;
    for (std::string line; std::getline(file, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(line);
    }
    return lines;
}

// The rows of the table of models.txt whose title starts with `title`.
std::vector<Words> TableOf(const std::vector<std::string>& lines, const std::string& title) {
    std::vector<Words> rows;
    bool inside = false;
    for (const std::string& line : lines) {
        if (line.rfind(title, 0) == 0)
            inside = true;
        else if (line.empty())
            inside = false;
        else if (inside)
            rows.push_back(Split(line, ' '));
    }
    return rows;
}

// The row whose first words are `key`; empty without one.
Words RowOf(const std::vector<Words>& rows, const Words& key) {
    for (const Words& row : rows)
        if (row.size() >= key.size() && std::equal(key.begin(), key.end(), row.begin())) return row;
    return {};
}

// Runs a console program beside the driver with its standard output in a file.
bool RunConsole(const Setup& setup, const std::string& arguments, const std::string& output) {
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    // Shared: a console host started with the program may hold the handle a while.
    const HANDLE out =
        CreateFileA(output.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherit,
                    CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (out == INVALID_HANDLE_VALUE) return false;
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = out;
    startup.hStdError = GetStdHandle(STD_ERROR_HANDLE);
    PROCESS_INFORMATION process{};
    std::string command = "\"" + setup.File("dyvern-cli.exe") + "\" " + arguments;
    const bool started =
        CreateProcessA(nullptr, command.data(), nullptr, nullptr, TRUE, CREATE_NO_WINDOW, nullptr,
                       setup.folder.c_str(), &startup, &process);
    DWORD code = 1;
    if (started) {
        WaitForSingleObject(process.hProcess, 60000);
        GetExitCodeProcess(process.hProcess, &code);
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
    }
    CloseHandle(out);
    return started && code == 0;
}

// The same figure in both files: models.txt's words against the program's column.
void ExpectSameFigures(Checks& checks, const Words& window, const Words& line,
                       const std::vector<std::pair<int, int>>& columns, const std::string& what) {
    std::string differ;
    for (const auto& [inWindow, inLine] : columns) {
        double a = 0, b = 0;
        const bool both = inWindow < static_cast<int>(window.size()) &&
                          inLine < static_cast<int>(line.size()) &&
                          ParseNumber(window[inWindow], a) && ParseNumber(line[inLine], b);
        if (!both || std::abs(a - b) > 1e-6 * (1 + std::abs(b)))
            differ += " " + (inWindow < static_cast<int>(window.size()) ? window[inWindow] : "?");
    }
    checks.Expect(differ.empty(), what, "differ:" + differ);
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
    if (!checks.Expect(lines.size() > 30, "models.txt written", std::to_string(lines.size())))
        return;
    checks.ExpectText(lines[2], "Data: " + setup.File("other.dat"), "names the data file");
    checks.ExpectText(lines[4], "Sites: " + std::to_string(setup.other.siteCount),
                      "names the sites");

    checks.Group("Compare models: the same figures as dyvern-cli compare");
    const std::string printed = setup.File("compare.tsv");
    if (!checks.Expect(RunConsole(setup, "compare other.dat", printed), "dyvern-cli ran")) return;
    const auto criteria = TableOf(lines, "Information criteria");
    const auto tests = TableOf(lines, "Likelihood-ratio");
    int modelRows = 0, testRows = 0;
    bool inTests = false;
    const std::vector<std::string> printedLines = Lines(printed);
    for (const std::string& line : printedLines) {
        const Words cells = Split(line, '\t');
        if (cells.empty() || line.empty()) {
            inTests = true;
            continue;
        }
        if (cells.size() < 7 || cells[0] == "seq1") continue;
        if (!inTests) {
            // k lnL AIC AICc BIC w_AIC w_BIC
            ExpectSameFigures(checks, RowOf(criteria, {cells[2]}), cells,
                              {{2, 3}, {1, 4}, {3, 5}, {4, 6}, {5, 7}, {6, 8}, {7, 9}},
                              cells[2] + ": k, lnL, AIC, AICc, BIC and weights");
            ++modelRows;
        } else {
            ExpectSameFigures(checks, RowOf(tests, {cells[2], cells[3]}), cells,
                              {{2, 5}, {3, 4}, {4, 6}},
                              cells[2] + " against " + cells[3] + ": statistic, df, P");
            ++testRows;
        }
    }
    checks.Expect(
        modelRows == 4, "four model rows compared",
        std::to_string(modelRows) + " of " + std::to_string(printedLines.size()) + " lines");
    checks.Expect(testRows == 4, "four tests compared", std::to_string(testRows));
}

}  // namespace e2e
