#include "distance/packed_pair.h"

#include <cstdint>

#include "align/site_shares.h"
#include "distance/plane_counts.h"

namespace dyvern {
namespace {

// Adds one site with an ambiguity code on at least one side; false when the
// other side has no base there.
bool AddAmbiguous(UnitTable& units, BaseSet bases1, BaseSet bases2, Ambiguity ambiguity) {
    if (bases1 == 0 || bases2 == 0) return false;
    const BaseSet resolved = ambiguity == Ambiguity::Resolve ? ResolvedBase(bases1, bases2) : 0;
    if (resolved != 0)
        ShareSite(units, resolved, resolved);
    else
        ShareSite(units, bases1, bases2);
    return true;
}

// The sites either list holds, merged in site order; returns how many counted.
int AddAmbiguousSites(UnitTable& units, const PackedAlignment& packed, std::size_t s1,
                      std::size_t s2, Ambiguity ambiguity) {
    const AmbiguousSite* a = packed.ambiguousBegin(s1);
    const AmbiguousSite* const aEnd = packed.ambiguousEnd(s1);
    const AmbiguousSite* b = packed.ambiguousBegin(s2);
    const AmbiguousSite* const bEnd = packed.ambiguousEnd(s2);
    int counted = 0;
    while (a != aEnd || b != bEnd) {
        BaseSet bases1 = 0, bases2 = 0;
        if (b == bEnd || (a != aEnd && a->site < b->site)) {
            bases1 = a->bases;
            bases2 = PackedBasesAt(packed, s2, a->site);
            ++a;
        } else if (a == aEnd || b->site < a->site) {
            bases1 = PackedBasesAt(packed, s1, b->site);
            bases2 = b->bases;
            ++b;
        } else {
            bases1 = (a++)->bases;
            bases2 = (b++)->bases;
        }
        counted += AddAmbiguous(units, bases1, bases2, ambiguity);
    }
    return counted;
}

}  // namespace

PairTable CountPackedPair(const PackedAlignment& packed, std::size_t sequence1,
                          std::size_t sequence2, Ambiguity ambiguity) {
    const PlaneCounts plain =
        CountPlanes(packed.planes(sequence1), packed.planes(sequence2), packed.wordCount());
    UnitTable units{};
    std::int64_t plainSites = 0;
    for (int i = 0; i < 4; ++i) {
        for (int j = 0; j < 4; ++j) {
            units[i][j] = plain.cells[i][j] * kUnitsPerSite;
            plainSites += plain.cells[i][j];
        }
    }
    PairTable table;
    table.gapOrMissing = packed.siteCount() - static_cast<int>(plain.known);
    table.sites = static_cast<int>(plainSites);
    if (ambiguity == Ambiguity::Skip)
        table.ambiguous = static_cast<int>(plain.known - plainSites);
    else
        table.sites += AddAmbiguousSites(units, packed, sequence1, sequence2, ambiguity);
    for (int i = 0; i < 4; ++i)
        for (int j = 0; j < 4; ++j)
            table.counts[i][j] = static_cast<double>(units[i][j]) / kUnitsPerSite;
    return table;
}

PairTable CountPlainPair(const PackedAlignment& packed, std::size_t sequence1,
                         std::size_t sequence2) {
    const PlaneCounts plain =
        CountCells(packed.planes(sequence1), packed.planes(sequence2), packed.wordCount());
    PairTable table;
    std::int64_t sites = 0;
    for (int i = 0; i < 4; ++i) {
        for (int j = 0; j < 4; ++j) {
            table.counts[i][j] = static_cast<double>(plain.cells[i][j]);
            sites += plain.cells[i][j];
        }
    }
    table.sites = static_cast<int>(sites);
    return table;
}

bool KindsSuffice(const PackedAlignment& packed, std::size_t sequence1, std::size_t sequence2,
                  Ambiguity ambiguity) {
    return ambiguity == Ambiguity::Skip ||
           (!packed.hasAmbiguousSites(sequence1) && !packed.hasAmbiguousSites(sequence2));
}

}  // namespace dyvern
