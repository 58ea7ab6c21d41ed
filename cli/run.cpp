#include "run.h"

#include <exception>
#include <sstream>

#include "command.h"
#include "usage_error.h"

namespace dyvern::cli {
namespace {

constexpr const char* kProgram = "dyvern-cli";
constexpr const char* kVersion = "dyvern-cli " DYVERN_VERSION;

void WriteProgramHelp(std::ostream& out) {
    out << "Usage: " << kProgram << " COMMAND [OPTIONS] FILE...\n\n"
        << "Measures and models the divergence between aligned DNA sequences: the four\n"
        << "nested models JC69, F81, K80 and HKY85 fitted to the table of base pairs of\n"
        << "each pair of sequences, with d (substitutions per site), its uncertainty,\n"
        << "goodness of fit and model comparison.\n\nCommands:\n";
    for (const Command& command : Commands())
        out << "  " << command.name << std::string(10 - std::string(command.name).size(), ' ')
            << command.summary << "\n";
    out << "\nInputs, told apart by their content, plain or gzip-compressed: FASTA, PHYLIP\n"
        << "(sequential or interleaved, strict or relaxed names), NEXUS, and Dyvern's\n"
        << "data file (the site count, then the 16 pair counts).\n\n"
        << "'" << kProgram << " COMMAND --help' describes a command. Exit status: 0 done,\n"
        << "1 done but some pairs could not be fitted (standard error says which and\n"
        << "why), 2 bad usage or unreadable input (nothing written to standard output).\n";
}

const Command* FindCommand(const std::string& name) {
    for (const Command& command : Commands())
        if (name == command.name) return &command;
    return nullptr;
}

bool AsksForHelp(const std::vector<std::string>& words) {
    for (const std::string& word : words) {
        if (word == "--") return false;
        if (word == "--help" || word == "-h") return true;
    }
    return false;
}

// Every command reads and checks all its input before it writes a result, so
// a failure leaves standard output empty.
int RunCommand(const Command& command, const std::vector<std::string>& words, std::ostream& out,
               std::ostream& err) {
    const std::string prefix = std::string(kProgram) + " " + command.name + ": ";
    try {
        const Arguments arguments = ParseArguments(words, command.rules);
        return command.run(arguments, {out, err});
    } catch (const UsageError& error) {
        err << prefix << error.what() << "\nTry '" << kProgram << " " << command.name
            << " --help'.\n";
    } catch (const std::exception& error) {
        err << prefix << error.what() << "\n";
    }
    return kBadUsageOrInput;
}

}  // namespace

int Run(const std::vector<std::string>& words, std::ostream& out, std::ostream& err) {
    if (words.empty()) {
        WriteProgramHelp(err);
        return kBadUsageOrInput;
    }
    const std::string& first = words.front();
    if (first == "--help" || first == "-h" || first == "help") {
        WriteProgramHelp(out);
        return kDone;
    }
    if (first == "--version") {
        out << kVersion << "\n";
        return kDone;
    }
    const Command* command = FindCommand(first);
    if (!command) {
        err << kProgram << ": unknown command '" << first << "'\nTry '" << kProgram
            << " --help'.\n";
        return kBadUsageOrInput;
    }
    const std::vector<std::string> rest(words.begin() + 1, words.end());
    if (AsksForHelp(rest)) {
        out << command->help;
        return kDone;
    }
    return RunCommand(*command, rest, out, err);
}

}  // namespace dyvern::cli
