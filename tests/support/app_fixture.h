// A Dyvern main window over the in-memory window, with its program folder in
// a fresh temporary directory.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "shell/main_window.h"
#include "support/fake_window.h"
#include "support/test_tables.h"
#include "system/control_ids.h"

namespace dyvern::testing {

class AppTest : public ::testing::Test {
protected:
    AppTest();
    ~AppTest() override;

    // A fresh window whose program file lies in a subfolder of the folder.
    void MoveProgramTo(const std::filesystem::path& subfolder);
    // Writes a data file into the program folder and returns its path.
    std::string WriteDataFile(const std::string& name, const std::string& content);
    // Command 1, as the window posts it at creation.
    void Start() { app->Command(IDM_INIT, 0); }
    void Press(int id) { app->Command(id, 0); }
    // Opens a data file through File > Open.
    void Open(const std::string& path);
    // Report, answering Yes should an earlier report be there.
    void ReportReplacing() {
        window->AnswerNextMessage(MessageAnswer::Yes);
        Press(IDC_REPORT);
    }
    // The text of the one error box shown since the last call ("" for none).
    std::string TakeError();

    std::string Text(int id) const { return window->ControlText(id); }
    double Number(int id) const { return std::stod(Text(id)); }
    // The text drawn in cell (i, j) of a grid control.
    std::string GridCell(int gridId, int i, int j) const;
    std::string ReportPath() const { return (folder / "report.txt").string(); }
    std::vector<std::string> ReportLines() const { return ReadLines(ReportPath()); }

    std::filesystem::path root;    // removed with everything in it
    std::filesystem::path folder;  // the program's
    std::unique_ptr<FakeWindow> window;
    std::unique_ptr<MainWindow> app;
};

// The same, started with the shipped sample beside the program.
class SampleAppTest : public AppTest {
protected:
    void SetUp() override {
        std::filesystem::copy_file(SamplePath(), folder / "sample.dat");
        Start();
    }
};

// The 40/6/2 table over 200 sites, as a data file.
inline const char* kWorkedTableFile = "200\n40 2 6 2\n2 40 2 6\n6 2 40 2\n2 6 2 40\n";

}  // namespace dyvern::testing
