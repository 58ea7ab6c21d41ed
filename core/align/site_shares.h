// How one site is counted into a pair table: the rule of every ambiguity
// mode (align/pair_table.h), in exact integer units, for every counter of
// pair tables.
#pragma once

#include <cstdint>

#include "align/iupac.h"
#include "align/pair_table.h"

namespace dyvern {

// Shares are kept in whole units of 1/144 (144 is a multiple of every
// product of two set sizes from 1 to 4), so each counted site adds exactly 1.
inline constexpr std::int64_t kUnitsPerSite = 144;

using UnitTable = std::int64_t[4][4];

// Adds one site, shared in equal parts over the base pairs the sets allow.
inline void ShareSite(UnitTable& units, BaseSet bases1, BaseSet bases2) {
    const std::int64_t part = kUnitsPerSite / (BaseCount(bases1) * BaseCount(bases2));
    // Over the set bits alone: most sites allow a few of the sixteen pairs.
    for (BaseSet a = bases1; a != 0; a &= a - 1)
        for (BaseSet b = bases2; b != 0; b &= b - 1)
            units[__builtin_ctz(a)][__builtin_ctz(b)] += part;
}

// The one base a resolved site stands for, or 0 when it does not resolve:
// a plain base on one side that the other side's code allows.
inline BaseSet ResolvedBase(BaseSet bases1, BaseSet bases2) {
    if (BaseCount(bases1) == 1 && (bases2 & bases1)) return bases1;
    if (BaseCount(bases2) == 1 && (bases1 & bases2)) return bases2;
    return 0;
}

// Adds one site of two base sets, at least one of them a code, as the mode
// counts it. Returns whether the site counted toward the resolve limit:
// resolved against a base it allows, or a code against a code.
inline bool AddCodeSite(UnitTable& units, BaseSet bases1, BaseSet bases2, Ambiguity ambiguity) {
    const bool resolving = ambiguity == Ambiguity::Resolve || ambiguity == Ambiguity::ResolveShared;
    const BaseSet base = resolving ? ResolvedBase(bases1, bases2) : 0;
    if (base != 0) {
        ShareSite(units, base, base);
        return true;
    }
    const bool codes = BaseCount(bases1) > 1 && BaseCount(bases2) > 1;
    const BaseSet shared = bases1 & bases2;
    if (ambiguity == Ambiguity::ResolveShared && codes && shared != 0) {
        // Each base both codes allow, as a match.
        const std::int64_t part = kUnitsPerSite / BaseCount(shared);
        for (int b = 0; b < 4; ++b)
            if (shared >> b & 1u) units[b][b] += part;
        return true;
    }
    ShareSite(units, bases1, bases2);
    return resolving && codes;
}

}  // namespace dyvern
