// The end-to-end cases, grouped by what they work: the main window's controls
// and what it draws, and the windows it opens.
#pragma once

#include <string>
#include <vector>

#include "data/data_file.h"
#include "harness.h"

namespace e2e {

// Where the program under test lives: the driver runs beside it, with
// sample.dat, other.dat, primates.fasta, guide.txt and dyvern-cli.exe.
struct Setup {
    std::string folder;  // Windows path, no trailing backslash
    std::string shots;   // the screenshot service's folder, empty when none runs
    dyvern::DataFileTable sample;
    std::string File(const std::string& name) const { return folder + "\\" + name; }
};

// Model list positions.
enum Model { kJc69 = 0, kF81 = 1, kK80 = 2, kHky85 = 3 };

inline constexpr char kDialogClass[] = "#32770";

bool WaitForLoad(RemoteProgram& program, const std::string& dataFile);
// Posts File > Open and confirms `path` in the dialog; what opens next is the caller's.
bool ChooseFile(RemoteProgram& program, const std::string& path);
// Waits for the editor on a file beside the program and closes it again.
bool EditorShowed(const std::string& fileName, double seconds);
std::vector<std::string> ReadLines(const std::string& path);

using Case = void (*)(Checks& checks, RemoteProgram& program, const Setup& setup);

// The main window's controls and pictures (cases_main.cpp); TimeCommands
// prints the round trips of the commands that open no window.
void CheckStartUp(Checks& checks, RemoteProgram& program, const Setup& setup);
void CheckModelEnabling(Checks& checks, RemoteProgram& program, const Setup& setup);
void CheckSolve(Checks& checks, RemoteProgram& program, const Setup& setup);
void CheckInvalidGauge(Checks& checks, RemoteProgram& program, const Setup& setup);
void TimeCommands(Checks& checks, RemoteProgram& program, const Setup& setup);
void CheckRepaint(Checks& checks, RemoteProgram& program, const Setup& setup);

// Windows the program opens, and how it ends (cases_windows.cpp); the
// commands that open one print how long the window takes to appear.
void CheckReports(Checks& checks, RemoteProgram& program, const Setup& setup);
void CheckOpenCancelled(Checks& checks, RemoteProgram& program, const Setup& setup);
void CheckAbout(Checks& checks, RemoteProgram& program, const Setup& setup);
void CheckHelp(Checks& checks, RemoteProgram& program, const Setup& setup);
void CheckMenuExit(Checks& checks, RemoteProgram& program, const Setup& setup);
// Starts a copy of the program in a folder without sample.dat; ends it by the close box.
void CheckMissingSample(Checks& checks, const Setup& setup);

// File > Open of other.dat and Compare models against dyvern-cli, and of
// primates.fasta through the pair dialog (cases_data.cpp).
void CheckCompareModels(Checks& checks, RemoteProgram& program, const Setup& setup);
void CheckOpenAlignment(Checks& checks, RemoteProgram& program, const Setup& setup);

}  // namespace e2e
