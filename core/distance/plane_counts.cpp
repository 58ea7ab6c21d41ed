#include "distance/plane_counts.h"

#include <algorithm>

#include "distance/packed_alignment.h"
#include "model/divergence.h"

// The generic x86-64 build has no popcount instruction; on Linux the
// processor picks a clone that has it when it can.
#if defined(__GNUC__) && defined(__x86_64__) && defined(__linux__)
#define DYVERN_POPCOUNT_CLONES __attribute__((target_clones("popcnt", "default")))
#else
#define DYVERN_POPCOUNT_CLONES
#endif

namespace dyvern {
namespace {

// Row by row, so that the four sums of a row stay in registers.
inline __attribute__((always_inline)) void AddCells(const std::uint64_t* planes1,
                                                    const std::uint64_t* planes2, std::size_t words,
                                                    PlaneCounts& counts) {
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
}

}  // namespace

DYVERN_POPCOUNT_CLONES
PlaneCounts CountPlanes(const std::uint64_t* planes1, const std::uint64_t* planes2,
                        std::size_t words) {
    PlaneCounts counts;
    AddCells(planes1, planes2, words, counts);
    const std::size_t end = words * kPlanesPerWord;
    for (std::size_t w = 0; w < end; w += kPlanesPerWord) {
        const std::uint64_t* p1 = planes1 + w;
        const std::uint64_t* p2 = planes2 + w;
        const std::uint64_t known1 = p1[0] | p1[1] | p1[2] | p1[3] | p1[4];
        const std::uint64_t known2 = p2[0] | p2[1] | p2[2] | p2[3] | p2[4];
        counts.known += __builtin_popcountll(known1 & known2);
    }
    return counts;
}

DYVERN_POPCOUNT_CLONES
PlaneCounts CountCells(const std::uint64_t* planes1, const std::uint64_t* planes2,
                       std::size_t words) {
    PlaneCounts counts;
    AddCells(planes1, planes2, words, counts);
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

namespace {

inline __attribute__((always_inline)) void AddDifferences(const std::uint64_t* b1,
                                                          const std::uint64_t* b2,
                                                          DifferenceScan& scan) {
    const std::uint64_t both = b1[2] & b2[2];
    scan.plain += __builtin_popcountll(both);
    scan.differences += __builtin_popcountll(((b1[0] ^ b2[0]) | (b1[1] ^ b2[1])) & both);
}

}  // namespace

// One comparison every two words: a pair that crosses the bound costs at
// most a word more, and the rest a branch less a word.
DYVERN_POPCOUNT_CLONES
DifferenceScan ScanDifferences(const std::uint64_t* bits1, const std::uint64_t* bits2,
                               std::size_t words, std::int64_t mostDifferences,
                               std::int64_t leastPlain) {
    DifferenceScan scan;
    const std::uint64_t* const end1 = bits1 + words * kBitPlanesPerWord;
    const std::uint64_t* const pairEnd = bits1 + (words & ~std::size_t{1}) * kBitPlanesPerWord;
    while (bits1 != end1) {
        AddDifferences(bits1, bits2, scan);
        if (bits1 != pairEnd) {
            AddDifferences(bits1 + kBitPlanesPerWord, bits2 + kBitPlanesPerWord, scan);
            bits1 += kBitPlanesPerWord;
            bits2 += kBitPlanesPerWord;
        }
        bits1 += kBitPlanesPerWord;
        bits2 += kBitPlanesPerWord;
        if (scan.differences > mostDifferences && scan.plain >= leastPlain) {
            scan.above = true;
            return scan;
        }
    }
    return scan;
}

namespace {

// Transversions flip the low bit (x), transitions the high bit alone (y);
// a transversion that flips both is A <-> T or C <-> G, and a transition
// whose first base has the low bit set is C <-> T. The bases come from
// sums over both sequences: lows (C + T) and highs (G + T) counted as the
// bits that differ plus twice those both set, and the T's one by one.
template <bool kBases>
inline __attribute__((always_inline)) void AddClassWords(const std::uint64_t* planes1,
                                                         const std::uint64_t* planes2,
                                                         std::size_t begin, std::size_t end,
                                                         ClassCounts& counts) {
    std::int64_t plain = 0, x = 0, weakStrong = 0, y = 0, pyrimidine = 0;
    std::int64_t lows = 0, highs = 0, t = 0;
    for (std::size_t w = begin * kPlanesPerWord; w < end * kPlanesPerWord; w += kPlanesPerWord) {
        const std::uint64_t* p1 = planes1 + w;
        const std::uint64_t* p2 = planes2 + w;
        const std::uint64_t both =
            (p1[0] | p1[1] | p1[2] | p1[3]) & (p2[0] | p2[1] | p2[2] | p2[3]);
        const std::uint64_t low1 = p1[1] | p1[3], low2 = p2[1] | p2[3];
        const std::uint64_t high1 = p1[2] | p1[3], high2 = p2[2] | p2[3];
        const std::uint64_t flipLow = (low1 ^ low2) & both, flipHigh = (high1 ^ high2) & both;
        const std::uint64_t transitions = flipHigh & ~flipLow;
        plain += __builtin_popcountll(both);
        x += __builtin_popcountll(flipLow);
        weakStrong += __builtin_popcountll(flipLow & flipHigh);
        y += __builtin_popcountll(transitions);
        pyrimidine += __builtin_popcountll(transitions & low1);
        if constexpr (kBases) {
            lows += __builtin_popcountll(low1 & low2 & both);
            highs += __builtin_popcountll(high1 & high2 & both);
            t += __builtin_popcountll(p1[3] & both) + __builtin_popcountll(p2[3] & both);
        }
    }
    counts.plain += plain;
    counts.classes[0] += y - pyrimidine;
    counts.classes[1] += pyrimidine;
    counts.classes[2] += weakStrong;
    counts.classes[3] += x - weakStrong;
    if constexpr (kBases) {
        const std::int64_t cT = x + 2 * lows, gT = weakStrong + y + 2 * highs;
        counts.bases[C] += cT - t;
        counts.bases[G] += gT - t;
        counts.bases[T] += t;
        counts.bases[A] += 2 * plain - (cT + gT - t);
    }
}

DYVERN_POPCOUNT_CLONES
void AddClassesOnly(const std::uint64_t* planes1, const std::uint64_t* planes2, std::size_t begin,
                    std::size_t end, ClassCounts& counts) {
    AddClassWords<false>(planes1, planes2, begin, end, counts);
}

DYVERN_POPCOUNT_CLONES
void AddClassesAndBases(const std::uint64_t* planes1, const std::uint64_t* planes2,
                        std::size_t begin, std::size_t end, ClassCounts& counts) {
    AddClassWords<true>(planes1, planes2, begin, end, counts);
}

}  // namespace

void AddClasses(const std::uint64_t* planes1, const std::uint64_t* planes2, std::size_t begin,
                std::size_t end, bool bases, ClassCounts& counts) {
    if (bases)
        AddClassesAndBases(planes1, planes2, begin, end, counts);
    else
        AddClassesOnly(planes1, planes2, begin, end, counts);
}

}  // namespace dyvern
