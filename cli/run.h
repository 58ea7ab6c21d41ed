// dyvern-cli as a function of its words, so that tests run it in-process.
#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace dyvern::cli {

// `words` excludes the program's name. Returns the exit status: 0 done, 1
// done but some pairs could not be fitted, 2 bad usage or unreadable input
// (and then nothing was written to `out`).
int Run(const std::vector<std::string>& words, std::ostream& out, std::ostream& err);

}  // namespace dyvern::cli
