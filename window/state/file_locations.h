// Where the program keeps its report and its sample data: beside its own file,
// whatever the current directory is.
#pragma once

#include <string>

namespace dyvern {

inline constexpr const char* kReportFileName = "report.txt";
inline constexpr const char* kSampleFileName = "sample.dat";

struct FileLocations {
    std::string programDirectory;  // ends in its separator, or is empty
    std::string reportPath;
    std::string samplePath;
};

// The directory is `programPath` cut after its last '\' or '/' (both separate
// directories on Windows); the separator stays. A path without a separator
// gives an empty directory, so both files are looked up in the current one.
FileLocations LocateFiles(const std::string& programPath);

}  // namespace dyvern
