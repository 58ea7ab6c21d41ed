// The reference values of tests/stats/reference: tab-separated rows under
// comment lines (which name their maker) and a line of column names.
#pragma once

#include <string>
#include <vector>

namespace dyvern::testing {

// The rows of a reference file, each a list of its fields; fails the
// calling test if the file cannot be read or holds no rows.
std::vector<std::vector<std::string>> ReferenceRows(const std::string& name);

// A field as a number ("NA" is NaN, "Inf" infinity), or the numbers of a
// space-separated field.
double Number(const std::string& field);
std::vector<double> Numbers(const std::string& field);

// |actual - expected| / |expected| (0 when equal, so 0 and infinities compare).
double RelativeError(double actual, double expected);

}  // namespace dyvern::testing
