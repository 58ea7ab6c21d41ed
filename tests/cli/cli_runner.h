// dyvern-cli run in-process, and its tab-separated output read back by name.
#pragma once

#include <filesystem>
#include <map>
#include <string>
#include <vector>

namespace dyvern::testing {

struct CliResult {
    int status = -1;
    std::string out;
    std::string err;
};

CliResult RunCli(const std::vector<std::string>& words);

// The rows of a TSV block (header first), each as column name -> text.
using Row = std::map<std::string, std::string>;
std::vector<Row> ReadTsv(const std::string& text);

// A number as the output writes it: "inf" and "NA" included.
double NumberIn(const Row& row, const std::string& column);

// Files written into a fresh folder, removed with it.
class ScratchFolder {
public:
    ScratchFolder();
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;
    std::string Write(const std::string& name, const std::string& content) const;

private:
    std::filesystem::path folder;
};

std::string PrimatesFasta();  // the shipped five primates
std::string SharedSamplePath();     // the shipped sample pair
std::string AlignData(const std::string& name);  // a reader fixture

}  // namespace dyvern::testing
