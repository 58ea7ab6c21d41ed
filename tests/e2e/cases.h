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

using Case = void (*)(Checks& checks, RemoteProgram& program, const Setup& setup);
// The main window's controls and pictures (cases_main.cpp), then the windows
// it opens (cases_windows.cpp), ending with File > Exit. Each command timed
// prints its "timing" line.
extern const std::vector<Case> kMainWindowCases;
extern const std::vector<Case> kOpenedWindowCases;
// Starts a copy of the program in a folder without sample.dat; ends it by the close box.
void CheckMissingSample(Checks& checks, const Setup& setup);

}  // namespace e2e
