#include "align/pair_table.h"

#include <climits>
#include <cstdint>
#include <stdexcept>

#include "align/iupac.h"

namespace dyvern {
namespace {

// Shares are kept in whole units of 1/36 (36 is a multiple of every product
// of two set sizes from 1 to 3), so each counted site adds exactly 1.
constexpr std::int64_t kUnitsPerSite = 36;

using UnitTable = std::int64_t[4][4];

BaseSet BasesAt(char c) {
    const char code = NormalizedCode(c);
    if (code == '\0') throw std::invalid_argument("not a nucleotide code in a sequence");
    return code == 'N' ? 0 : BasesOf(code);
}

void Share(UnitTable& units, BaseSet bases1, BaseSet bases2) {
    const std::int64_t part = kUnitsPerSite / (BaseCount(bases1) * BaseCount(bases2));
    for (int i = 0; i < 4; ++i)
        for (int j = 0; j < 4; ++j)
            if ((bases1 >> i & 1u) && (bases2 >> j & 1u)) units[i][j] += part;
}

// The one base a resolved site stands for, or 0 when it does not resolve.
BaseSet Resolved(BaseSet bases1, BaseSet bases2) {
    const bool plain1 = BaseCount(bases1) == 1;
    const bool plain2 = BaseCount(bases2) == 1;
    if (plain1 && (bases2 & bases1)) return bases1;
    if (plain2 && (bases1 & bases2)) return bases2;
    return 0;
}

}  // namespace

PairTable CountPair(std::string_view sequence1, std::string_view sequence2, Ambiguity ambiguity) {
    if (sequence1.size() != sequence2.size())
        throw std::invalid_argument("sequences of unequal length");
    if (sequence1.size() > static_cast<std::size_t>(INT_MAX))
        throw std::length_error("more sites than a table counts");

    PairTable table;
    UnitTable units{};
    for (std::size_t site = 0; site < sequence1.size(); ++site) {
        const BaseSet bases1 = BasesAt(sequence1[site]);
        const BaseSet bases2 = BasesAt(sequence2[site]);
        if (bases1 == 0 || bases2 == 0) {
            ++table.gapOrMissing;
            continue;
        }
        const bool plain = BaseCount(bases1) == 1 && BaseCount(bases2) == 1;
        if (!plain && ambiguity == Ambiguity::Skip) {
            ++table.ambiguous;
            continue;
        }
        const BaseSet resolved = ambiguity == Ambiguity::Resolve ? Resolved(bases1, bases2) : 0;
        if (resolved != 0)
            Share(units, resolved, resolved);
        else
            Share(units, bases1, bases2);
        ++table.sites;
    }
    for (int i = 0; i < 4; ++i)
        for (int j = 0; j < 4; ++j)
            table.counts[i][j] = static_cast<double>(units[i][j]) / kUnitsPerSite;
    return table;
}

}  // namespace dyvern
