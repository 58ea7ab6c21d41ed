// Values the program must show, worked out here independently of its code:
// closed forms for JC69 and the base composition, and the report's number
// format, all from the data file itself.
#pragma once

#include <array>
#include <optional>
#include <string>

namespace e2e {

struct DataTable {
    int siteCount = 0;
    std::array<std::array<double, 4>, 4> cells{};  // rows sequence 1, columns sequence 2
};

// Reads a data file of counts (site count and 16 counts, white-space separated).
std::optional<DataTable> ReadDataTable(const std::string& path);

// JC69 with the branch length bt as the program defines it: a site stays the
// same with probability 1/4 + 3/4 e^-bt and moves to each other base with
// 1/4 - 1/4 e^-bt.
double Jc69LogLikelihood(const DataTable& table, double bt);
// The maximum-likelihood bt: -ln(1 - 4/3 p), p the proportion of differences.
double Jc69BestBranchLength(const DataTable& table);

// Base composition of both sequences together: (row sum + column sum) / 2n.
std::array<double, 4> EmpiricalFrequencies(const DataTable& table);

// "%.6f", as every field and the criterion show numbers.
std::string Six(double value);
// One report table row: four cells of "%12.6f".
std::string ReportRow(const std::array<double, 4>& row);

}  // namespace e2e
