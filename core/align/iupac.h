// The nucleotide codes a sequence may hold and the bases each one allows.
#pragma once

namespace dyvern {

// A set of bases as bits in the table order: A 1, C 2, G 4, T 8.
using BaseSet = unsigned;

inline constexpr BaseSet kAnyBase = 0xF;

// The code as an alignment stores it: upper case, U read as T, '?' and '-'
// unchanged; '\0' when `c` is none of A C G T U R Y S W K M B D H V N ? -.
char NormalizedCode(char c);

// The bases a stored code allows: one for A C G T, two or three for an
// ambiguity code, all four for N; none for '-', '?' or anything else.
BaseSet BasesOf(char code);

// How many bases a set holds (inline: a pair's coded sites ask it several
// times a site).
inline int BaseCount(BaseSet bases) {
    constexpr int kCounts[16] = {0, 1, 1, 2, 1, 2, 2, 3, 1, 2, 2, 3, 2, 3, 3, 4};
    return kCounts[bases & kAnyBase];
}

}  // namespace dyvern
