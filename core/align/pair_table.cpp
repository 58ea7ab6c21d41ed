#include "align/pair_table.h"

#include <climits>
#include <cstdint>
#include <stdexcept>

#include "align/iupac.h"
#include "align/site_shares.h"

namespace dyvern {
namespace {

BaseSet BasesAt(char c, const SiteReading& reading) {
    const char code = NormalizedCode(c);
    if (code == '\0') throw std::invalid_argument("not a nucleotide code in a sequence");
    if (code == 'N' || code == '?') return reading.ReadsUnknownAsAmbiguous() ? kAnyBase : 0;
    return BasesOf(code);
}

// A gap against anything but a gap reads as N under GapMismatch.
void ReadGaps(char c1, char c2, const SiteReading& reading, BaseSet& bases1, BaseSet& bases2) {
    if (reading.ambiguity != Ambiguity::GapMismatch) return;
    const bool gap1 = NormalizedCode(c1) == '-', gap2 = NormalizedCode(c2) == '-';
    if (gap1 && !gap2) bases1 = kAnyBase;
    if (gap2 && !gap1) bases2 = kAnyBase;
}

PairTable CountSites(std::string_view sequence1, std::string_view sequence2,
                     const SiteReading& reading) {
    PairTable table;
    UnitTable units{};
    for (std::size_t site = 0; site < sequence1.size(); ++site) {
        BaseSet bases1 = BasesAt(sequence1[site], reading);
        BaseSet bases2 = BasesAt(sequence2[site], reading);
        ReadGaps(sequence1[site], sequence2[site], reading, bases1, bases2);
        if (bases1 == 0 || bases2 == 0) {
            ++table.gapOrMissing;
            continue;
        }
        const bool plain = BaseCount(bases1) == 1 && BaseCount(bases2) == 1;
        if (!plain && reading.ambiguity == Ambiguity::Skip) {
            ++table.ambiguous;
            continue;
        }
        if (plain)
            ShareSite(units, bases1, bases2);
        else
            table.resolved += AddCodeSite(units, bases1, bases2, reading.ambiguity);
        ++table.sites;
    }
    for (int i = 0; i < 4; ++i)
        for (int j = 0; j < 4; ++j)
            table.counts[i][j] = static_cast<double>(units[i][j]) / kUnitsPerSite;
    return table;
}

}  // namespace

bool ReachesResolveLimit(const PairTable& table, const SiteReading& reading) {
    const bool resolving = reading.ambiguity == Ambiguity::Resolve ||
                           reading.ambiguity == Ambiguity::ResolveShared;
    return resolving && reading.resolveLimit < 1.0 &&
           table.sites * reading.resolveLimit <= table.resolved;
}

PairTable CountPair(std::string_view sequence1, std::string_view sequence2,
                    const SiteReading& reading) {
    if (sequence1.size() != sequence2.size())
        throw std::invalid_argument("sequences of unequal length");
    if (sequence1.size() > static_cast<std::size_t>(INT_MAX))
        throw std::length_error("more sites than a table counts");
    PairTable table = CountSites(sequence1, sequence2, reading);
    if (!ReachesResolveLimit(table, reading)) return table;
    SiteReading average = reading;
    average.ambiguity = Ambiguity::Average;
    PairTable averaged = CountSites(sequence1, sequence2, average);
    averaged.resolved = table.resolved;
    averaged.averaged = true;
    return averaged;
}

}  // namespace dyvern
