#include <iostream>
#include <string>
#include <vector>

#include "row_producer.h"
#include "run.h"

int main(int argc, char** argv) {
    std::ios::sync_with_stdio(false);
    const dyvern::cli::ProcessGroup group(argc, argv);
    const std::vector<std::string> words(argv + 1, argv + argc);
    // Under mpirun every process runs the command; the first alone writes.
    std::ostream discard(nullptr);
    const bool lead = group.Lead();
    const int status =
        dyvern::cli::Run(words, lead ? std::cout : discard, lead ? std::cerr : discard);
    std::cout.flush();
    return status;
}
