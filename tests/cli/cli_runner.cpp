#include "cli_runner.h"

#include <cmath>
#include <sstream>

#include "run.h"

namespace dyvern::testing {

CliResult RunCli(const std::vector<std::string>& words) {
    std::ostringstream out, err;
    const int status = cli::Run(words, out, err);
    return {status, out.str(), err.str()};
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
        Row& row = rows.emplace_back();
        for (std::size_t c = 0; c < lines[0].size() && c < lines[r].size(); ++c)
            row[lines[0][c]] = lines[r][c];
    }
    return rows;
}

double NumberIn(const Row& row, const std::string& column) {
    const std::string& text = row.at(column);
    return text == "NA" ? std::nan("") : std::stod(text);  // stod reads "inf" too
}

}  // namespace dyvern::testing
