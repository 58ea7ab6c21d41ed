#include "align/iupac.h"

#include <array>

namespace dyvern {
namespace {

struct Code {
    char letter;
    BaseSet bases;
};

constexpr BaseSet kA = 1, kC = 2, kG = 4, kT = 8;

constexpr Code kCodes[] = {
    {'A', kA},
    {'C', kC},
    {'G', kG},
    {'T', kT},
    {'R', kA | kG},
    {'Y', kC | kT},
    {'S', kC | kG},
    {'W', kA | kT},
    {'K', kG | kT},
    {'M', kA | kC},
    {'B', kC | kG | kT},
    {'D', kA | kG | kT},
    {'H', kA | kC | kT},
    {'V', kA | kC | kG},
    {'N', kAnyBase},
    {'?', 0},
    {'-', 0},
};

// Indexed by byte: the stored code of each accepted character, '\0' elsewhere.
constexpr std::array<char, 256> MakeNormalized() {
    std::array<char, 256> table{};
    for (const Code& code : kCodes) {
        const auto upper = static_cast<unsigned char>(code.letter);
        table[upper] = code.letter;
        if (upper >= 'A' && upper <= 'Z') table[upper - 'A' + 'a'] = code.letter;
    }
    table['U'] = table['u'] = 'T';
    return table;
}

constexpr std::array<BaseSet, 256> MakeBases() {
    std::array<BaseSet, 256> table{};
    for (const Code& code : kCodes) table[static_cast<unsigned char>(code.letter)] = code.bases;
    return table;
}

constexpr std::array<char, 256> kNormalized = MakeNormalized();
constexpr std::array<BaseSet, 256> kBases = MakeBases();

}  // namespace

char NormalizedCode(char c) { return kNormalized[static_cast<unsigned char>(c)]; }

BaseSet BasesOf(char code) { return kBases[static_cast<unsigned char>(code)]; }

}  // namespace dyvern
