// The record of one pair's distance, a row of `dyvern-cli dist --format tsv`.
// It holds the distance's numbers rather than the distance library's type,
// which is built above this one.
#pragma once

#include "model/fit_status.h"
#include "report/record_columns.h"

namespace dyvern {

struct DistanceRecord {
    PairNames pair;
    int sites;  // n
    double d;
    double seD;
    FitStatus status;
};

inline constexpr Column<DistanceRecord> kDistanceColumns[] = {
    {"seq1", [](const DistanceRecord& r) -> Value { return r.pair.seq1; }},
    {"seq2", [](const DistanceRecord& r) -> Value { return r.pair.seq2; }},
    {"sites", [](const DistanceRecord& r) -> Value { return r.sites; }},
    {"d", [](const DistanceRecord& r) -> Value { return r.d; }},
    {"se_d", [](const DistanceRecord& r) -> Value { return r.seD; }},
    {"status", [](const DistanceRecord& r) -> Value { return StatusWord(r.status); }},
};

}  // namespace dyvern
