#include "state/file_locations.h"

#include <gtest/gtest.h>

#include <string>

namespace dyvern {
namespace {

TEST(LocateFiles, FilesSitBesideTheProgram) {
    struct Case {
        const char* programPath;
        const char* directory;
    };
    const Case cases[] = {
        {"C:\\tools\\x.exe", "C:\\tools\\"},
        {"C:\\x.exe", "C:\\"},
        {"\\\\server\\share\\bin\\dyvern32.exe", "\\\\server\\share\\bin\\"},
        // Windows accepts forward slashes too; the last separator of either kind wins.
        {"C:/tools/x.exe", "C:/tools/"},
        {"C:\\tools\\bin/x.exe", "C:\\tools\\bin/"},
        // No separator at all: the current directory.
        {"x.exe", ""},
        {"", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.programPath);
        const FileLocations locations = LocateFiles(c.programPath);
        EXPECT_EQ(locations.programDirectory, c.directory);
        EXPECT_EQ(locations.reportPath, std::string(c.directory) + "report.txt");
        EXPECT_EQ(locations.samplePath, std::string(c.directory) + "sample.dat");
    }
}

}  // namespace
}  // namespace dyvern
