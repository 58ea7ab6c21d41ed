// The plain-text report: the model, the observed and expected tables and a
// chi-square goodness-of-fit test of the one against the other.
#pragma once

#include <string>

#include "model/divergence.h"

namespace dyvern {

// The 20 report lines, each ending in '\n': the model and its table, the
// expected counts and the goodness-of-fit test of the one against the other.
std::string ReportText(const FitTarget& target, const DivergenceCounts& expected);

// Whether `path` can be opened for reading: the test before a report is replaced.
bool FileExists(const std::string& path);

// Creates or replaces the file in text mode (CR LF on Windows). False when
// the file cannot be created or the text not written completely.
bool WriteReportFile(const std::string& path, const std::string& text);

}  // namespace dyvern
