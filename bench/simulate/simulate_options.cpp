#include "simulate_options.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <functional>
#include <map>
#include <sstream>

namespace dyvern {
namespace {

// Frequencies may be written to a few decimals; they are scaled to sum 1.
constexpr double kFrequencySumTolerance = 1e-3;
// Bases held at once, tips and a few internal nodes: a few gigabytes at most.
constexpr double kMostCharacters = 2e9;

std::string Text(double value) {
    std::ostringstream text;
    text << value;
    return text.str();
}

[[noreturn]] void Fail(const std::string& option, const std::string& why) {
    throw OptionError(option + ": " + why);
}

double Real(const std::string& option, const std::string& text) {
    char* end = nullptr;
    errno = 0;
    const double value = std::strtod(text.c_str(), &end);
    if (text.empty() || *end != '\0' || errno == ERANGE || !std::isfinite(value))
        Fail(option, "'" + text + "' is not a number");
    return value;
}

double RealIn(const std::string& option, const std::string& text, double low, double high) {
    const double value = Real(option, text);
    if (!(value >= low && value <= high))
        Fail(option, "must lie between " + Text(low) + " and " + Text(high));
    return value;
}

std::uint64_t Unsigned(const std::string& option, const std::string& text) {
    if (text.empty() || text.find_first_not_of("0123456789") != std::string::npos)
        Fail(option, "'" + text + "' is not a whole number");
    errno = 0;
    const auto value = std::strtoull(text.c_str(), nullptr, 10);
    if (errno == ERANGE) Fail(option, "'" + text + "' is too large");
    return value;
}

int Count(const std::string& option, const std::string& text, int low, int high) {
    const auto value = Unsigned(option, text);
    if (value < static_cast<std::uint64_t>(low) || value > static_cast<std::uint64_t>(high))
        Fail(option, "must lie between " + std::to_string(low) + " and " + std::to_string(high));
    return static_cast<int>(value);
}

std::array<double, 4> Frequencies(const std::string& option, const std::string& text) {
    std::array<double, 4> freqs{};
    size_t start = 0;
    for (size_t k = 0; k < 4; ++k) {
        const size_t comma = text.find(',', start);
        if ((k < 3) == (comma == std::string::npos)) Fail(option, "needs four values a,c,g,t");
        freqs[k] = RealIn(option, text.substr(start, comma - start), 1e-6, 1.0);
        start = comma + 1;
    }
    const double sum = freqs[0] + freqs[1] + freqs[2] + freqs[3];
    if (std::fabs(sum - 1.0) > kFrequencySumTolerance)
        Fail(option, "the four frequencies add up to " + Text(sum) + ", not 1");
    for (auto& f : freqs) f /= sum;
    return freqs;
}

using Setter =
    std::function<void(SimulateOptions&, const std::string& option, const std::string& value)>;

const std::map<std::string, Setter>& ValueOptions() {
    static const std::map<std::string, Setter> options = {
        {"--sequences", [](auto& o, auto& n, auto& v) { o.sequences = Count(n, v, 2, 1000000); }},
        {"--sites", [](auto& o, auto& n, auto& v) { o.sites = Count(n, v, 1, 100000000); }},
        {"--seed", [](auto& o, auto& n, auto& v) { o.seed = Unsigned(n, v); }},
        {"--kappa", [](auto& o, auto& n, auto& v) { o.model.kappa = RealIn(n, v, 1e-3, 1e3); }},
        {"--freqs", [](auto& o, auto& n, auto& v) { o.model.freqs = Frequencies(n, v); }},
        {"--tree-depth", [](auto& o, auto& n, auto& v) { o.treeDepth = RealIn(n, v, 1e-6, 50); }},
        {"--gaps", [](auto& o, auto& n, auto& v) { o.noise.gaps = RealIn(n, v, 0.0, 1.0); }},
        {"--ambiguous",
         [](auto& o, auto& n, auto& v) { o.noise.ambiguous = RealIn(n, v, 0.0, 1.0); }},
        {"--line-width", [](auto& o, auto& n, auto& v) { o.lineWidth = Count(n, v, 0, 1 << 30); }},
    };
    return options;
}

void CheckTogether(const SimulateOptions& options) {
    if (options.noise.gaps + options.noise.ambiguous > 1.0)
        Fail("--gaps, --ambiguous", "together they exceed 1");
    if (static_cast<double>(options.sequences) * options.sites > kMostCharacters)
        Fail("--sequences x --sites", "more than 2e9 characters");
}

}  // namespace

SimulateOptions ParseSimulateOptions(const std::vector<std::string>& arguments) {
    SimulateOptions options;
    for (size_t k = 0; k < arguments.size(); ++k) {
        const std::string& name = arguments[k];
        if (name == "--help" || name == "-h") {
            options.help = true;
            continue;
        }
        const auto option = ValueOptions().find(name);
        if (option == ValueOptions().end()) Fail(name, "unknown option (see --help)");
        if (k + 1 == arguments.size()) Fail(name, "needs a value");
        option->second(options, name, arguments[++k]);
    }
    CheckTogether(options);
    return options;
}

std::string SimulateUsage() {
    return "Usage: dyvern-simulate [options] > alignment.fasta\n"
           "Writes N aligned DNA sequences evolved under HKY85 down a random tree.\n"
           "  --sequences N       sequences, named S0001, S0002, ... (10)\n"
           "  --sites L           sites (1000)\n"
           "  --seed S            random seed; the same seed gives the same file (1)\n"
           "  --kappa K           transition/transversion rate ratio (4)\n"
           "  --freqs a,c,g,t     base frequencies (0.3,0.2,0.2,0.3)\n"
           "  --tree-depth D      root to tip, substitutions per site (0.2)\n"
           "  --gaps F            chance that a character is replaced by '-' (0)\n"
           "  --ambiguous F       chance that it is replaced by an IUPAC code (0)\n"
           "  --line-width W      letters per line, 0 for one line (60)\n";
}

}  // namespace dyvern
