// A pair fit as a row of the fit command's output, and what standard error
// says about fits that went wrong.
#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "estimate/pair_fit.h"
#include "pair_source.h"
#include "record_writer.h"

namespace dyvern::cli {

// The columns of `fit`, in order.
const std::vector<std::string>& FitColumns();

std::vector<Value> FitRow(const NamedTable& table, const PairFit& fit);

// The status column: the fit's status word, or "d-high-infinite" for an
// otherwise ordinary fit whose interval of d has no upper end.
std::string StatusColumn(const PairFit& fit);

// Names an unfittable pair and why, on `err`; true when it did.
bool ReportUnfitted(const NamedTable& table, const PairFit& fit, std::ostream& err);

}  // namespace dyvern::cli
