#include "state/file_locations.h"

namespace dyvern {

FileLocations LocateFiles(const std::string& programPath) {
    FileLocations locations;
    const std::size_t lastSeparator = programPath.find_last_of("\\/");
    if (lastSeparator != std::string::npos)
        locations.programDirectory = programPath.substr(0, lastSeparator + 1);
    locations.reportPath = locations.programDirectory + kReportFileName;
    locations.modelsPath = locations.programDirectory + kModelsFileName;
    locations.samplePath = locations.programDirectory + kSampleFileName;
    locations.helpPath = locations.programDirectory + kHelpFileName;
    locations.guidePath = locations.programDirectory + kGuideFileName;
    return locations;
}

}  // namespace dyvern
