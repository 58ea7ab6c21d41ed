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

DYVERN_POPCOUNT_CLONES
PlaneCounts CountPlanes(const std::uint64_t* planes1, const std::uint64_t* planes2,
                        std::size_t words) {
    PlaneCounts counts;
    const std::uint64_t* p1 = planes1;
    const std::uint64_t* p2 = planes2;
    for (std::size_t w = 0; w < words; ++w, p1 += kPlanesPerWord, p2 += kPlanesPerWord) {
        const std::uint64_t known1 = p1[0] | p1[1] | p1[2] | p1[3] | p1[4];
        const std::uint64_t known2 = p2[0] | p2[1] | p2[2] | p2[3] | p2[4];
        counts.known += __builtin_popcountll(known1 & known2);
        for (int i = 0; i < 4; ++i)
            for (int j = 0; j < 4; ++j) counts.cells[i][j] += __builtin_popcountll(p1[i] & p2[j]);
    }
    return counts;
}

}  // namespace dyvern
