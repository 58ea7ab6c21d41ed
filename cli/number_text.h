// Numbers as the command line writes them: what printf's %.10g writes, fast.
#pragma once

#include <string>

namespace dyvern::cli {

// Every number is written to 10 significant digits: the fits are refined to
// better than that, so each digit written is a digit of the optimum.
inline constexpr int kSignificantDigits = 10;

std::string FormatNumber(double value);
// The same appended, without a string of its own: dist writes millions.
void AppendNumber(std::string& out, double value);

}  // namespace dyvern::cli
