// The end-to-end cases, grouped by what they work: the window's state and
// commands, the windows it opens, and what it draws.
#pragma once

#include <string>
#include <vector>

#include "checks.h"
#include "reference.h"
#include "remote.h"
#include "screen.h"

namespace e2e {

// Where the program under test lives: the driver runs beside it.
struct Setup {
    std::string folder;  // Windows path, no trailing backslash
    std::string program;
    std::string sampleFile;
    std::string otherFile;  // a second data file for File > Open
    std::string reportFile;
    DataTable sample;
    DataTable other;
    Screenshots shots{""};
};

// Round trips of sent messages, in milliseconds.
struct Timings {
    std::vector<std::pair<std::string, double>> entries;
    void Add(const std::string& what, double milliseconds) {
        entries.emplace_back(what, milliseconds);
    }
    void Print() const;
};

// Model list positions.
enum Model { kJc69 = 0, kF81 = 1, kK80 = 2, kHky85 = 3 };

// Window state and commands (cases_state.cpp).
void CheckStartUp(Checks& checks, RemoteProgram& program, const Setup& setup);
void CheckLayout(Checks& checks, RemoteProgram& program);
void CheckSolveJc69(Checks& checks, RemoteProgram& program, const Setup& setup, Timings& timings);
void CheckModelSwitches(Checks& checks, RemoteProgram& program, Timings& timings);
void CheckStepButtons(Checks& checks, RemoteProgram& program);
void CheckFrequencyTakeBack(Checks& checks, RemoteProgram& program);
void CheckEqualAndEmpirical(Checks& checks, RemoteProgram& program, const Setup& setup);
void CheckInvalidMarks(Checks& checks, RemoteProgram& program, const Setup& setup,
                       Timings& timings);
void CheckLeastSquares(Checks& checks, RemoteProgram& program, const Setup& setup);
void CheckRefreshAndUnknownCommand(Checks& checks, RemoteProgram& program);

// Windows the program opens (cases_windows.cpp).
void CheckReports(Checks& checks, RemoteProgram& program, const Setup& setup);
void CheckOpenOtherFile(Checks& checks, RemoteProgram& program, const Setup& setup);
void CheckOpenCancelled(Checks& checks, RemoteProgram& program);
void CheckAbout(Checks& checks, RemoteProgram& program, const Setup& setup);
void CheckHelp(Checks& checks, RemoteProgram& program);
void CheckExit(Checks& checks, RemoteProgram& program);
void CheckCloseBox(Checks& checks, RemoteProgram& program);
void CheckMissingSample(Checks& checks, RemoteProgram& program, const std::string& folder);

// What the program draws (cases_pictures.cpp). `gaugeFill` is the expected
// height of the blue column in pixels.
void CheckPictures(Checks& checks, RemoteProgram& program, const Setup& setup,
                   const std::string& shotName, int gaugeFill);
// The gauge's client height in pixels.
int GaugeHeight(RemoteProgram& program);
// filled = floor(height * f + 0.5), f = (v - low) / (high - low) clipped to [0, 1].
int ExpectedFill(int height, double value, double low, double high);
// The gauge's fill now, from a screenshot; -1 when none can be taken.
int MeasureCurrentGaugeFill(RemoteProgram& program, const Setup& setup);
// After a window covered the main window, and after a minimise and restore,
// the gauge and the grids show their pictures again.
void CheckRepaintAfterCover(Checks& checks, RemoteProgram& program, const Setup& setup,
                            int gaugeFill);

// Waits until the window's title names a loaded file.
bool WaitForLoad(RemoteProgram& program, const std::string& dataFile);

}  // namespace e2e
