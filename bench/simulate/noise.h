// Gaps and ambiguity codes sprinkled over a clean alignment, so that readers
// and counters meet what real alignments hold.
#pragma once

#include <string>
#include <vector>

#include "random_source.h"

namespace dyvern {

struct NoiseFractions {
    double gaps = 0.0;       // chance that a character becomes '-'
    double ambiguous = 0.0;  // chance that it becomes an IUPAC code holding its base
};

// Each character independently: a gap, an ambiguity code chosen evenly among
// the seven that include its base (two-base, three-base codes and N), or
// left alone. gaps + ambiguous <= 1.
void AddNoise(std::vector<std::string>& sequences, const NoiseFractions& fractions,
              RandomSource& random);

}  // namespace dyvern
