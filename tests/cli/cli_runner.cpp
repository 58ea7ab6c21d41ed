#include "cli_runner.h"

#include <cmath>
#include <fstream>
#include <random>
#include <sstream>

#include "run.h"

namespace dyvern::testing {

CliResult RunCli(const std::vector<std::string>& words) {
    std::ostringstream out, err;
    CliResult result;
    result.status = cli::Run(words, out, err);
    result.out = out.str();
    result.err = err.str();
    return result;
}

namespace {

std::vector<std::string> Split(const std::string& line) {
    std::vector<std::string> fields;
    std::istringstream in(line);
    for (std::string field; std::getline(in, field, '\t');) fields.push_back(field);
    return fields;
}

}  // namespace

std::vector<Row> ReadTsv(const std::string& text) {
    std::istringstream in(text);
    std::string line;
    std::getline(in, line);
    const std::vector<std::string> header = Split(line);
    std::vector<Row> rows;
    while (std::getline(in, line) && !line.empty()) {
        const std::vector<std::string> fields = Split(line);
        Row row;
        for (std::size_t c = 0; c < header.size() && c < fields.size(); ++c)
            row[header[c]] = fields[c];
        rows.push_back(row);
    }
    return rows;
}

double NumberIn(const Row& row, const std::string& column) {
    const auto found = row.find(column);
    if (found == row.end()) return std::nan("");
    if (found->second == "NA") return std::nan("");
    return std::stod(found->second);  // reads "inf" too
}

ScratchFolder::ScratchFolder() {
    std::random_device seed;
    folder = std::filesystem::temp_directory_path() /
             ("dyvern-cli-test-" + std::to_string(seed()));
    std::filesystem::create_directories(folder);
}

ScratchFolder::~ScratchFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(folder, ignored);
}

std::string ScratchFolder::Write(const std::string& name, const std::string& content) const {
    const std::string path = (folder / name).string();
    std::ofstream(path, std::ios::binary) << content;
    return path;
}

std::string PrimatesFasta() { return DYVERN_PRIMATES_FASTA; }
std::string SharedSamplePath() { return DYVERN_SHARED_SAMPLE; }
std::string AlignData(const std::string& name) { return std::string(DYVERN_ALIGN_DATA) + "/" + name; }

}  // namespace dyvern::testing
