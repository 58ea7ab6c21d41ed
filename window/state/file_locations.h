// Where the program keeps its reports, its sample data and its help: beside
// its own file, whatever the current directory is.
#pragma once

#include <string>

namespace dyvern {

inline constexpr const char* kReportFileName = "report.txt";
inline constexpr const char* kModelsFileName = "models.txt";
inline constexpr const char* kSampleFileName = "sample.dat";
inline constexpr const char* kHelpFileName = "dyvern32.hlp";
inline constexpr const char* kGuideFileName = "guide.txt";

struct FileLocations {
    std::string programDirectory;  // ends in its separator, or is empty
    std::string reportPath;
    std::string modelsPath;
    std::string samplePath;
    std::string helpPath;
    std::string guidePath;
};

// The directory is `programPath` cut after its last '\' or '/' (both separate
// directories on Windows); the separator stays. A path without a separator
// gives an empty directory, so every file is looked up in the current one.
FileLocations LocateFiles(const std::string& programPath);

}  // namespace dyvern
