// The table of base pairs two aligned sequences show, site by site.
#pragma once

#include <string_view>

#include "model/divergence.h"

namespace dyvern {

// What a site with an ambiguity code (R Y S W K M B D H V) counts as.
//   Skip:          it is left out.
//   Average:       it is shared out in equal parts over the base pairs the
//                  two codes allow, so cells may be fractional (R against A
//                  adds a half to A-A and a half to G-A).
//   Resolve:       when one side is a plain base the other code allows, it
//                  counts as that identical pair (R against A adds one to
//                  A-A); otherwise as under Average.
//   ResolveShared: as Resolve, and two codes that share bases count as
//                  those bases' identical pairs, shared out (R against M:
//                  one A-A); otherwise as under Average (tn93's resolve).
//   GapMismatch:   as Average, and a gap against a base or a code counts as
//                  N against it (tn93's gapmm); gaps on both sides are left out.
enum class Ambiguity { Skip, Average, Resolve, ResolveShared, GapMismatch };

// How the two sequences' characters are read into a table.
struct SiteReading {
    Ambiguity ambiguity = Ambiguity::Skip;
    // N and ? as codes that allow every base, rather than missing data
    // (always, under GapMismatch).
    bool unknownAsAmbiguous = false;
    // Under Resolve and ResolveShared: when the sites counted toward the
    // limit (resolved against a base, or a code against a code) are at least
    // this share of the sites, the pair is counted under Average instead
    // (tn93's -g). 1: never.
    double resolveLimit = 1.0;

    SiteReading() = default;
    SiteReading(Ambiguity ambiguity) : ambiguity(ambiguity) {}  // NOLINT: a mode alone reads plainly
    bool ReadsUnknownAsAmbiguous() const {
        return unknownAsAmbiguous || ambiguity == Ambiguity::GapMismatch;
    }
};

struct PairTable {
    DivergenceCounts counts{};  // row: sequence 1, column: sequence 2, A C G T
    int sites = 0;              // sites counted: the cells add up to this
    int gapOrMissing = 0;       // left out: '-', '?' or N in either sequence
    int ambiguous = 0;          // left out under Skip: an ambiguity code
    int resolved = 0;           // counted toward the resolve limit
    bool averaged = false;      // counted under Average: the resolve limit was reached
};

// Counts the sites of two aligned sequences (pairwise deletion: a site with a
// gap or missing data on either side is left out before ambiguity is
// considered, but under GapMismatch). Codes are read as NormalizedCode reads
// them. Throws std::invalid_argument for sequences of unequal length or a
// character that is not a nucleotide code, std::length_error beyond the int
// range.
PairTable CountPair(std::string_view sequence1, std::string_view sequence2,
                    const SiteReading& reading = {});

// Whether a resolved table must be counted again under Average.
bool ReachesResolveLimit(const PairTable& table, const SiteReading& reading);

}  // namespace dyvern
