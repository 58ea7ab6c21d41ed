#include "reference_files.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <fstream>
#include <limits>
#include <sstream>

namespace dyvern::testing {

std::vector<std::vector<std::string>> ReferenceRows(const std::string& name) {
    std::ifstream file(std::string(DYVERN_STATS_REFERENCE_DIR) + "/" + name);
    EXPECT_TRUE(file.is_open()) << name;
    std::vector<std::vector<std::string>> rows;
    bool namesSeen = false;
    for (std::string line; std::getline(file, line);) {
        if (line.empty() || line[0] == '#') continue;
        if (!namesSeen) {
            namesSeen = true;
            continue;
        }
        std::vector<std::string> fields;
        std::istringstream stream(line);
        for (std::string field; std::getline(stream, field, '\t');) fields.push_back(field);
        rows.push_back(fields);
    }
    EXPECT_FALSE(rows.empty()) << name;
    return rows;
}

double Number(const std::string& field) {
    if (field == "NA") return std::numeric_limits<double>::quiet_NaN();
    if (field == "Inf") return std::numeric_limits<double>::infinity();
    // strtod, not stod, which throws on values beyond double's normal range.
    return std::strtod(field.c_str(), nullptr);
}

std::vector<double> Numbers(const std::string& field) {
    std::vector<double> numbers;
    std::istringstream stream(field);
    for (std::string word; stream >> word;) numbers.push_back(Number(word));
    return numbers;
}

double RelativeError(double actual, double expected) {
    if (actual == expected) return 0.0;
    return std::fabs(actual - expected) / std::fabs(expected);
}

}  // namespace dyvern::testing
