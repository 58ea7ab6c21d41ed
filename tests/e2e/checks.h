// A small check-and-report facility for the end-to-end driver: every check
// prints one line, failures are counted, and the run ends with
// "N passed, N failed"; round trips are printed as medians of several rounds.
#pragma once

#include <functional>
#include <string>

namespace e2e {

class Checks {
public:
    // Starts a named group of related checks.
    void Group(const std::string& name);
    // Records one check; `detail` says what was seen when it fails.
    bool Expect(bool ok, const std::string& what, const std::string& detail = {});
    bool ExpectText(const std::string& actual, const std::string& expected,
                    const std::string& what);
    // The text is a number within `tolerance` of `expected`.
    bool ExpectNear(const std::string& actual, double expected, double tolerance,
                    const std::string& what);
    // Prints the closing line; the process exit code: 0 only without failures.
    int Finish() const;

private:
    std::string group;
    int passed = 0;
    int failed = 0;
};

// Reads a whole text as a number; false when it is not one.
bool ParseNumber(const std::string& text, double& value);

// Milliseconds `action` takes.
double TimeMs(const std::function<void()>& action);

// Runs `round` `rounds` times, each returning the milliseconds it measured,
// and prints "timing <what> median <ms> ms".
void PrintMedian(const std::string& what, int rounds, const std::function<double()>& round);

}  // namespace e2e
