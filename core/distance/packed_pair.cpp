#include "distance/packed_pair.h"

#include <cstdint>

#include "align/site_shares.h"
#include "distance/plane_counts.h"

namespace dyvern {
namespace {

// What the coded sites of a pair add beside the plain ones.
struct CodedSites {
    int counted = 0;
    int resolved = 0;  // counted toward the resolve limit
    int gapPairs = 0;  // a gap on both sides: the planes took them as known
};

// Adds one site where at least one side holds a code.
void AddCoded(UnitTable& units, const AmbiguousSite& site1, const AmbiguousSite& site2,
              Ambiguity ambiguity, CodedSites& coded) {
    if (site1.gap && site2.gap) {
        ++coded.gapPairs;
        return;
    }
    if (site1.bases == 0 || site2.bases == 0) return;
    coded.resolved += AddCodeSite(units, site1.bases, site2.bases, ambiguity);
    ++coded.counted;
}

// The sites either list holds, merged in site order.
CodedSites AddCodedSites(UnitTable& units, const PackedAlignment& packed, std::size_t s1,
                         std::size_t s2, Ambiguity ambiguity) {
    const AmbiguousSite* a = packed.ambiguousBegin(s1);
    const AmbiguousSite* const aEnd = packed.ambiguousEnd(s1);
    const AmbiguousSite* b = packed.ambiguousBegin(s2);
    const AmbiguousSite* const bEnd = packed.ambiguousEnd(s2);
    CodedSites coded;
    while (a != aEnd || b != bEnd) {
        if (b == bEnd || (a != aEnd && a->site < b->site)) {
            AddCoded(units, *a, {a->site, PackedBasesAt(packed, s2, a->site), false}, ambiguity,
                     coded);
            ++a;
        } else if (a == aEnd || b->site < a->site) {
            AddCoded(units, {b->site, PackedBasesAt(packed, s1, b->site), false}, *b, ambiguity,
                     coded);
            ++b;
        } else {
            AddCoded(units, *a++, *b++, ambiguity, coded);
        }
    }
    return coded;
}

}  // namespace

PairTable CountPackedPair(const PackedAlignment& packed, std::size_t sequence1,
                          std::size_t sequence2) {
    const SiteReading& reading = packed.reading();
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
    if (reading.ambiguity == Ambiguity::Skip) {
        table.ambiguous = static_cast<int>(plain.known - plainSites);
    } else {
        UnitTable plainUnits;
        std::copy(&units[0][0], &units[0][0] + 16, &plainUnits[0][0]);
        CodedSites coded = AddCodedSites(units, packed, sequence1, sequence2, reading.ambiguity);
        table.gapOrMissing += coded.gapPairs;
        table.resolved = coded.resolved;
        if (ReachesResolveLimit(
                {table.counts, table.sites + coded.counted, 0, 0, coded.resolved, false},
                reading)) {
            std::copy(&plainUnits[0][0], &plainUnits[0][0] + 16, &units[0][0]);
            coded = AddCodedSites(units, packed, sequence1, sequence2, Ambiguity::Average);
            table.averaged = true;
        }
        table.sites += coded.counted;
    }
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

}  // namespace dyvern
