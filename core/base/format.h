#pragma once

#include <string>

namespace dyvern {

// printf's "%.<decimals>f" of a value, at any length.
std::string FormatFixed(double value, int decimals);

}  // namespace dyvern
