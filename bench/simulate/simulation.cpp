#include "simulation.h"

#include <algorithm>
#include <cstdio>

#include "evolve.h"
#include "random_tree.h"

namespace dyvern {

std::vector<std::string> SimulateAlignment(const SimulateOptions& options) {
    RandomSource treeRandom(StreamSeed(options.seed, Stream::Tree));
    RandomSource baseRandom(StreamSeed(options.seed, Stream::Bases));
    RandomSource noiseRandom(StreamSeed(options.seed, Stream::Noise));
    const Tree tree = RandomJoiningTree(options.sequences, options.treeDepth, treeRandom);
    auto sequences = EvolveSequences(tree, options.model, options.sites, baseRandom);
    AddNoise(sequences, options.noise, noiseRandom);
    return sequences;
}

std::string SequenceName(int index) {
    char name[16];
    std::snprintf(name, sizeof name, "S%04d", index + 1);
    return name;
}

void WriteFasta(std::ostream& out, const std::vector<std::string>& sequences, int lineWidth) {
    for (size_t k = 0; k < sequences.size(); ++k) {
        const std::string& letters = sequences[k];
        out << '>' << SequenceName(static_cast<int>(k)) << '\n';
        const size_t width = lineWidth > 0 ? static_cast<size_t>(lineWidth) : letters.size();
        for (size_t start = 0; start < letters.size(); start += width)
            out.write(letters.data() + start,
                      static_cast<std::streamsize>(std::min(width, letters.size() - start)))
                << '\n';
    }
}

}  // namespace dyvern
