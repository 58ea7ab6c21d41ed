#include "cli_runner.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>

#include "run.h"

namespace dyvern::testing {

CliResult RunCli(const std::vector<std::string>& words) {
    std::ostringstream out, err;
    const int status = cli::Run(words, out, err);
    return {status, out.str(), err.str()};
}

void ExpectRefused(const std::vector<std::string>& words, const std::string& message) {
    std::string shown;
    for (const std::string& word : words) shown += word + " ";
    SCOPED_TRACE(shown);
    const CliResult result = RunCli(words);
    EXPECT_EQ(result.status, 2);
    EXPECT_EQ(result.out, "");
    EXPECT_NE(result.err.find(message), std::string::npos) << result.err;
}

std::vector<Row> ReadTsv(const std::string& text) {
    std::istringstream in(text);
    std::vector<std::vector<std::string>> lines;
    for (std::string line; std::getline(in, line) && !line.empty();) {
        std::istringstream fields(line);
        lines.emplace_back();
        for (std::string field; std::getline(fields, field, '\t');) lines.back().push_back(field);
    }
    std::vector<Row> rows;
    for (std::size_t r = 1; r < lines.size(); ++r) {
        EXPECT_EQ(lines[r].size(), lines[0].size()) << "cells in row " << r;
        Row& row = rows.emplace_back();
        for (std::size_t c = 0; c < lines[0].size() && c < lines[r].size(); ++c)
            row[lines[0][c]] = lines[r][c];
    }
    return rows;
}

std::vector<std::vector<Row>> ReadTsvBlocks(const std::string& text) {
    std::vector<std::vector<Row>> blocks;
    for (std::size_t start = 0; start < text.size();) {
        const std::size_t blank = text.find("\n\n", start);
        const std::size_t end = blank == std::string::npos ? text.size() : blank + 1;
        blocks.push_back(ReadTsv(text.substr(start, end - start)));
        start = end + 1;
    }
    return blocks;
}

double NumberIn(const Row& row, const std::string& column) {
    const std::string& text = row.at(column);
    return text == "NA" ? std::nan("") : std::stod(text);  // stod reads "inf" too
}

ScratchFile::ScratchFile(const std::string& name, const std::string& bytes) {
    // Tests run as separate processes at once: each file has a name of its own.
    std::random_device seed;
    path_ = (std::filesystem::temp_directory_path() /
             ("dyvern-cli-" + std::to_string(seed()) + "-" + std::to_string(seed()) + "-" + name))
                .string();
    std::ofstream(path_, std::ios::binary) << bytes;
}

ScratchFile::~ScratchFile() {
    std::error_code ignored;
    std::filesystem::remove(path_, ignored);
}

std::string FileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

}  // namespace dyvern::testing
