// The words of a command line after its command: positional operands and
// long options, each option known to the command and given at most once.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <vector>

namespace dyvern::cli {

struct OptionRule {
    std::string name;                  // without the leading "--"
    int values = 1;                    // words that follow it: 0 (a switch), 1 or 2
    std::vector<std::string> choices;  // allowed values when not empty
};

struct Arguments {
    std::vector<std::string> operands;
    std::map<std::string, std::vector<std::string>> options;

    bool Has(const std::string& name) const { return options.count(name) != 0; }
    // The option's (first) value, or `fallback` when it was not given.
    std::string Value(const std::string& name, const std::string& fallback) const;
    const std::vector<std::string>& Values(const std::string& name) const;
};

// Reads `--name value`, `--name=value` and switches; `--` ends the options.
// Throws UsageError for an unknown or repeated option, a missing value or a
// value outside the option's choices.
Arguments ParseArguments(const std::vector<std::string>& words,
                         const std::vector<OptionRule>& rules);

// A whole number in [low, high] given to option `name`, or UsageError.
int WholeNumber(const std::string& name, const std::string& text, int low, int high);
// A finite decimal number given to option `name`, or UsageError.
double DecimalNumber(const std::string& name, const std::string& text);

}  // namespace dyvern::cli
