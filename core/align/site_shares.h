// How one site with ambiguity codes is shared out over the table's cells:
// the rule of Ambiguity::Average and Ambiguity::Resolve (align/pair_table.h),
// in exact integer units, for every counter of pair tables.
#pragma once

#include <cstdint>

#include "align/iupac.h"

namespace dyvern {

// Shares are kept in whole units of 1/36 (36 is a multiple of every product
// of two set sizes from 1 to 3), so each counted site adds exactly 1.
inline constexpr std::int64_t kUnitsPerSite = 36;

using UnitTable = std::int64_t[4][4];

// Adds one site, shared in equal parts over the base pairs the sets allow.
inline void ShareSite(UnitTable& units, BaseSet bases1, BaseSet bases2) {
    const std::int64_t part = kUnitsPerSite / (BaseCount(bases1) * BaseCount(bases2));
    for (int i = 0; i < 4; ++i)
        for (int j = 0; j < 4; ++j)
            if ((bases1 >> i & 1u) && (bases2 >> j & 1u)) units[i][j] += part;
}

// The one base a resolved site stands for, or 0 when it does not resolve:
// a plain base on one side that the other side's code allows.
inline BaseSet ResolvedBase(BaseSet bases1, BaseSet bases2) {
    if (BaseCount(bases1) == 1 && (bases2 & bases1)) return bases1;
    if (BaseCount(bases2) == 1 && (bases1 & bases2)) return bases2;
    return 0;
}

}  // namespace dyvern
