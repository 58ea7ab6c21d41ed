#include "reference.h"

#include <cmath>
#include <cstdio>
#include <fstream>

namespace e2e {

std::optional<DataTable> ReadDataTable(const std::string& path) {
    std::ifstream file(path);
    DataTable table;
    if (!(file >> table.siteCount)) {
        return std::nullopt;
    }
    for (auto& row : table.cells) {
        for (double& cell : row) {
            if (!(file >> cell)) {
                return std::nullopt;
            }
        }
    }
    return table;
}

namespace {

double Differences(const DataTable& table) {
    double same = 0.0;
    for (int i = 0; i < 4; ++i) {
        same += table.cells[i][i];
    }
    return table.siteCount - same;
}

}  // namespace

double Jc69LogLikelihood(const DataTable& table, double bt) {
    const double stay = 0.25 + 0.75 * std::exp(-bt);
    const double move = 0.25 - 0.25 * std::exp(-bt);
    const double differences = Differences(table);
    const double same = table.siteCount - differences;
    return same * std::log(0.25 * stay) + differences * std::log(0.25 * move);
}

double Jc69BestBranchLength(const DataTable& table) {
    const double p = Differences(table) / table.siteCount;
    return -std::log(1.0 - 4.0 / 3.0 * p);
}

std::array<double, 4> EmpiricalFrequencies(const DataTable& table) {
    std::array<double, 4> sums{};
    for (int i = 0; i < 4; ++i) {
        for (int j = 0; j < 4; ++j) {
            sums[i] += table.cells[i][j];
            sums[j] += table.cells[i][j];
        }
    }
    for (double& sum : sums) {
        sum /= 2.0 * table.siteCount;
    }
    return sums;
}

std::string Six(double value) {
    char text[64];
    std::snprintf(text, sizeof text, "%.6f", value);
    return text;
}

std::string ReportRow(const std::array<double, 4>& row) {
    char text[128];
    std::snprintf(text, sizeof text, "%12.6f%12.6f%12.6f%12.6f", row[0], row[1], row[2], row[3]);
    return text;
}

}  // namespace e2e
