#include "standard_input.h"

#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <stdexcept>

namespace dyvern::testing {

StandardInputFrom::StandardInputFrom(const std::string& path) : saved_(dup(STDIN_FILENO)) {
    const int file = open(path.c_str(), O_RDONLY);
    if (file < 0 || saved_ < 0) throw std::runtime_error("cannot open " + path);
    dup2(file, STDIN_FILENO);
    close(file);
    std::clearerr(stdin);
}

StandardInputFrom::~StandardInputFrom() {
    dup2(saved_, STDIN_FILENO);
    close(saved_);
    std::clearerr(stdin);
}

}  // namespace dyvern::testing
