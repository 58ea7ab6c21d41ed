// The end-to-end cases, grouped by what they work: the main window's controls
// and menu, the windows it opens, and what it draws.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "checks.h"
#include "data/data_file.h"
#include "remote.h"
#include "screen.h"

namespace e2e {

// Where the program under test lives: the driver runs beside it.
// other.dat is a second data file for File > Open.
struct Setup {
    std::string folder;  // Windows path, no trailing backslash
    dyvern::DataFileTable sample;
    Screenshots shots{""};
    std::string File(const std::string& name) const { return folder + "\\" + name; }
};

// Model list positions.
enum Model { kJc69 = 0, kF81 = 1, kK80 = 2, kHky85 = 3 };

inline constexpr char kDialogClass[] = "#32770";

// Shared by the cases (cases_windows.cpp).
bool WaitForLoad(RemoteProgram& program, const std::string& dataFile);
// Posts File > Open and confirms `path` in the dialog; what opens next is the caller's.
bool ChooseFile(RemoteProgram& program, const std::string& path);
// Waits for the editor on a file beside the program and closes it again.
bool EditorShowed(const std::string& fileName, double seconds);
std::vector<std::string> ReadLines(const std::string& path);

// The main window's controls and menu (cases_controls.cpp).
void CheckStartUp(Checks& checks, RemoteProgram& program, const Setup& setup);
void CheckModelEnabling(Checks& checks, RemoteProgram& program, const Setup& setup);
void CheckSolve(Checks& checks, RemoteProgram& program, const Setup& setup);
// Prints the round trips of the commands that open no window.
void TimeCommands(Checks& checks, RemoteProgram& program);

// Windows the program opens, and how it ends (cases_windows.cpp); the
// commands that open one print how long the window takes to appear.
void CheckReports(Checks& checks, RemoteProgram& program, const Setup& setup);
void CheckOpenCancelled(Checks& checks, RemoteProgram& program);
void CheckAbout(Checks& checks, RemoteProgram& program);
void CheckHelp(Checks& checks, RemoteProgram& program);
void CheckMenuExit(Checks& checks, RemoteProgram& program);
// Ends by the close box.
void CheckMissingSample(Checks& checks, RemoteProgram& program, const std::string& folder);

// File > Open of other.dat, then File > Compare models against dyvern-cli.exe
// beside the driver (cases_models.cpp).
void CheckCompareModels(Checks& checks, RemoteProgram& program, const Setup& setup);

// File > Open of primates.fasta beside the driver (cases_alignment.cpp).
void CheckOpenAlignment(Checks& checks, RemoteProgram& program, const Setup& setup);

// What the program draws, from screenshots (cases_pictures.cpp).
void CheckPictures(Checks& checks, RemoteProgram& program, const Setup& setup,
                   const std::string& shotName, bool gaugeFull);
// Whether the lower item of the open menu popup has black (enabled) text;
// nothing without a screenshot.
std::optional<bool> MenuLowerItemEnabled(RemoteProgram& program, const Setup& setup,
                                         const std::string& shotName);
// An out-of-range kappa empties the gauge.
void CheckInvalidGauge(Checks& checks, RemoteProgram& program, const Setup& setup);
// After the main window is invalidated, and after a minimise and restore,
// the gauge (full after a Solve) and the grids show their pictures again.
void CheckRepaint(Checks& checks, RemoteProgram& program, const Setup& setup);

}  // namespace e2e
