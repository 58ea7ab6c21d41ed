#include "align/pair_table.h"

#include <climits>
#include <cstdint>
#include <stdexcept>

#include "align/iupac.h"
#include "align/site_shares.h"

namespace dyvern {
namespace {

BaseSet BasesAt(char c) {
    const char code = NormalizedCode(c);
    if (code == '\0') throw std::invalid_argument("not a nucleotide code in a sequence");
    return code == 'N' ? 0 : BasesOf(code);
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
        const BaseSet resolved = ambiguity == Ambiguity::Resolve ? ResolvedBase(bases1, bases2) : 0;
        if (resolved != 0)
            ShareSite(units, resolved, resolved);
        else
            ShareSite(units, bases1, bases2);
        ++table.sites;
    }
    for (int i = 0; i < 4; ++i)
        for (int j = 0; j < 4; ++j)
            table.counts[i][j] = static_cast<double>(units[i][j]) / kUnitsPerSite;
    return table;
}

}  // namespace dyvern
