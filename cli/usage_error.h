// A command line that cannot be carried out as written: the program says why,
// points at --help, writes nothing to standard output and exits with 2.
#pragma once

#include <stdexcept>
#include <string>

namespace dyvern::cli {

class UsageError : public std::runtime_error {
public:
    explicit UsageError(const std::string& message) : std::runtime_error(message) {}
};

}  // namespace dyvern::cli
