#include "formula/base_composition.h"

namespace dyvern {
namespace {

using BaseTally = std::array<double, 4>;

void Tally(std::string_view sequence, BaseTally& tally) {
    for (const char code : sequence) {
        switch (code) {
            case 'A':
                tally[A] += 1.0;
                break;
            case 'C':
                tally[C] += 1.0;
                break;
            case 'G':
                tally[G] += 1.0;
                break;
            case 'T':
                tally[T] += 1.0;
                break;
            default:
                break;
        }
    }
}

std::array<double, 4> Shares(const BaseTally& tally) {
    const double sum = tally[A] + tally[C] + tally[G] + tally[T];
    std::array<double, 4> shares{};
    if (sum > 0.0)
        for (int b = 0; b < 4; ++b) shares[b] = tally[b] / sum;
    return shares;
}

}  // namespace

std::array<double, 4> PairComposition(const DivergenceCounts& counts, double n) {
    std::array<double, 4> pi{};
    for (int b = 0; b < 4; ++b) {
        const double row = counts[b][A] + counts[b][C] + counts[b][G] + counts[b][T];
        const double column = counts[A][b] + counts[C][b] + counts[G][b] + counts[T][b];
        pi[b] = (row + column) / (2.0 * n);
    }
    return pi;
}

std::array<double, 4> SequenceComposition(std::string_view sequence) {
    BaseTally tally{};
    Tally(sequence, tally);
    return Shares(tally);
}

std::array<double, 4> SequenceComposition(const std::vector<std::string>& sequences) {
    BaseTally tally{};
    for (const std::string& sequence : sequences) Tally(sequence, tally);
    return Shares(tally);
}

}  // namespace dyvern
