// What standard error says about fits that went wrong.
#pragma once

#include <ostream>

#include "estimate/pair_fit.h"
#include "pair_source.h"

namespace dyvern::cli {

// Names an unfittable pair and why, on `err`; true when it did.
bool ReportUnfitted(const NamedTable& table, const PairFit& fit, std::ostream& err);

}  // namespace dyvern::cli
