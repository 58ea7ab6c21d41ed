#include "noise.h"

namespace dyvern {
namespace {

// The codes that include each base, in the order A, C, G, T.
constexpr const char* kCodesHolding[4] = {"RMWDHVN", "YMSBHVN", "RKSBDVN", "YKWBDHN"};
constexpr int kCodeCount = 7;

int BaseIndex(char base) {
    switch (base) {
        case 'A':
            return 0;
        case 'C':
            return 1;
        case 'G':
            return 2;
        default:
            return 3;
    }
}

}  // namespace

void AddNoise(std::vector<std::string>& sequences, const NoiseFractions& fractions,
              RandomSource& random) {
    if (fractions.gaps <= 0.0 && fractions.ambiguous <= 0.0) return;
    const double changed = fractions.gaps + fractions.ambiguous;
    for (auto& sequence : sequences) {
        for (char& letter : sequence) {
            const double u = random.Uniform01();
            if (u >= changed) continue;
            letter = u < fractions.gaps
                         ? '-'
                         : kCodesHolding[BaseIndex(letter)][random.Below(kCodeCount)];
        }
    }
}

}  // namespace dyvern
