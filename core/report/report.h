// The plain-text report: the model, the observed and expected tables and a
// chi-square goodness-of-fit test of the one against the other.
#pragma once

#include <string>

#include "model/divergence.h"

namespace dyvern {

// Degrees of freedom of the fit test: JC69 14, F81 11, K80 13, HKY85 10;
// 0 for a value outside the four kinds.
int DegreesOfFreedom(ModelKind kind);

// The model's name as the report writes it; "" outside the four kinds.
const char* ReportModelName(ModelKind kind);

// X2 = sum over all 16 cells of (O - E)^2 / E and its upper-tail probability.
// Defined only when every expected count is positive and finite and X2 comes
// out finite; otherwise `reason` says why and the numbers are 0.
struct GoodnessOfFit {
    bool defined = false;
    const char* reason = "";
    double statistic = 0.0;
    double prob = 0.0;
};

// Stops the program (assertion "df > 0") when df is below 1.
GoodnessOfFit TestGoodnessOfFit(const DivergenceCounts& observed, const DivergenceCounts& expected,
                                int df);

// The 20 report lines, each ending in '\n': the model and its table, the
// expected counts and the goodness-of-fit test of the one against the other.
std::string ReportText(const FitTarget& target, const DivergenceCounts& expected);

// Whether `path` can be opened for reading: the test before a report is replaced.
bool FileExists(const std::string& path);

// Creates or replaces the file in text mode (CR LF on Windows). False when
// the file cannot be created or the text not written completely.
bool WriteReportFile(const std::string& path, const std::string& text);

}  // namespace dyvern
