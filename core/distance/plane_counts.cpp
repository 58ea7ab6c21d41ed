#include "distance/plane_counts.h"

#include "distance/packed_alignment.h"

// The generic x86-64 build has no popcount instruction; on Linux the
// processor picks a clone that has it when it can.
#if defined(__GNUC__) && defined(__x86_64__) && defined(__linux__)
#define DYVERN_POPCOUNT_CLONES __attribute__((target_clones("popcnt", "default")))
#else
#define DYVERN_POPCOUNT_CLONES
#endif

namespace dyvern {

// Row by row, so that the four sums of a row stay in registers.
DYVERN_POPCOUNT_CLONES
PlaneCounts CountPlanes(const std::uint64_t* planes1, const std::uint64_t* planes2,
                        std::size_t words) {
    PlaneCounts counts;
    const std::size_t end = words * kPlanesPerWord;
    for (int i = 0; i < 4; ++i) {
        std::int64_t c0 = 0, c1 = 0, c2 = 0, c3 = 0;
        for (std::size_t w = 0; w < end; w += kPlanesPerWord) {
            const std::uint64_t base = planes1[w + i];
            c0 += __builtin_popcountll(base & planes2[w]);
            c1 += __builtin_popcountll(base & planes2[w + 1]);
            c2 += __builtin_popcountll(base & planes2[w + 2]);
            c3 += __builtin_popcountll(base & planes2[w + 3]);
        }
        counts.cells[i][0] = c0;
        counts.cells[i][1] = c1;
        counts.cells[i][2] = c2;
        counts.cells[i][3] = c3;
    }
    for (std::size_t w = 0; w < end; w += kPlanesPerWord) {
        const std::uint64_t* p1 = planes1 + w;
        const std::uint64_t* p2 = planes2 + w;
        const std::uint64_t known1 = p1[0] | p1[1] | p1[2] | p1[3] | p1[4];
        const std::uint64_t known2 = p2[0] | p2[1] | p2[2] | p2[3] | p2[4];
        counts.known += __builtin_popcountll(known1 & known2);
    }
    return counts;
}

// With A, C, G, T as 00, 01, 10, 11, a transversion flips the low bit and a
// transition the high bit alone.
DYVERN_POPCOUNT_CLONES
DifferenceCounts CountDifferences(const std::uint64_t* planes1, const std::uint64_t* planes2,
                                  std::size_t words) {
    DifferenceCounts counts;
    const std::size_t end = words * kPlanesPerWord;
    for (std::size_t w = 0; w < end; w += kPlanesPerWord) {
        const std::uint64_t* p1 = planes1 + w;
        const std::uint64_t* p2 = planes2 + w;
        const std::uint64_t plain1 = p1[0] | p1[1] | p1[2] | p1[3];
        const std::uint64_t plain2 = p2[0] | p2[1] | p2[2] | p2[3];
        const std::uint64_t both = plain1 & plain2;
        const std::uint64_t low = ((p1[1] | p1[3]) ^ (p2[1] | p2[3])) & both;
        const std::uint64_t high = ((p1[2] | p1[3]) ^ (p2[2] | p2[3])) & both;
        counts.plain += __builtin_popcountll(both);
        counts.transversions += __builtin_popcountll(low);
        counts.transitions += __builtin_popcountll(high & ~low);
        counts.known += __builtin_popcountll((plain1 | p1[4]) & (plain2 | p2[4]));
    }
    return counts;
}

}  // namespace dyvern
