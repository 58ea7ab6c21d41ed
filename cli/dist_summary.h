// dist --summary FILE: what a run did, as one JSON object, for the records of
// a surveillance analysis: the inputs, the options, the pairs compared,
// written and left out (and why), each status's count, and the distances in
// the fixed bins of distance_histogram.h.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "dist_inputs.h"
#include "dist_rows.h"

namespace dyvern::cli {

struct SummaryFacts {
    std::vector<InputFacts> inputs;
    int sites = 0;
    std::string model, criterion, ambiguity, frequencies, format;
    RateVariation variation;
    int gammaCategories = 0;  // 0: the continuous gamma
    std::optional<double> maxD;
    int minOverlap = 0;
    bool unknownAsAmbiguous = false;  // --n-ambiguous
    double resolveLimit = 1.0;
};

std::string SummaryJson(const SummaryFacts& facts, const RowTotals& totals);

}  // namespace dyvern::cli
