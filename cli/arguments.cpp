#include "arguments.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdlib>

#include "usage_error.h"

namespace dyvern::cli {
namespace {

const OptionRule& FindRule(const std::string& name, const std::vector<OptionRule>& rules) {
    for (const OptionRule& rule : rules)
        if (rule.name == name) return rule;
    throw UsageError("unknown option '--" + name + "'");
}

std::string JoinChoices(const std::vector<std::string>& choices) {
    std::string joined;
    for (const std::string& choice : choices) joined += (joined.empty() ? "" : ", ") + choice;
    return joined;
}

void CheckChoice(const OptionRule& rule, const std::string& value) {
    if (rule.choices.empty()) return;
    if (std::find(rule.choices.begin(), rule.choices.end(), value) != rule.choices.end()) return;
    throw UsageError("--" + rule.name + " takes one of " + JoinChoices(rule.choices) + ", not '" +
                     value + "'");
}

}  // namespace

std::string Arguments::Value(const std::string& name, const std::string& fallback) const {
    const auto found = options.find(name);
    return found == options.end() || found->second.empty() ? fallback : found->second.front();
}

const std::vector<std::string>& Arguments::Values(const std::string& name) const {
    static const std::vector<std::string> kNone;
    const auto found = options.find(name);
    return found == options.end() ? kNone : found->second;
}

Arguments ParseArguments(const std::vector<std::string>& words,
                         const std::vector<OptionRule>& rules) {
    Arguments parsed;
    bool optionsEnded = false;
    for (std::size_t i = 0; i < words.size(); ++i) {
        const std::string& word = words[i];
        if (optionsEnded || word.size() < 2 || word.compare(0, 2, "--") != 0 || word == "-") {
            parsed.operands.push_back(word);
            continue;
        }
        if (word == "--") {
            optionsEnded = true;
            continue;
        }
        const std::size_t equals = word.find('=');
        const std::string name = word.substr(2, equals == std::string::npos ? equals : equals - 2);
        const OptionRule& rule = FindRule(name, rules);
        if (parsed.Has(name)) throw UsageError("--" + name + " is given twice");
        std::vector<std::string> values;
        if (equals != std::string::npos) {
            if (rule.values != 1) throw UsageError("--" + name + " does not take '='");
            values.push_back(word.substr(equals + 1));
        }
        while (static_cast<int>(values.size()) < rule.values) {
            if (++i >= words.size()) throw UsageError("--" + name + " needs a value");
            values.push_back(words[i]);
        }
        for (const std::string& value : values) CheckChoice(rule, value);
        parsed.options[name] = values;
    }
    return parsed;
}

int WholeNumber(const std::string& name, const std::string& text, int low, int high) {
    char* end = nullptr;
    errno = 0;
    const long value = std::strtol(text.c_str(), &end, 10);
    if (text.empty() || *end != '\0' || errno != 0 || value < low || value > high)
        throw UsageError("--" + name + " takes a whole number from " + std::to_string(low) +
                         " to " + std::to_string(high) + ", not '" + text + "'");
    return static_cast<int>(value);
}

double DecimalNumber(const std::string& name, const std::string& text) {
    char* end = nullptr;
    const double value = std::strtod(text.c_str(), &end);
    if (text.empty() || *end != '\0' || !std::isfinite(value))
        throw UsageError("--" + name + " takes a number, not '" + text + "'");
    return value;
}

}  // namespace dyvern::cli
