// dyvern-simulate: a FASTA alignment evolved under HKY85, on standard output.
#include <iostream>
#include <new>

#include "simulation.h"

int main(int argc, char** argv) {
    try {
        const auto options =
            dyvern::ParseSimulateOptions(std::vector<std::string>(argv + 1, argv + argc));
        if (options.help) {
            std::cout << dyvern::SimulateUsage();
            return 0;
        }
        std::ios::sync_with_stdio(false);
        dyvern::WriteFasta(std::cout, dyvern::SimulateAlignment(options), options.lineWidth);
        std::cout.flush();
        if (!std::cout) {
            std::cerr << "dyvern-simulate: could not write the alignment\n";
            return 1;
        }
        return 0;
    } catch (const dyvern::OptionError& error) {
        std::cerr << "dyvern-simulate: " << error.what() << "\n" << dyvern::SimulateUsage();
        return 2;
    } catch (const std::bad_alloc&) {
        std::cerr << "dyvern-simulate: not enough memory for this alignment\n";
        return 1;
    }
}
