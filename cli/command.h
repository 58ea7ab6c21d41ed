// One command of dyvern-cli: its name, its help and the options it knows.
#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "arguments.h"

namespace dyvern::cli {

// Exit statuses.
inline constexpr int kDone = 0;
inline constexpr int kSomePairsNotFitted = 1;
inline constexpr int kBadUsageOrInput = 2;

struct Streams {
    std::ostream& out;  // results only
    std::ostream& err;  // messages
};

struct Command {
    const char* name;
    const char* summary;  // one line for the program's own help
    const char* help;     // the whole text of `dyvern-cli NAME --help`
    std::vector<OptionRule> rules;
    int (*run)(const Arguments& arguments, Streams streams);
};

// The commands in the order the program's help lists them.
const std::vector<Command>& Commands();

// The commands themselves.
int RunFit(const Arguments& arguments, Streams streams);
int RunCompare(const Arguments& arguments, Streams streams);
int RunDist(const Arguments& arguments, Streams streams);
int RunCluster(const Arguments& arguments, Streams streams);
int RunTable(const Arguments& arguments, Streams streams);
int RunReport(const Arguments& arguments, Streams streams);

}  // namespace dyvern::cli
