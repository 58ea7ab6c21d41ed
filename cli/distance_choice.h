// How dist and cluster compute distances, read from the command line: the
// model, criterion, rate variation, frequencies, reading of sites, threads and the
// least overlap of a pair.
#pragma once

#include <string>

#include "align/alignment.h"
#include "arguments.h"
#include "distance/distance_rows.h"

namespace dyvern::cli {

struct DistanceChoice {
    DistanceOptions options;
    SiteReading reading;    // how the alignment's sites are read into pair tables
    std::string criterion;  // the --criterion word, or the fallback
};

// The options with `model` and `criterion` where they are not given. Throws
// UsageError as ReadEstimation does, and for a bad --threads or --min-overlap.
DistanceChoice ReadDistanceChoice(const Arguments& arguments, ModelKind model,
                                  const std::string& criterion);

// --frequencies alignment: the whole alignment's composition, and each
// sequence's own for paralinear.
void GiveFrequencies(const Arguments& arguments, const Alignment& alignment,
                     DistanceOptions& options);

}  // namespace dyvern::cli
