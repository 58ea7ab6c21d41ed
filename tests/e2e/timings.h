// Round trips of the program's commands, printed as medians of several rounds.
#pragma once

#include <functional>
#include <string>

namespace e2e {

// Milliseconds `action` takes.
double TimeMs(const std::function<void()>& action);

// Runs `round` `rounds` times, each returning the milliseconds it measured,
// and prints "timing <what> median <ms> ms".
void PrintMedian(const std::string& what, int rounds, const std::function<double()>& round);

}  // namespace e2e
